#include "TStoredGlyphSource.h"

#include "LenseDiagram.h"
#include "LenseStartValues.h"
#include "TPixelBuffer.h"
#include "TQtGlyphSource.h"
#include "TTextCache.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr const char* Regenerate = "stale: build fokalis-glyphs and run "
                                   "'fokalis-glyphs | clang-format --assume-filename=x.cpp > "
                                   "lensgraph/LenseCaptionGlyphs.cpp'";

bool SameMask(const TGlyphSource::TMask& A, const TGlyphSource::TMask& B)
{
    return A.Width == B.Width && A.Height == B.Height && A.Ascent == B.Ascent
        && A.Runs.size() == B.Runs.size()
        && std::equal(A.Runs.begin(), A.Runs.end(), B.Runs.begin(), [](const auto& RA, const auto& RB) {
               return RA.Y == RB.Y && RA.XFrom == RB.XFrom && RA.XTo == RB.XTo;
           });
}

void Paint(const TGlyphSource& Source, const TLenseDiagramState& State, TPixelBuffer& Buffer)
{
    TTextCache::SetGlyphSource(&Source);
    PaintLenseDiagram(State, Buffer, StartDiagramWidth, StartDiagramHeight);
    TTextCache::SetGlyphSource(nullptr);
}

// The checked-in glyphs are what this machine's rasteriser draws now, so a build without
// one (the page) paints the desktop's pixels, captions included.
TEST(TStoredGlyphSource, TheCaptionGlyphsAreTheDesktopsAndPaintTheSamePixels)
{
    const TQtGlyphSource Desktop;
    const TStoredGlyphSource& Stored = TStoredGlyphSource::LenseCaptionGlyphs();
    for (std::string_view Caption : LenseCaptions)
        ASSERT_TRUE(SameMask(Stored.Render(Caption), Desktop.Render(Caption)))
            << Caption << ": " << Regenerate;
    EXPECT_TRUE(SameMask(Stored.Render("3F"), {})) << "a text outside the table has no glyphs";

    TLenseDiagramState State = LenseStartValues();
    State.LenseType = TLenseType::ltConcave;
    TPixelBuffer FromDesktop;
    TPixelBuffer FromStored;
    Paint(Desktop, State, FromDesktop);
    Paint(Stored, State, FromStored);
    for (int Y = 0; Y < StartDiagramHeight; ++Y)
        ASSERT_TRUE(std::equal(
            FromDesktop.Scanline(Y), FromDesktop.Scanline(Y) + StartDiagramWidth, FromStored.Scanline(Y)))
            << "row " << Y;
}

} // namespace
