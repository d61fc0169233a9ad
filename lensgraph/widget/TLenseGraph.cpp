#include "TLenseGraph.h"

#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

#include <cmath>

namespace {

constexpr auto SameExact = [](auto A, auto B) { return A == B; };

// An unordered comparison (a NaN on either side) counts as equal, so NaN never
// replaces a stored ratio.
bool SameRatio(double A, double B)
{
    return A == B || std::isnan(A) || std::isnan(B);
}

} // namespace

TLenseGraph::TLenseGraph(QWidget* Parent)
    : QWidget(Parent)
{
    resize(150, 150);
    setAttribute(Qt::WA_OpaquePaintEvent);
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

void TLenseGraph::Compose()
{
    PaintLenseDiagram(FState, FBitmap, width(), height());
    ++FPaintCount;
}

void TLenseGraph::Paint()
{
    Compose();
    repaint();
}

void TLenseGraph::paintEvent(QPaintEvent*)
{
    // The system asks for pixels after a resize too: only then is the diagram
    // composed here; otherwise the last composition is copied as it is.
    if (FBitmap.Width() != width() || FBitmap.Height() != height())
        Compose();
    QPainter Painter(this);
    Painter.drawImage(0, 0, FBitmap.Image());
}

void TLenseGraph::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    if (Button != Qt::LeftButton)
        return;
    FGrabTarget = FindGrabTarget(FState, width(), height(), X, Y);
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
