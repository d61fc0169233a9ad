#pragma once

#include <string_view>
#include <vector>

// Where the canvas font's glyphs come from: a rasteriser where one is at hand, glyphs
// rendered beforehand where none is. The font is fixed (TTextCache::FontFamily at
// TTextCache::FontPixelSize, no antialiasing), so every source gives the same pixels.
class TGlyphSource {
public:
    // Glyph pixels as horizontal runs relative to the text's top left.
    struct TRun {
        int Y;
        int XFrom;
        int XTo;
    };
    struct TMask {
        int Width = 0;
        int Height = 0;
        // From the top to the baseline.
        int Ascent = 0;
        std::vector<TRun> Runs;
    };

    virtual ~TGlyphSource() = default;

    // The glyphs of Text, whose bytes are read with the locale's 8-bit codec.
    virtual TMask Render(std::string_view Text) const = 0;
};
