#pragma once

#include "TGlyphSource.h"

#include <string_view>

// Captions rendered once in the canvas font and kept for the life of the program,
// so drawing a caption is a blit of its glyph pixels. The glyphs come from the
// installed glyph source; without one every text is empty (no width, no glyphs).
// Safe to call from several threads.
class TTextCache {
public:
    static constexpr const char* FontFamily = "DejaVu Sans";
    static constexpr int FontPixelSize = 13;

    using TRun = TGlyphSource::TRun;
    using TMask = TGlyphSource::TMask;

    // Source renders every text from now on and must outlive its use; nullptr removes it.
    // Installing another source drops the masks of the one before, so it belongs before
    // drawing starts. Installing the same source again changes nothing.
    static void SetGlyphSource(const TGlyphSource* Source);

    static const TMask& Mask(std::string_view Text);
};
