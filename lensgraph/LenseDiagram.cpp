#include "LenseDiagram.h"

#include "CheckedInt.h"
#include "LenseConstruction.h"
#include "LenseOutline.h"
#include "StickFigure.h"
#include "TDrawTarget.h"
#include "TPixelBuffer.h"
#include "TPixelFrame.h"
#include "TRasterTarget.h"
#include "TSvgTarget.h"

#include <cmath>
#include <string_view>

using namespace uVectors;
namespace ci = CheckedInt;

namespace {

class TDiagramPainter {
public:
    TDiagramPainter(const TLenseDiagramState& State, TDrawTarget& Target, int Width, int Height)
        : FState(State)
        , FCanvas(Target)
        , FFrame(Width, Height)
        , FWidth(Width)
        , FHeight(Height)
    {
    }

    void Paint()
    {
        const TLenseConstruction Construction = ConstructImage(FState, FFrame.Cx());
        FCanvas.SetBrushColor(FState.BackColor);
        FCanvas.FillRect(0, 0, FWidth, FHeight);
        if (FState.DrawLense)
            DrawLens(FState.LenseType == TLenseType::ltConcave);
        Guarded([&] { DrawFigure(ci::Sub(0, FState.ObjectX), FState.ObjectH, FState.ObjectColor); });
        if (Construction.ImageShown) {
            Guarded([&] {
                DrawFigure(TPixelFrame::TruncInt32(Construction.I.X),
                    TPixelFrame::TruncInt32(Construction.I.Y), FState.ImageColor);
            });
            DrawRays(Construction);
        }
        DrawAxesAndMarks();
    }

private:
    // An overflowing step leaves out its own element and lets the paint go on.
    template <typename TStep> static void Guarded(TStep Step)
    {
        try {
            Step();
        } catch (const ci::EIntOverflow&) {
        }
    }

    void Line(TVector2D From, TVector2D To)
    {
        const auto Start = FFrame.ToPixel(From);
        const auto End = FFrame.ToPixel(To);
        if (!Start || !End)
            return;
        FCanvas.MoveTo(Start->X, Start->Y);
        FCanvas.LineTo(End->X, End->Y);
    }

    void DottedLine(TVector2D From, TVector2D To)
    {
        FCanvas.SetPenStyle(TPenStyle::Dotted);
        Line(From, To);
        FCanvas.SetPenStyle(TPenStyle::Solid);
    }

    void DrawRays(const TLenseConstruction& C)
    {
        FCanvas.SetPenColor(FState.LineColor1);
        Line(C.O, C.A);
        Line(C.A, C.E1);
        if (C.ImageVirtual)
            DottedLine(C.A, C.I);
        FCanvas.SetPenColor(FState.LineColor2);
        Line(C.O, C.E2);
        if (C.ImageVirtual && FState.LenseType == TLenseType::ltConvex)
            DottedLine(C.O, C.I);
    }

    void DrawLens(bool Concave);
    void DrawFigure(std::int32_t X, std::int32_t H, TColor Color);
    void DrawMark(std::int32_t X, std::int32_t Y, std::string_view Caption);
    void DrawAxesAndMarks();

    const TLenseDiagramState& FState;
    TDrawTarget& FCanvas;
    TPixelFrame FFrame;
    std::int32_t FWidth;
    std::int32_t FHeight;
};

void TDiagramPainter::DrawLens(bool Concave)
{
    const auto Outline = LenseOutline(FState, FWidth, FHeight, Concave);
    if (!Outline)
        return;
    FCanvas.SetPenColor(FState.LenseColor);
    FCanvas.SetBrushColor(FState.LenseColor);
    for (const auto& Face : { Outline->Arc1, Outline->Arc2 })
        FCanvas.Arc(
            Face.Left, Face.Top, Face.Right, Face.Bottom, Face.StartX, Face.StartY, Face.EndX, Face.EndY);
    if (Outline->HasEdges) {
        for (const auto& Edge : Outline->Edges) {
            FCanvas.MoveTo(Edge.FromX, Edge.Y);
            FCanvas.LineTo(Edge.ToX, Edge.Y);
        }
    }
    FCanvas.FillLenseBody(*Outline, FState.LenseColor);
}

void TDiagramPainter::DrawFigure(std::int32_t X, std::int32_t H, TColor Color)
{
    const TStickFigure Figure = StickFigure(X, H, FFrame.Cx(), FFrame.Cy());
    FCanvas.SetPenColor(Color);
    FCanvas.SetBrushColor(FState.BackColor);
    FCanvas.MoveTo(Figure.Column, Figure.Neck);
    FCanvas.LineTo(Figure.Column, Figure.Hip);
    FCanvas.LineTo(Figure.Left, Figure.Feet);
    FCanvas.MoveTo(Figure.Column, Figure.Hip);
    FCanvas.LineTo(Figure.Right, Figure.Feet);
    FCanvas.MoveTo(Figure.Column, Figure.Shoulder);
    FCanvas.LineTo(Figure.Left, Figure.Hands);
    FCanvas.MoveTo(Figure.Column, Figure.Shoulder);
    FCanvas.LineTo(Figure.Right, Figure.Hands);
    FCanvas.Ellipse(Figure.Left, Figure.HeadTop, Figure.Right, Figure.Neck);
}

void TDiagramPainter::DrawMark(std::int32_t X, std::int32_t Y, std::string_view Caption)
{
    const std::int32_t Mark = FState.MarkWidth;
    FCanvas.MoveTo(ci::Sub(X, Mark), Y);
    FCanvas.LineTo(ci::Add(X, Mark), Y);
    FCanvas.MoveTo(X, ci::Sub(Y, Mark));
    FCanvas.LineTo(X, ci::Add(Y, Mark));
    if (Caption.empty())
        return;
    FCanvas.SetBrushStyle(TBrushStyle::Clear);
    const std::int32_t CaptionWidth = FCanvas.TextWidth(Caption);
    FCanvas.TextOut(ci::Sub(X, CaptionWidth / 2), ci::Add(Y, FState.MarkCapSpace), Caption);
    FCanvas.SetBrushStyle(TBrushStyle::Solid);
}

void TDiagramPainter::DrawAxesAndMarks()
{
    const std::int32_t Cx = FFrame.Cx();
    const std::int32_t Cy = FFrame.Cy();
    FCanvas.SetPenColor(FState.GridColor);
    FCanvas.SetBrushColor(FState.BackColor);
    FCanvas.MoveTo(0, Cy);
    FCanvas.LineTo(FWidth, Cy);
    FCanvas.MoveTo(Cx, 0);
    FCanvas.LineTo(Cx, FHeight);
    Guarded([&] { DrawMark(ci::Sub(Cx, ci::Mul(2, FState.F)), Cy, DoubleFocusCaption); });
    Guarded([&] { DrawMark(ci::Sub(Cx, FState.F), Cy, FocusCaption); });
    Guarded([&] { DrawMark(ci::Add(Cx, FState.F), Cy, FocusCaption); });
    Guarded([&] { DrawMark(ci::Add(Cx, ci::Mul(2, FState.F)), Cy, DoubleFocusCaption); });
}

} // namespace

void DrawLenseDiagram(const TLenseDiagramState& State, TDrawTarget& Target, int Width, int Height)
{
    TDiagramPainter(State, Target, Width, Height).Paint();
}

void PaintLenseDiagram(const TLenseDiagramState& State, TPixelBuffer& Buffer, int Width, int Height)
{
    if (Buffer.Width() != Width)
        Buffer.SetWidth(Width);
    if (Buffer.Height() != Height)
        Buffer.SetHeight(Height);
    TRasterTarget Target(Buffer);
    DrawLenseDiagram(State, Target, Width, Height);
}

std::string LenseDiagramSvg(const TLenseDiagramState& State, int Width, int Height)
{
    TSvgTarget Target(Width, Height);
    DrawLenseDiagram(State, Target, Width, Height);
    return Target.Document();
}
