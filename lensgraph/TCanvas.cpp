#include "TCanvas.h"

#include "FloodFill.h"
#include "TEllipsePath.h"
#include "TEllipseScan.h"
#include "TLineWalk.h"
#include "TTextCache.h"

#include <algorithm>
#include <cstring>

namespace {

std::uint32_t ToArgb(TColor Color)
{
    return 0xFF000000u | ((Color & 0xFFu) << 16) | (Color & 0xFF00u) | ((Color >> 16) & 0xFFu);
}

std::int64_t Clamp(std::int64_t V)
{
    return std::clamp(V, -TCanvas::CoordinateLimit, TCanvas::CoordinateLimit);
}

// GDI fills [Low, High) of a rectangle edge pair given in order, and (High, Low]
// of one given reversed.
std::int64_t FillLow(std::int64_t A, std::int64_t B)
{
    return A <= B ? A : B + 1;
}
std::int64_t FillHigh(std::int64_t A, std::int64_t B)
{
    return A <= B ? B : A + 1;
}

struct TBox {
    std::int64_t Left, Top, Right, Bottom;
    std::int64_t Width() const { return Right - Left; }
    std::int64_t Height() const { return Bottom - Top; }
};

TBox Normalised(std::int64_t Left, std::int64_t Top, std::int64_t Right, std::int64_t Bottom)
{
    return { std::min(Left, Right), std::min(Top, Bottom), std::max(Left, Right), std::max(Top, Bottom) };
}

// GDI draws an ellipse this thin as its box.
constexpr std::int64_t ThinEllipse = 2;

// Boxes wider or taller than this are scanned row by row instead of walked.
constexpr std::int64_t WalkLimit = std::int64_t { 1 } << 16;

bool Walkable(const TBox& Box)
{
    return Box.Width() <= WalkLimit && Box.Height() <= WalkLimit;
}

bool Misses(const TBox& Box, const TPixelBuffer& Target)
{
    return Box.Right <= 0 || Box.Bottom <= 0 || Box.Left >= Target.Width() || Box.Top >= Target.Height();
}

void PlotPixel(TPixelBuffer& Target, std::int64_t X, std::int64_t Y, std::uint32_t Argb)
{
    if (X >= 0 && Y >= 0 && X < Target.Width() && Y < Target.Height())
        Target.Scanline(static_cast<int>(Y))[X] = Argb;
}

// Fills [Left, Right) x [Top, Bottom), clipped, with a raw buffer value.
void FillBox(TPixelBuffer& Target, std::int64_t Left, std::int64_t Top, std::int64_t Right,
    std::int64_t Bottom, std::uint32_t Argb)
{
    const int X0 = static_cast<int>(std::clamp<std::int64_t>(Left, 0, Target.Width()));
    const int X1 = static_cast<int>(std::clamp<std::int64_t>(Right, 0, Target.Width()));
    const int Y0 = static_cast<int>(std::clamp<std::int64_t>(Top, 0, Target.Height()));
    const int Y1 = static_cast<int>(std::clamp<std::int64_t>(Bottom, 0, Target.Height()));
    if (X0 >= X1)
        return;
    if (Y0 >= Y1)
        return;
    // One row is filled, the others copied from it: the C library's copy is vectorised.
    std::fill(Target.Scanline(Y0) + X0, Target.Scanline(Y0) + X1, Argb);
    const std::size_t Bytes = static_cast<std::size_t>(X1 - X0) * sizeof(std::uint32_t);
    for (int Y = Y0 + 1; Y < Y1; ++Y)
        std::memcpy(Target.Scanline(Y) + X0, Target.Scanline(Y0) + X0, Bytes);
}

// Outline pixels of a scanned row within the buffer, with Plot(X, Y) called for each.
template <class TPlot> void ForEachVisible(const TEllipseScan::TRow& Row, int Width, TPlot&& Plot)
{
    const auto Run = [&](std::int64_t From, std::int64_t To) {
        for (std::int64_t X = std::max<std::int64_t>(From, 0); X <= std::min<std::int64_t>(To, Width - 1);
             ++X)
            Plot(X, Row.Y);
    };
    Run(Row.LeftFrom, std::min(Row.LeftTo, Row.RightFrom - 1));
    Run(Row.RightFrom, Row.RightTo);
}

constexpr TColor TextColor = 0x000000;

constexpr std::int64_t DotPeriod = 6;
constexpr std::int64_t DotOn = 3;

} // namespace

TCanvas::TCanvas(TPixelBuffer& Target)
    : FTarget(Target)
{
}

void TCanvas::SetPenColor(TColor Color)
{
    FPenColor = Color & 0xFFFFFFu;
}

void TCanvas::SetBrushColor(TColor Color)
{
    FBrushColor = Color & 0xFFFFFFu;
}

void TCanvas::FillRect(std::int64_t Left, std::int64_t Top, std::int64_t Right, std::int64_t Bottom)
{
    if (FBrushStyle == TBrushStyle::Clear)
        return;
    Left = Clamp(Left);
    Top = Clamp(Top);
    Right = Clamp(Right);
    Bottom = Clamp(Bottom);
    FillBox(FTarget, FillLow(Left, Right), FillLow(Top, Bottom), FillHigh(Left, Right), FillHigh(Top, Bottom),
        ToArgb(FBrushColor));
}

void TCanvas::MoveTo(std::int64_t X, std::int64_t Y)
{
    FPenX = Clamp(X);
    FPenY = Clamp(Y);
}

void TCanvas::LineTo(std::int64_t X, std::int64_t Y)
{
    X = Clamp(X);
    Y = Clamp(Y);
    const TLineWalk Walk(FPenX, FPenY, X, Y, FTarget.Width(), FTarget.Height());
    FPenX = X;
    FPenY = Y;
    const std::uint32_t Pen = ToArgb(FPenColor);
    if (FPenStyle == TPenStyle::Solid) {
        Walk.ForEach([&](int Px, int Py, std::int64_t) { FTarget.Scanline(Py)[Px] = Pen; });
        return;
    }
    const std::uint32_t Gap = ToArgb(FBrushColor);
    const bool PaintGaps = FBrushStyle == TBrushStyle::Solid;
    Walk.ForEach([&](int Px, int Py, std::int64_t Step) {
        if (Step % DotPeriod < DotOn)
            FTarget.Scanline(Py)[Px] = Pen;
        else if (PaintGaps)
            FTarget.Scanline(Py)[Px] = Gap;
    });
}

void TCanvas::Arc(std::int64_t Left, std::int64_t Top, std::int64_t Right, std::int64_t Bottom,
    std::int64_t StartX, std::int64_t StartY, std::int64_t EndX, std::int64_t EndY)
{
    const TBox Box = Normalised(Clamp(Left), Clamp(Top), Clamp(Right), Clamp(Bottom));
    if (Box.Width() == 0 || Box.Height() == 0 || Misses(Box, FTarget))
        return;
    const std::uint32_t Pen = ToArgb(FPenColor);
    if (!Walkable(Box)) {
        const TEllipseScan Scan(Box.Left, Box.Top, Box.Right, Box.Bottom);
        const long double Start = Scan.AngleOf(Clamp(StartX), Clamp(StartY));
        const long double Sweep = TEllipseScan::SweepBetween(Start, Scan.AngleOf(Clamp(EndX), Clamp(EndY)));
        Scan.ForEachRow(FTarget.Height(), [&](const TEllipseScan::TRow& Row) {
            ForEachVisible(Row, FTarget.Width(), [&](std::int64_t X, std::int64_t Y) {
                if (Scan.InSweep(X, Y, Start, Sweep))
                    PlotPixel(FTarget, X, Y, Pen);
            });
        });
        return;
    }
    TEllipsePath Path(Box.Left, Box.Top, Box.Right, Box.Bottom);
    const TEllipsePath::TPosition From = Path.PositionOfRay(Clamp(StartX), Clamp(StartY));
    TEllipsePath::TPosition To = Path.PositionOfRay(Clamp(EndX), Clamp(EndY));
    if (!TEllipsePath::Before(From, To))
        To.Quarter += 4;
    Path.ForEachArcPoint(From, To, 0, FTarget.Height(),
        [&](const TEllipsePath::TPoint& P) { PlotPixel(FTarget, P.X, P.Y, Pen); });
}

void TCanvas::Ellipse(std::int64_t Left, std::int64_t Top, std::int64_t Right, std::int64_t Bottom)
{
    const TBox Box = Normalised(Clamp(Left), Clamp(Top), Clamp(Right), Clamp(Bottom));
    if (Box.Width() == 0 || Box.Height() == 0 || (Box.Width() == 1 && Box.Height() == 1)
        || Misses(Box, FTarget))
        return;
    const std::uint32_t Pen = ToArgb(FPenColor);
    if (Box.Width() <= ThinEllipse || Box.Height() <= ThinEllipse) {
        FillBox(FTarget, Box.Left, Box.Top, Box.Right, Box.Bottom, Pen);
        return;
    }
    if (!Walkable(Box)) {
        const TEllipseScan Scan(Box.Left, Box.Top, Box.Right, Box.Bottom);
        Scan.ForEachRow(FTarget.Height(), [&](const TEllipseScan::TRow& Row) {
            if (FBrushStyle == TBrushStyle::Solid)
                FillBox(FTarget, Row.LeftTo + 1, Row.Y, Row.RightFrom, Row.Y + 1, ToArgb(FBrushColor));
            ForEachVisible(
                Row, FTarget.Width(), [&](std::int64_t X, std::int64_t Y) { PlotPixel(FTarget, X, Y, Pen); });
        });
        return;
    }
    TEllipsePath Path(Box.Left, Box.Top, Box.Right, Box.Bottom);
    if (FBrushStyle == TBrushStyle::Solid) {
        const std::uint32_t Fill = ToArgb(FBrushColor);
        Path.ForEachRow(0, FTarget.Height(), [&](std::int64_t Y, std::int64_t From, std::int64_t To) {
            FillBox(FTarget, From + 1, Y, To, Y + 1, Fill);
        });
    }
    Path.ForEachPoint(
        0, FTarget.Height(), [&](const TEllipsePath::TPoint& P) { PlotPixel(FTarget, P.X, P.Y, Pen); });
}

void TCanvas::FloodFill(std::int64_t X, std::int64_t Y, TColor Border)
{
    if (FBrushStyle == TBrushStyle::Clear || X < 0 || Y < 0 || X >= FTarget.Width() || Y >= FTarget.Height())
        return;
    BorderFloodFill(FTarget, static_cast<int>(X), static_cast<int>(Y), ToArgb(Border), ToArgb(FBrushColor));
}

int TCanvas::TextWidth(std::string_view Text) const
{
    return TTextCache::Mask(Text).Width;
}

void TCanvas::TextOut(std::int64_t X, std::int64_t Y, std::string_view Text)
{
    X = Clamp(X);
    Y = Clamp(Y);
    const TTextCache::TMask& Mask = TTextCache::Mask(Text);
    if (FBrushStyle == TBrushStyle::Solid)
        FillBox(FTarget, X, Y, X + Mask.Width, Y + Mask.Height, ToArgb(FBrushColor));
    const std::uint32_t Ink = ToArgb(TextColor);
    for (const TTextCache::TRun& Run : Mask.Runs)
        if (Y + Run.Y >= 0 && Y + Run.Y < FTarget.Height())
            FillBox(FTarget, X + Run.XFrom, Y + Run.Y, X + Run.XTo, Y + Run.Y + 1, Ink);
}

void TCanvas::Draw(std::int64_t X, std::int64_t Y, const TPixelBuffer& Source)
{
    const std::int64_t Left = Clamp(X);
    const std::int64_t Top = Clamp(Y);
    const std::int64_t X0 = std::max<std::int64_t>(Left, 0);
    const std::int64_t X1 = std::min<std::int64_t>(Left + Source.Width(), FTarget.Width());
    const std::int64_t Y0 = std::max<std::int64_t>(Top, 0);
    const std::int64_t Y1 = std::min<std::int64_t>(Top + Source.Height(), FTarget.Height());
    if (X0 >= X1 || Y0 >= Y1)
        return;
    const std::size_t Bytes = static_cast<std::size_t>(X1 - X0) * sizeof(std::uint32_t);
    // Whole rows of equal stride are one block of memory on both sides.
    if (Left == 0 && Source.Width() == FTarget.Width() && Source.Stride() == FTarget.Stride()) {
        std::memcpy(FTarget.Scanline(static_cast<int>(Y0)), Source.Scanline(static_cast<int>(Y0 - Top)),
            static_cast<std::size_t>(Y1 - Y0 - 1) * static_cast<std::size_t>(FTarget.Stride())
                    * sizeof(std::uint32_t)
                + Bytes);
        return;
    }
    for (std::int64_t Row = Y0; Row < Y1; ++Row)
        std::memcpy(FTarget.Scanline(static_cast<int>(Row)) + X0,
            Source.Scanline(static_cast<int>(Row - Top)) + (X0 - Left), Bytes);
}
