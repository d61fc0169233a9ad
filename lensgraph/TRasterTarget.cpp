#include "TRasterTarget.h"

#include "LenseOutline.h"
#include "TPixelBuffer.h"

TRasterTarget::TRasterTarget(TPixelBuffer& Buffer)
    : FBuffer(Buffer)
    , FCanvas(Buffer)
{
}

void TRasterTarget::FillRect(std::int64_t Left, std::int64_t Top, std::int64_t Right, std::int64_t Bottom)
{
    FCanvas.FillRect(Left, Top, Right, Bottom);
}

void TRasterTarget::MoveTo(std::int64_t X, std::int64_t Y)
{
    FCanvas.MoveTo(X, Y);
}

void TRasterTarget::LineTo(std::int64_t X, std::int64_t Y)
{
    FCanvas.LineTo(X, Y);
}

void TRasterTarget::Arc(std::int64_t Left, std::int64_t Top, std::int64_t Right, std::int64_t Bottom,
    std::int64_t StartX, std::int64_t StartY, std::int64_t EndX, std::int64_t EndY)
{
    FCanvas.Arc(Left, Top, Right, Bottom, StartX, StartY, EndX, EndY);
}

void TRasterTarget::Ellipse(std::int64_t Left, std::int64_t Top, std::int64_t Right, std::int64_t Bottom)
{
    FCanvas.Ellipse(Left, Top, Right, Bottom);
}

int TRasterTarget::TextWidth(std::string_view Text) const
{
    return FCanvas.TextWidth(Text);
}

void TRasterTarget::TextOut(std::int64_t X, std::int64_t Y, std::string_view Text)
{
    FCanvas.TextOut(X, Y, Text);
}

void TRasterTarget::FillLenseBody(const TLenseOutline& Outline, TColor Border)
{
    if (SeedBetweenFaces(Outline.SeedX, Outline.SeedY, Border))
        FCanvas.FloodFill(Outline.SeedX, Outline.SeedY, Border);
}

// When the faces bulge less than a pixel they share one column and the seed lies
// beside them, where a fill would flood the whole diagram; only the outline is
// drawn then. So far the outline is the only thing in the lens colour.
bool TRasterTarget::SeedBetweenFaces(std::int64_t X, std::int64_t Y, TColor Border) const
{
    const int Width = FBuffer.Width();
    if (X < 0 || Y < 0 || X >= Width || Y >= FBuffer.Height())
        return false;
    const TColor Face = Border & 0xFFFFFFu;
    const int Row = static_cast<int>(Y);
    const int Seed = static_cast<int>(X);
    bool Left = false;
    for (int Column = 0; Column < Seed && !Left; ++Column)
        Left = FBuffer.ColorAt(Column, Row) == Face;
    bool Right = false;
    for (int Column = Seed + 1; Column < Width && !Right; ++Column)
        Right = FBuffer.ColorAt(Column, Row) == Face;
    return Left && Right;
}
