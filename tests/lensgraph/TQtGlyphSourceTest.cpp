#include "TQtGlyphSource.h"

#include "TCanvas.h"
#include "TPixelBuffer.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The focal marks' captions: ink within the text box, reaching into its right half, and
// the same runs every time (no antialiasing, no hinting that varies).
TEST(TQtGlyphSource, CaptionsLieInTheirBoxAndRepeatExactly)
{
    const TQtGlyphSource Source;
    for (const char* Caption : { "F", "2F" }) {
        const TGlyphSource::TMask Mask = Source.Render(Caption);
        ASSERT_GT(Mask.Width, 0) << Caption;
        ASSERT_GT(Mask.Ascent, 0) << Caption;
        ASSERT_GT(Mask.Height, Mask.Ascent) << Caption;
        int Ink = 0;
        int Rightmost = -1;
        for (const TGlyphSource::TRun& Run : Mask.Runs) {
            EXPECT_GE(Run.XFrom, 0);
            EXPECT_LT(Run.XFrom, Run.XTo);
            EXPECT_LE(Run.XTo, Mask.Width);
            EXPECT_GE(Run.Y, 0);
            EXPECT_LT(Run.Y, Mask.Height);
            Ink += Run.XTo - Run.XFrom;
            Rightmost = std::max(Rightmost, Run.XTo - 1);
        }
        EXPECT_GT(Ink, 10) << Caption;
        EXPECT_GT(Rightmost, Mask.Width / 2) << Caption;
        const TGlyphSource::TMask Again = Source.Render(Caption);
        ASSERT_EQ(Again.Runs.size(), Mask.Runs.size());
        EXPECT_TRUE(std::equal(Mask.Runs.begin(), Mask.Runs.end(), Again.Runs.begin(),
            [](const auto& A, const auto& B) { return A.Y == B.Y && A.XFrom == B.XFrom && A.XTo == B.XTo; }));
    }
    EXPECT_EQ(Source.Render("").Width, 0);
}

// Once installed, the canvas draws and measures its text with these glyphs.
TEST(TQtGlyphSource, InstalledTheCanvasDrawsItsGlyphs)
{
    TQtGlyphSource::Install();
    const TGlyphSource::TMask Mask = TQtGlyphSource().Render("2F");
    TPixelBuffer Buffer(60, 30);
    TCanvas Canvas(Buffer);
    Canvas.SetBrushColor(0xFFFFFF);
    Canvas.FillRect(0, 0, 60, 30);
    Canvas.SetBrushStyle(TBrushStyle::Clear);
    EXPECT_EQ(Canvas.TextWidth("2F"), Mask.Width);
    Canvas.TextOut(10, 5, "2F");
    for (const TGlyphSource::TRun& Run : Mask.Runs)
        for (int X = Run.XFrom; X < Run.XTo; ++X)
            EXPECT_EQ(Buffer.ColorAt(10 + X, 5 + Run.Y), 0u) << X << "," << Run.Y;
}

} // namespace
