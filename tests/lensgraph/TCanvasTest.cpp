#include "TCanvas.h"
#include "TPixelBuffer.h"
#include "TTextCache.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>

namespace {

constexpr int SmallWidth = 40;
constexpr int SmallHeight = 30;
// The larger buffer holds the whole primitive; the small one sees it shifted by Margin.
constexpr int Margin = 200;
constexpr TColor White = 0xFFFFFF;
constexpr TColor Pen = 0x0000FF;
constexpr TColor Brush = 0x00FF00;

using TDraw = std::function<void(TCanvas&, std::int64_t Dx, std::int64_t Dy)>;

struct TClipCase {
    std::string Name;
    TDraw Draw;
};

void Prepare(TCanvas& Canvas, int Width, int Height)
{
    Canvas.FillRect(0, 0, Width, Height);
    Canvas.SetPenColor(Pen);
    Canvas.SetBrushColor(Brush);
}

class ClippedDraw : public ::testing::TestWithParam<TClipCase> { };

// A primitive clipped by the small buffer paints exactly what the same primitive,
// drawn whole on a larger buffer, paints inside the small buffer's window.
TEST_P(ClippedDraw, PaintsTheVisiblePartOfTheWholePrimitive)
{
    TPixelBuffer Small(SmallWidth, SmallHeight);
    TPixelBuffer Large(SmallWidth + 2 * Margin, SmallHeight + 2 * Margin);
    TCanvas SmallCanvas(Small);
    TCanvas LargeCanvas(Large);
    Prepare(SmallCanvas, SmallWidth, SmallHeight);
    Prepare(LargeCanvas, Large.Width(), Large.Height());
    GetParam().Draw(SmallCanvas, 0, 0);
    GetParam().Draw(LargeCanvas, Margin, Margin);
    int Painted = 0;
    for (int Y = 0; Y < SmallHeight; ++Y)
        for (int X = 0; X < SmallWidth; ++X) {
            ASSERT_EQ(Small.ColorAt(X, Y), Large.ColorAt(X + Margin, Y + Margin)) << "at " << X << "," << Y;
            Painted += Small.ColorAt(X, Y) != White;
        }
    EXPECT_GT(Painted, 0);
}

void Line(TCanvas& C, std::int64_t Dx, std::int64_t Dy, std::int64_t X0, std::int64_t Y0, std::int64_t X1,
    std::int64_t Y1)
{
    C.MoveTo(X0 + Dx, Y0 + Dy);
    C.LineTo(X1 + Dx, Y1 + Dy);
}

const TClipCase ClipCases[] = {
    { "ShallowLineEnteringLeft", [](TCanvas& C, auto Dx, auto Dy) { Line(C, Dx, Dy, -150, -7, 90, 25); } },
    { "SteepLineLeavingBottom", [](TCanvas& C, auto Dx, auto Dy) { Line(C, Dx, Dy, 31, -120, 2, 170); } },
    { "LineDrawnRightToLeft", [](TCanvas& C, auto Dx, auto Dy) { Line(C, Dx, Dy, 180, 29, -170, 3); } },
    { "LineWithHalfPixelTies", [](TCanvas& C, auto Dx, auto Dy) { Line(C, Dx, Dy, -100, 20, 100, 21); } },
    { "DottedLineKeepsPhase",
        [](TCanvas& C, auto Dx, auto Dy) {
            C.SetPenStyle(TPenStyle::Dotted);
            Line(C, Dx, Dy, -107, -50, 120, 40);
        } },
    { "DottedClearBrushSteep",
        [](TCanvas& C, auto Dx, auto Dy) {
            C.SetPenStyle(TPenStyle::Dotted);
            C.SetBrushStyle(TBrushStyle::Clear);
            Line(C, Dx, Dy, 45, 190, 5, -133);
        } },
    { "ArcAcrossTheCorner",
        [](TCanvas& C, auto Dx, auto Dy) {
            C.Arc(-150 + Dx, -120 + Dy, 30 + Dx, 25 + Dy, Dx, 25 + Dy, 30 + Dx, Dy);
        } },
    { "ArcWithReversedBox",
        [](TCanvas& C, auto Dx, auto Dy) {
            C.Arc(190 + Dx, 150 + Dy, 5 + Dx, -90 + Dy, Dx, Dy, 10 + Dx, 100 + Dy);
        } },
    // The arcs below leave the buffer above and below, so only part of their walk is visible.
    { "ArcThroughTheEastPointClippedAboveAndBelow",
        [](TCanvas& C, auto Dx, auto Dy) {
            C.Arc(-176 + Dx, -180 + Dy, 35 + Dx, 210 + Dy, 35 + Dx, 150 + Dy, 35 + Dx, -100 + Dy);
        } },
    { "ArcAlmostAFullTurnWithBothEndsAbove",
        [](TCanvas& C, auto Dx, auto Dy) {
            C.Arc(-176 + Dx, -180 + Dy, 35 + Dx, 210 + Dy, 30 + Dx, -120 + Dy, 35 + Dx, -100 + Dy);
        } },
    { "ArcOverTheTopOfAnOddWidthBox",
        [](TCanvas& C, auto Dx, auto Dy) {
            C.Arc(-100 + Dx, 5 + Dy, 141 + Dx, 80 + Dy, 141 + Dx, 42 + Dy, -100 + Dx, 42 + Dy);
        } },
    { "EllipseLargerThanTheBuffer",
        [](TCanvas& C, auto Dx, auto Dy) { C.Ellipse(-120 + Dx, -20 + Dy, 35 + Dx, 160 + Dy); } },
    { "FillRectPartlyOutside",
        [](TCanvas& C, auto Dx, auto Dy) { C.FillRect(-60 + Dx, 10 + Dy, 12 + Dx, 90 + Dy); } },
};

INSTANTIATE_TEST_SUITE_P(Primitives, ClippedDraw, ::testing::ValuesIn(ClipCases),
    [](const ::testing::TestParamInfo<TClipCase>& Info) { return Info.param.Name; });

struct TExtremeCase {
    std::string Name;
    std::function<void(TCanvas&)> Draw;
};

class ExtremeCoordinates : public ::testing::TestWithParam<TExtremeCase> { };

constexpr std::int64_t Huge = std::int64_t { 1 } << 62;
constexpr std::int64_t Min64 = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t Max64 = std::numeric_limits<std::int64_t>::max();

// Work must not grow with the off-screen extent: each case ends at once (a walk
// over 2^60 pixels would not) and leaves every pixel a known colour.
TEST_P(ExtremeCoordinates, FinishAndPaintOnlyKnownColours)
{
    TPixelBuffer Buffer(SmallWidth, SmallHeight);
    TCanvas Canvas(Buffer);
    Prepare(Canvas, SmallWidth, SmallHeight);
    GetParam().Draw(Canvas);
    for (int Y = 0; Y < SmallHeight; ++Y)
        for (int X = 0; X < SmallWidth; ++X) {
            const TColor C = Buffer.ColorAt(X, Y);
            ASSERT_TRUE(C == White || C == Pen || C == Brush) << X << "," << Y;
        }
}

const TExtremeCase ExtremeCases[] = {
    { "LineToFarBelow", [](TCanvas& C) { C.MoveTo(5, 10), C.LineTo(20, 1000000000000000000); } },
    { "LineBetweenInt64Extremes", [](TCanvas& C) { C.MoveTo(Min64, Min64), C.LineTo(Max64, Max64); } },
    { "DottedLineFromFarAway",
        [](TCanvas& C) { C.SetPenStyle(TPenStyle::Dotted), C.MoveTo(-Huge, 3), C.LineTo(Huge, 25); } },
    { "ArcWithHugeBox", [](TCanvas& C) { C.Arc(-Huge, -Huge, 20, Huge, 20, -Huge, 20, Huge); } },
    { "ArcWithInt64Box", [](TCanvas& C) { C.Arc(Max64, Min64, Min64, Max64, 0, 0, 1, 1); } },
    { "EllipseWithHugeBox", [](TCanvas& C) { C.Ellipse(-Huge, 10, 25, Huge); } },
    { "EllipseFarAway", [](TCanvas& C) { C.Ellipse(Huge - 10, Huge - 10, Huge, Huge); } },
    { "FillRectInt64Extremes", [](TCanvas& C) { C.FillRect(Max64, Max64, Min64, Min64); } },
    { "FloodFillOutside", [](TCanvas& C) { C.FloodFill(Min64, Max64, Pen); } },
    { "TextFarAway", [](TCanvas& C) { C.TextOut(Max64, Min64, "2F"); } },
};

INSTANTIATE_TEST_SUITE_P(Primitives, ExtremeCoordinates, ::testing::ValuesIn(ExtremeCases),
    [](const ::testing::TestParamInfo<TExtremeCase>& Info) { return Info.param.Name; });

// Past the walk limit the row scan takes over; its outline must still be the
// ellipse's: a huge circle's left edge crossing the buffer is a near-vertical band.
TEST(GdiCanvasHugeArc, LensFaceOfHugeRadiusIsOneThinBandPerRow)
{
    TPixelBuffer Buffer(SmallWidth, SmallHeight);
    TCanvas Canvas(Buffer);
    Prepare(Canvas, SmallWidth, SmallHeight);
    const std::int64_t Radius = std::int64_t { 1 } << 40;
    Canvas.Arc(20, 15 - Radius, 20 + 2 * Radius, 15 + Radius, 20 + Radius, -Radius, 20 + Radius, Radius);
    for (int Y = 0; Y < SmallHeight; ++Y) {
        int Count = 0;
        for (int X = 0; X < SmallWidth; ++X)
            Count += Buffer.ColorAt(X, Y) == Pen;
        EXPECT_EQ(Count, 1) << "row " << Y;
        EXPECT_EQ(Buffer.ColorAt(20, Y), Pen) << "row " << Y;
    }
}

TEST(GdiCanvasLine, ZeroLengthLinePaintsNothingAndMovesThePen)
{
    TPixelBuffer Buffer(8, 8);
    TCanvas Canvas(Buffer);
    Prepare(Canvas, 8, 8);
    Canvas.MoveTo(3, 3);
    Canvas.LineTo(3, 3);
    Canvas.LineTo(5, 3);
    EXPECT_EQ(Buffer.ColorAt(3, 3), Pen);
    EXPECT_EQ(Buffer.ColorAt(4, 3), Pen);
    EXPECT_EQ(Buffer.ColorAt(5, 3), White);
}

TEST(GdiCanvasFloodFill, SeedOnTheBorderFillsNothing)
{
    TPixelBuffer Buffer(8, 8);
    TCanvas Canvas(Buffer);
    Prepare(Canvas, 8, 8);
    Canvas.FloodFill(2, 2, White);
    EXPECT_EQ(Buffer.ColorAt(2, 2), White);
    EXPECT_EQ(Buffer.ColorAt(7, 7), White);
}

TEST(GdiCanvasDraw, CopiesClippedAtEveryEdge)
{
    TPixelBuffer Source(4, 3);
    TCanvas SourceCanvas(Source);
    SourceCanvas.SetBrushColor(Brush);
    SourceCanvas.FillRect(0, 0, 4, 3);
    SourceCanvas.SetPenColor(Pen);
    SourceCanvas.MoveTo(0, 0);
    SourceCanvas.LineTo(4, 0);
    TPixelBuffer Target(6, 5);
    TCanvas Canvas(Target);
    Canvas.FillRect(0, 0, 6, 5);
    Canvas.Draw(-1, 3, Source);
    Canvas.Draw(Max64, Min64, Source);
    EXPECT_EQ(Target.ColorAt(0, 3), Pen);
    EXPECT_EQ(Target.ColorAt(2, 4), Brush);
    EXPECT_EQ(Target.ColorAt(3, 3), White);
    EXPECT_EQ(Target.ColorAt(0, 2), White);
}

// Buffers of one width are copied as a block of rows; shifted up or down, only the
// overlapping rows change and each lands on its own row.
TEST(GdiCanvasDraw, CopiesWholeRowsShiftedVertically)
{
    constexpr int Width = 5;
    constexpr int Height = 4;
    TPixelBuffer Source(Width, Height);
    for (int Y = 0; Y < Height; ++Y)
        for (int X = 0; X < Width; ++X)
            Source.Scanline(Y)[X] = 0xFF000000u | static_cast<std::uint32_t>(16 * Y + X);
    for (const int Shift : { -2, 0, 1 }) {
        TPixelBuffer Target(Width, Height);
        TCanvas Canvas(Target);
        Canvas.FillRect(0, 0, Width, Height);
        Canvas.Draw(0, Shift, Source);
        for (int Y = 0; Y < Height; ++Y)
            for (int X = 0; X < Width; ++X) {
                const bool Covered = Y - Shift >= 0 && Y - Shift < Height;
                EXPECT_EQ(Target.Pixel(X, Y), Covered ? Source.Pixel(X, Y - Shift) : 0xFFFFFFFFu)
                    << "shift " << Shift << " at " << X << "," << Y;
            }
    }
}

// Every byte a 5 x 9 block in a 7-pixel advance, so where the canvas puts a mask's runs
// and its box can be told pixel by pixel.
class TBlockGlyphs final : public TGlyphSource {
public:
    static constexpr int Advance = 7;

    TMask Render(std::string_view Text) const override
    {
        TMask Mask { static_cast<int>(Text.size()) * Advance, 13, 11, {} };
        for (int I = 0; I < static_cast<int>(Text.size()); ++I)
            for (int Y = 2; Y < 11; ++Y)
                Mask.Runs.push_back({ Y, I * Advance + 1, I * Advance + 6 });
        return Mask;
    }
};

class GdiCanvasText : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static const TBlockGlyphs Glyphs;
        TTextCache::SetGlyphSource(&Glyphs);
    }

    static constexpr int Width = 60;
    static constexpr int Height = 30;
    static constexpr int Left = 10;
    static constexpr int Top = 5;
    TPixelBuffer Buffer { Width, Height };
    TCanvas Canvas { Buffer };

    void SetUp() override { Prepare(Canvas, Width, Height); }
};

TEST_F(GdiCanvasText, ClearBrushPaintsOnlyBlackGlyphsWithinTheMeasuredWidth)
{
    Canvas.SetBrushStyle(TBrushStyle::Clear);
    const int TextWidth = Canvas.TextWidth("2F");
    ASSERT_GT(TextWidth, 0);
    Canvas.TextOut(Left, Top, "2F");
    int Ink = 0;
    int Rightmost = -1;
    for (int Y = 0; Y < Height; ++Y)
        for (int X = 0; X < Width; ++X) {
            const TColor C = Buffer.ColorAt(X, Y);
            ASSERT_TRUE(C == White || C == 0) << X << "," << Y;
            if (C == 0) {
                ++Ink;
                Rightmost = std::max(Rightmost, X);
                EXPECT_GE(X, Left);
                EXPECT_GE(Y, Top);
            }
        }
    EXPECT_EQ(Ink, 2 * 5 * 9);
    EXPECT_EQ(Buffer.ColorAt(Left + 1, Top + 2), 0u);
    EXPECT_EQ(Buffer.ColorAt(Left, Top + 2), White);
    EXPECT_LT(Rightmost, Left + TextWidth);
    EXPECT_GT(Rightmost, Left + TextWidth / 2);
}

TEST_F(GdiCanvasText, SolidBrushFillsTheTextBoxAndRepeatsExactly)
{
    Canvas.TextOut(Left, Top, "F");
    const int TextWidth = Canvas.TextWidth("F");
    EXPECT_EQ(Buffer.ColorAt(Left, Top), Brush);
    EXPECT_EQ(Buffer.ColorAt(Left + TextWidth - 1, Top), Brush);
    EXPECT_EQ(Buffer.ColorAt(Left + TextWidth, Top), White);
    TPixelBuffer Again(Width, Height);
    TCanvas Other(Again);
    Prepare(Other, Width, Height);
    Other.TextOut(Left, Top, "F");
    for (int Y = 0; Y < Height; ++Y)
        for (int X = 0; X < Width; ++X)
            ASSERT_EQ(Buffer.Pixel(X, Y), Again.Pixel(X, Y));
}

TEST_F(GdiCanvasText, EmptyTextHasNoWidth)
{
    EXPECT_EQ(Canvas.TextWidth(""), 0);
}

} // namespace
