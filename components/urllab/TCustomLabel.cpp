#include "TCustomLabel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

#include <utility>

namespace {

// Drawn as it stands: no accelerator, no markup, one line unless the caption breaks it.
constexpr int TextFlags = Qt::AlignLeft | Qt::AlignTop;

void SetTextColor(QWidget& Control, const QColor& Color)
{
    // The disabled colour group stays as inherited, so a disabled label looks disabled.
    QPalette Palette = Control.palette();
    Palette.setColor(QPalette::Active, QPalette::WindowText, Color);
    Palette.setColor(QPalette::Inactive, QPalette::WindowText, Color);
    Control.setPalette(Palette);
}

} // namespace

TCustomLabel::TCustomLabel(QWidget* parent)
    : QWidget(parent)
{
    AdjustBounds();
}

void TCustomLabel::SetCaption(const QString& Value)
{
    if (Value == FCaption)
        return;
    FCaption = Value;
    AdjustBounds();
    update();
}

void TCustomLabel::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    AdjustBounds();
}

QColor TCustomLabel::Color() const
{
    const QWidget* Parent = parentWidget();
    return (Parent ? Parent : this)->palette().color(QPalette::Window);
}

TFont TCustomLabel::Font() const
{
    return { font(), palette().color(QPalette::Active, QPalette::WindowText) };
}

void TCustomLabel::SetFont(const TFont& Value)
{
    setFont(Value.Font);
    SetTextColor(*this, Value.Color);
}

QSize TCustomLabel::sizeHint() const
{
    // An empty caption still takes the height of one line.
    const QString Text = FCaption.isEmpty() ? QStringLiteral(" ") : FCaption;
    return fontMetrics().boundingRect(QRect(0, 0, QWIDGETSIZE_MAX, QWIDGETSIZE_MAX), TextFlags, Text).size();
}

void TCustomLabel::Click()
{
    emit OnClick();
}

void TCustomLabel::paintEvent(QPaintEvent*)
{
    QPainter Painter(this);
    Painter.fillRect(rect(), Color());
    style()->drawItemText(
        &Painter, rect(), TextFlags, palette(), isEnabled(), FCaption, QPalette::WindowText);
}

void TCustomLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        FClicked = true;
}

void TCustomLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && std::exchange(FClicked, false)
        && rect().contains(event->position().toPoint()))
        Click();
}

void TCustomLabel::mouseDoubleClickEvent(QMouseEvent*)
{
    // The second press of a double click is no click of its own (Qt's default would
    // take it for a press).
}

void TCustomLabel::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        AdjustBounds();
}

void TCustomLabel::AdjustBounds()
{
    if (FAutoSize)
        resize(sizeHint());
}
