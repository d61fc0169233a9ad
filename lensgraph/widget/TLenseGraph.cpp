#include "TLenseGraph.h"

#include "LenseDescription.h"
#include "PixelImage.h"
#include "TLenseGraphAccessible.h"
#include "TQtGlyphSource.h"
#include "TTolkar2000.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace {

constexpr auto SameExact = [](auto A, auto B) { return A == B; };

// An unordered comparison (a NaN on either side) counts as equal, so NaN never
// replaces a stored ratio.
bool SameRatio(double A, double B)
{
    return A == B || std::isnan(A) || std::isnan(B);
}

QString Text(const std::string& Bytes)
{
    return QString::fromLocal8Bit(Bytes.data(), static_cast<qsizetype>(Bytes.size()));
}

} // namespace

TLenseGraph::TLenseGraph(QWidget* Parent)
    : QWidget(Parent)
    , FNoDictionary(std::make_unique<TTolkar2000>())
    , FTranslator(FNoDictionary.get())
{
    TQtGlyphSource::Install();
    resize(150, 150);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Tab only: a click must not bring up the focus mark for a mouse user.
    setFocusPolicy(Qt::TabFocus);
    TLenseGraphAccessible::Register();
    UpdateAccessibleTexts();
}

TLenseGraph::~TLenseGraph() = default;

template <typename TValue, typename TEqual> void TLenseGraph::Assign(TValue& Field, TValue Value, TEqual Same)
{
    if (Same(Field, Value))
        return;
    Field = Value;
    Paint();
}

void TLenseGraph::SetGridColor(TColor Value)
{
    Assign(FState.GridColor, Value, SameExact);
}
void TLenseGraph::SetLenseColor(TColor Value)
{
    Assign(FState.LenseColor, Value, SameExact);
}
void TLenseGraph::SetBackColor(TColor Value)
{
    Assign(FState.BackColor, Value, SameExact);
}
void TLenseGraph::SetObjectColor(TColor Value)
{
    Assign(FState.ObjectColor, Value, SameExact);
}
void TLenseGraph::SetImageColor(TColor Value)
{
    Assign(FState.ImageColor, Value, SameExact);
}
void TLenseGraph::SetLineColor1(TColor Value)
{
    Assign(FState.LineColor1, Value, SameExact);
}
void TLenseGraph::SetLineColor2(TColor Value)
{
    Assign(FState.LineColor2, Value, SameExact);
}
void TLenseGraph::SetF(std::int32_t Value)
{
    Assign(FState.F, Value, SameExact);
}
void TLenseGraph::SetMarkWidth(std::int32_t Value)
{
    Assign(FState.MarkWidth, Value, SameExact);
}
void TLenseGraph::SetMarkCapSpace(std::int32_t Value)
{
    Assign(FState.MarkCapSpace, Value, SameExact);
}
void TLenseGraph::SetLenseType(TLenseType Value)
{
    Assign(FState.LenseType, Value, SameExact);
}
void TLenseGraph::SetObjectH(std::int32_t Value)
{
    Assign(FState.ObjectH, Value, SameExact);
}
void TLenseGraph::SetObjectX(std::int32_t Value)
{
    Assign(FState.ObjectX, Value, SameExact);
}
void TLenseGraph::SetLenseHeightRatio(double Value)
{
    Assign(FState.LenseHeightRatio, Value, SameRatio);
}
void TLenseGraph::SetLenseWidthRatio(double Value)
{
    Assign(FState.LenseWidthRatio, Value, SameRatio);
}
void TLenseGraph::SetConcaveThick(std::uint8_t Value)
{
    Assign(FState.ConcaveThick, Value, SameExact);
}
void TLenseGraph::SetDrawLense(bool Value)
{
    Assign(FState.DrawLense, Value, SameExact);
}

void TLenseGraph::SetState(const TLenseDiagramState& Value)
{
    FState = Value;
    Paint();
}

void TLenseGraph::ClearTranslator()
{
    SetTranslator(*FNoDictionary);
}

void TLenseGraph::SetTranslator(TTolkar2000& Translator)
{
    FTranslator = &Translator;
    UpdateAccessibleTexts();
    emit Changed();
}

std::string TLenseGraph::Translate(std::string_view Key, const std::vector<std::string>& Args) const
{
    return FTranslator->Translate(Key, Args);
}

TTextLookup TLenseGraph::Lookup() const
{
    return
        [this](std::string_view Key, const std::vector<std::string>& Args) { return Translate(Key, Args); };
}

TLenseGraph::TTextChanges TLenseGraph::RefreshAccessibleTexts() const
{
    if (!FAccessibleStale)
        return {};
    FAccessibleStale = false;
    const QString Name = Text(Translate("Lens Diagram"));
    const QString Description = Text(DescribeLenseDiagram(FState, width(), height(), Lookup()));
    const TTextChanges Changes { Name != FAccessibleName, Description != FAccessibleDescription };
    FAccessibleName = Name;
    FAccessibleDescription = Description;
    return Changes;
}

void TLenseGraph::UpdateAccessibleTexts()
{
    FAccessibleStale = true;
    // Without assistive technology nobody listens: the texts wait until they are read,
    // so a drag does not compose a sentence at every move.
    if (!QAccessible::isActive())
        return;
    const TTextChanges Changes = RefreshAccessibleTexts();
    const std::pair<bool, QAccessible::Event> Events[] = { { Changes.Name, QAccessible::NameChanged },
        { Changes.Description, QAccessible::DescriptionChanged } };
    for (const auto& [Changed, Kind] : Events) {
        if (Changed) {
            QAccessibleEvent Event(this, Kind);
            QAccessible::updateAccessibility(&Event);
        }
    }
    // Screen readers speak a value change of the focused part at once; a changed
    // description they do not (with this Qt, the event does not carry the text).
    if (const std::optional<TLensePart> Part = KeyPart(); Part && hasFocus()) {
        QAccessibleValueChangeEvent Event(this, static_cast<qlonglong>(LensePartValue(FState, *Part)));
        Event.setChild(static_cast<int>(*Part));
        QAccessible::updateAccessibility(&Event);
    }
}

QString TLenseGraph::AccessibleHelp() const
{
    return Text(Translate("Lens Diagram Help"));
}

QString TLenseGraph::AccessiblePartName(TLensePart Part) const
{
    return Text(LensePartName(Part, Lookup()));
}

QString TLenseGraph::AccessiblePartText(TLensePart Part) const
{
    return Text(DescribeLensePart(FState, Part, width(), height(), Lookup()));
}

void TLenseGraph::SetPartValue(TLensePart Part, long long Value)
{
    TLenseDiagramState Moved = FState;
    SetLensePartValue(Moved, Part, width(), height(), Value);
    if (Moved.ObjectX == FState.ObjectX && Moved.ObjectH == FState.ObjectH && Moved.F == FState.F)
        return;
    FState = Moved;
    Paint();
}

void TLenseGraph::ChooseKeyTarget(TGrabTarget Target)
{
    FKeys.Choose(Target);
    update();
    AnnounceFocus();
}

void TLenseGraph::AnnounceFocus()
{
    if (!QAccessible::isActive() || !hasFocus())
        return;
    QAccessibleEvent Event(this, QAccessible::Focus);
    if (const std::optional<TLensePart> Part = KeyPart())
        Event.setChild(static_cast<int>(*Part));
    QAccessible::updateAccessibility(&Event);
}

void TLenseGraph::focusInEvent(QFocusEvent* Event)
{
    QWidget::focusInEvent(Event);
    // After Qt has announced the diagram itself, so the chosen part keeps the last word.
    if (KeyPart())
        QMetaObject::invokeMethod(this, &TLenseGraph::AnnounceFocus, Qt::QueuedConnection);
}

void TLenseGraph::resizeEvent(QResizeEvent* Event)
{
    QWidget::resizeEvent(Event);
    // What lies outside the picture depends on its size.
    FAccessibleStale = true;
}

const QString& TLenseGraph::AccessibleName() const
{
    RefreshAccessibleTexts();
    return FAccessibleName;
}

const QString& TLenseGraph::AccessibleDescription() const
{
    RefreshAccessibleTexts();
    return FAccessibleDescription;
}

void TLenseGraph::Compose()
{
    PaintLenseDiagram(FState, FBitmap, width(), height());
    ++FPaintCount;
}

void TLenseGraph::Paint()
{
    Compose();
    repaint();
    UpdateAccessibleTexts();
    emit Changed();
}

void TLenseGraph::paintEvent(QPaintEvent*)
{
    // The system asks for pixels after a resize too: only then is the diagram
    // composed here; otherwise the last composition is copied as it is.
    if (FBitmap.Width() != width() || FBitmap.Height() != height())
        Compose();
    QPainter Painter(this);
    Painter.drawImage(0, 0, PixelImage(FBitmap));
    if (hasFocus())
        PaintFocusMark(Painter);
}

// Drawn over the copy on the screen, never into FBitmap: the diagram itself stays the
// same with and without the focus.
void TLenseGraph::PaintFocusMark(QPainter& Painter) const
{
    QPen Pen(palette().color(QPalette::Highlight), 2, Qt::DashLine);
    Painter.setPen(Pen);
    Painter.setBrush(Qt::NoBrush);
    Painter.drawRect(rect().adjusted(1, 1, -2, -2));
    if (FKeys.Target() == TGrabTarget::gtNone)
        return;
    Painter.drawEllipse(ElementPixel(FKeys.Target()), FocusRingRadius, FocusRingRadius);
}

QPoint TLenseGraph::ElementPixel(TGrabTarget Target) const
{
    long long X = 0;
    long long Y = 0;
    TKeyboardGrab::TargetPixel(FState, Target, width(), height(), X, Y);
    // Far outside the area the ring would not show anyway; this keeps it within int.
    const auto Near
        = [](long long V, int Size) { return static_cast<int>(std::clamp<long long>(V, -Size, 2LL * Size)); };
    return { Near(X, width()), Near(Y, height()) };
}

namespace {

struct TKeyName {
    int Key;
    TDiagramKey DiagramKey;
};
constexpr TKeyName DiagramKeys[]
    = { { Qt::Key_O, TDiagramKey::ChooseObject }, { Qt::Key_F, TDiagramKey::ChooseFocus },
          { Qt::Key_2, TDiagramKey::ChooseDoubleFocus }, { Qt::Key_Escape, TDiagramKey::Leave },
          { Qt::Key_Left, TDiagramKey::Left }, { Qt::Key_Right, TDiagramKey::Right },
          { Qt::Key_Up, TDiagramKey::Up }, { Qt::Key_Down, TDiagramKey::Down } };

} // namespace

void TLenseGraph::keyPressEvent(QKeyEvent* Event)
{
    const auto Name = std::find_if(std::begin(DiagramKeys), std::end(DiagramKeys),
        [Event](const TKeyName& Entry) { return Entry.Key == Event->key(); });
    const std::optional<TLensePart> Before = FKeys.Part();
    const TLenseKeyboard::TResult Result = Name == std::end(DiagramKeys)
        ? TLenseKeyboard::TResult::Ignored
        : FKeys.Press(
            Name->DiagramKey, (Event->modifiers() & Qt::ShiftModifier) != 0, FState, width(), height());
    switch (Result) {
    case TLenseKeyboard::TResult::Chosen:
        update();
        AnnounceFocus();
        return;
    case TLenseKeyboard::TResult::Moved:
        Paint();
        if (FKeys.Part() != Before)
            AnnounceFocus();
        return;
    case TLenseKeyboard::TResult::Ignored:
        // Unused keys, and Escape without a choice, go on to the window.
        QWidget::keyPressEvent(Event);
        return;
    }
}

void TLenseGraph::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    if (Button != Qt::LeftButton)
        return;
    FGrabTarget = FindGrabTarget(FState, width(), height(), X, Y);
    // With the focus here (a screen reader's user may drag too) the dragged element
    // becomes the keyboard's choice, so that its changes are heard.
    if (hasFocus() && FGrabTarget != TGrabTarget::gtNone && FGrabTarget != FKeys.Target())
        ChooseKeyTarget(FGrabTarget);
    MouseMove(Shift, X, Y);
}

void TLenseGraph::MouseMove(Qt::KeyboardModifiers, int X, int Y)
{
    if (FGrabTarget == TGrabTarget::gtNone)
        return;
    MoveGrabTarget(FState, FGrabTarget, width(), height(), X, Y);
    Paint();
}

void TLenseGraph::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers, int, int)
{
    if (Button == Qt::LeftButton)
        FGrabTarget = TGrabTarget::gtNone;
}

namespace {

// The pixel under the pointer.
QPoint PixelOf(const QMouseEvent* Event)
{
    return { qFloor(Event->position().x()), qFloor(Event->position().y()) };
}

} // namespace

void TLenseGraph::mousePressEvent(QMouseEvent* Event)
{
    const QPoint Pixel = PixelOf(Event);
    MouseDown(Event->button(), Event->modifiers(), Pixel.x(), Pixel.y());
}

void TLenseGraph::mouseDoubleClickEvent(QMouseEvent* Event)
{
    mousePressEvent(Event);
}

void TLenseGraph::mouseMoveEvent(QMouseEvent* Event)
{
    const QPoint Pixel = PixelOf(Event);
    MouseMove(Event->modifiers(), Pixel.x(), Pixel.y());
}

void TLenseGraph::mouseReleaseEvent(QMouseEvent* Event)
{
    const QPoint Pixel = PixelOf(Event);
    MouseUp(Event->button(), Event->modifiers(), Pixel.x(), Pixel.y());
}
