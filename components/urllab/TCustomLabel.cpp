#include "TCustomLabel.h"

#include <QContextMenuEvent>
#include <QEnterEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

#include <utility>

namespace {

void SetTextColor(QWidget& Control, const QColor& Color)
{
    // The disabled colour group stays as inherited, so a disabled label looks disabled.
    QPalette Palette = Control.palette();
    Palette.setColor(QPalette::Active, QPalette::WindowText, Color);
    Palette.setColor(QPalette::Inactive, QPalette::WindowText, Color);
    Control.setPalette(Palette);
}

}

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

void TCustomLabel::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    update();
}

void TCustomLabel::SetLayout(TTextLayout Value)
{
    FLayout = Value;
    update();
}

void TCustomLabel::SetWordWrap(bool Value)
{
    FWordWrap = Value;
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
    if (FParentColor && parentWidget())
        return parentWidget()->palette().color(QPalette::Window);
    return FColor.isValid() ? FColor : palette().color(QPalette::Window);
}

void TCustomLabel::SetColor(const QColor& Value)
{
    FColor = Value;
    FParentColor = false;
    update();
}

void TCustomLabel::SetParentColor(bool Value)
{
    FParentColor = Value;
    update();
}

void TCustomLabel::SetTransparent(bool Value)
{
    FTransparent = Value;
    update();
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

bool TCustomLabel::ParentFont() const
{
    return !testAttribute(Qt::WA_SetFont);
}

void TCustomLabel::SetParentFont(bool Value)
{
    if (!Value) {
        SetFont(Font());
        return;
    }
    setFont(QFont());
    setPalette(QPalette());
}

void TCustomLabel::SetPopupMenu(QMenu* Value)
{
    FPopupMenu = Value;
}

QSize TCustomLabel::sizeHint() const
{
    // An empty caption still takes the height of one line.
    const QString Text = FCaption.isEmpty() ? QStringLiteral(" ") : FCaption;
    const int Width = FWordWrap ? width() : QWIDGETSIZE_MAX;
    return fontMetrics().boundingRect(QRect(0, 0, Width, QWIDGETSIZE_MAX), TextFlags(), Text).size();
}

void TCustomLabel::Click()
{
    emit OnClick();
}

void TCustomLabel::paintEvent(QPaintEvent*)
{
    QPainter Painter(this);
    if (!FTransparent)
        Painter.fillRect(rect(), Color());
    style()->drawItemText(
        &Painter, rect(), TextFlags(), palette(), isEnabled(), FCaption, QPalette::WindowText);
}

void TCustomLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        FClicked = true;
    emit OnMouseDown(event->button(), event->modifiers(), event->position().toPoint());
}

void TCustomLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && std::exchange(FClicked, false)
        && rect().contains(event->position().toPoint()))
        Click();
    emit OnMouseUp(event->button(), event->modifiers(), event->position().toPoint());
}

void TCustomLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click is no click of its own.
    if (event->button() == Qt::LeftButton)
        emit OnDblClick();
    emit OnMouseDown(event->button(), event->modifiers(), event->position().toPoint());
}

void TCustomLabel::mouseMoveEvent(QMouseEvent* event)
{
    emit OnMouseMove(event->modifiers(), event->position().toPoint());
}

void TCustomLabel::contextMenuEvent(QContextMenuEvent* event)
{
    bool Handled = false;
    emit OnContextPopup(event->pos(), Handled);
    if (!Handled && FPopupMenu)
        FPopupMenu->popup(event->globalPos());
}

void TCustomLabel::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    emit OnMouseEnter();
}

void TCustomLabel::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    emit OnMouseLeave();
}

void TCustomLabel::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        AdjustBounds();
}

int TCustomLabel::TextFlags() const
{
    static constexpr int Horizontal[] = { Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter };
    static constexpr int Vertical[] = { Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom };
    return Horizontal[static_cast<int>(FAlignment)] | Vertical[static_cast<int>(FLayout)]
        | (FWordWrap ? Qt::TextWordWrap : 0);
}

void TCustomLabel::AdjustBounds()
{
    if (!FAutoSize)
        return;
    const QSize Needed = sizeHint();
    resize(FWordWrap ? width() : Needed.width(), Needed.height());
}
