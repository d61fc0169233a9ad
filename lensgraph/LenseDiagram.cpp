#include "LenseDiagram.h"

#include "CheckedInt.h"
#include "GdiCanvas.h"
#include "LenseConstruction.h"
#include "LenseOutline.h"
#include "PixelBuffer.h"
#include "PixelFrame.h"
#include "StickFigure.h"

#include <cmath>
#include <string_view>

using namespace uVectors;
namespace ci = CheckedInt;

namespace {

class TDiagramPainter {
public:
    TDiagramPainter(const TLenseDiagramState& State, PixelBuffer& Buffer)
        : S(State)
        , FCanvas(Buffer)
        , FFrame(Buffer.Width(), Buffer.Height())
        , FWidth(Buffer.Width())
        , FHeight(Buffer.Height())
    {
    }

    void Paint()
    {
        const TLenseConstruction c = ConstructImage(S, FFrame.Cx());
        FCanvas.SetBrushColor(S.BackColor);
        FCanvas.FillRect(0, 0, FWidth, FHeight);
        if (S.DrawLense)
            DrawLens(S.LenseType == ltConcave);
        Guarded([&] { DrawFigure(ci::Sub(0, S.ObjectX), S.ObjectH, S.ObjectColor); });
        if (c.ImageShown) {
            Guarded([&] { DrawFigure(TruncInt32(c.I.X), TruncInt32(c.I.Y), S.ImageColor); });
            DrawRays(c);
        }
        DrawAxesAndMarks();
    }

private:
    // An overflowing step leaves out its own element and lets the paint go on.
    template <typename Step> static void Guarded(Step step)
    {
        try {
            step();
        } catch (const ci::EIntOverflow&) {
        }
    }

    static std::int32_t TruncInt32(double Value)
    {
        const double t = std::trunc(Value);
        if (!(t >= INT32_MIN && t <= INT32_MAX))
            throw ci::EIntOverflow();
        return static_cast<std::int32_t>(t);
    }

    void Line(TVector2D From, TVector2D To)
    {
        const auto p = FFrame.ToPixel(From);
        const auto q = FFrame.ToPixel(To);
        if (!p || !q)
            return;
        FCanvas.MoveTo(p->X, p->Y);
        FCanvas.LineTo(q->X, q->Y);
    }

    void DottedLine(TVector2D From, TVector2D To)
    {
        FCanvas.SetPenStyle(TPenStyle::Dotted);
        Line(From, To);
        FCanvas.SetPenStyle(TPenStyle::Solid);
    }

    void DrawRays(const TLenseConstruction& c)
    {
        FCanvas.SetPenColor(S.LineColor1);
        Line(c.O, c.A);
        Line(c.A, c.E1);
        if (c.ImageVirtual)
            DottedLine(c.A, c.I);
        FCanvas.SetPenColor(S.LineColor2);
        Line(c.O, c.E2);
        if (c.ImageVirtual && S.LenseType == ltConvex)
            DottedLine(c.O, c.I);
    }

    void DrawLens(bool Concave);
    void DrawFigure(std::int32_t X, std::int32_t H, TColor Color);
    void DrawMark(std::int32_t X, std::int32_t Y, std::string_view Caption);
    void DrawAxesAndMarks();

    const TLenseDiagramState& S;
    TCanvas FCanvas;
    TPixelFrame FFrame;
    std::int32_t FWidth;
    std::int32_t FHeight;
};

void TDiagramPainter::DrawLens(bool Concave)
{
    const auto o = LenseOutline(S, FWidth, FHeight, Concave);
    if (!o)
        return;
    FCanvas.SetPenColor(S.LenseColor);
    FCanvas.SetBrushColor(S.LenseColor);
    for (const auto& a : { o->Arc1, o->Arc2 })
        FCanvas.Arc(a.Left, a.Top, a.Right, a.Bottom, a.StartX, a.StartY, a.EndX, a.EndY);
    if (o->HasEdges) {
        for (const auto& e : o->Edges) {
            FCanvas.MoveTo(e.FromX, e.Y);
            FCanvas.LineTo(e.ToX, e.Y);
        }
    }
    FCanvas.FloodFill(o->SeedX, o->SeedY, S.LenseColor);
}

void TDiagramPainter::DrawFigure(std::int32_t X, std::int32_t H, TColor Color)
{
    const TStickFigure f = StickFigure(X, H, FFrame.Cx(), FFrame.Cy());
    FCanvas.SetPenColor(Color);
    FCanvas.SetBrushColor(S.BackColor);
    FCanvas.MoveTo(f.Column, f.Neck);
    FCanvas.LineTo(f.Column, f.Hip);
    FCanvas.LineTo(f.Left, f.Feet);
    FCanvas.MoveTo(f.Column, f.Hip);
    FCanvas.LineTo(f.Right, f.Feet);
    FCanvas.MoveTo(f.Column, f.Shoulder);
    FCanvas.LineTo(f.Left, f.Hands);
    FCanvas.MoveTo(f.Column, f.Shoulder);
    FCanvas.LineTo(f.Right, f.Hands);
    FCanvas.Ellipse(f.Left, f.HeadTop, f.Right, f.Neck);
}

void TDiagramPainter::DrawMark(std::int32_t X, std::int32_t Y, std::string_view Caption)
{
    const std::int32_t m = S.MarkWidth;
    FCanvas.MoveTo(ci::Sub(X, m), Y);
    FCanvas.LineTo(ci::Add(X, m), Y);
    FCanvas.MoveTo(X, ci::Sub(Y, m));
    FCanvas.LineTo(X, ci::Add(Y, m));
    if (Caption.empty())
        return;
    FCanvas.SetBrushStyle(TBrushStyle::Clear);
    const std::int32_t tw = FCanvas.TextWidth(Caption);
    FCanvas.TextOut(ci::Sub(X, tw / 2), ci::Add(Y, S.MarkCapSpace), Caption);
    FCanvas.SetBrushStyle(TBrushStyle::Solid);
}

void TDiagramPainter::DrawAxesAndMarks()
{
    const std::int32_t cx = FFrame.Cx();
    const std::int32_t cy = FFrame.Cy();
    FCanvas.SetPenColor(S.GridColor);
    FCanvas.SetBrushColor(S.BackColor);
    FCanvas.MoveTo(0, cy);
    FCanvas.LineTo(FWidth, cy);
    FCanvas.MoveTo(cx, 0);
    FCanvas.LineTo(cx, FHeight);
    Guarded([&] { DrawMark(ci::Sub(cx, ci::Mul(2, S.F)), cy, "2F"); });
    Guarded([&] { DrawMark(ci::Sub(cx, S.F), cy, "F"); });
    Guarded([&] { DrawMark(ci::Add(cx, S.F), cy, "F"); });
    Guarded([&] { DrawMark(ci::Add(cx, ci::Mul(2, S.F)), cy, "2F"); });
}

} // namespace

void PaintLenseDiagram(const TLenseDiagramState& State, PixelBuffer& Buffer, int Width, int Height)
{
    if (Buffer.Width() != Width)
        Buffer.SetWidth(Width);
    if (Buffer.Height() != Height)
        Buffer.SetHeight(Height);
    TDiagramPainter(State, Buffer).Paint();
}
