#pragma once

#include "TGlyphSource.h"

// The canvas font's glyphs drawn by Qt's rasteriser, without antialiasing, so the pixels
// are exact and repeatable. Rendering needs a QGuiApplication.
class TQtGlyphSource final : public TGlyphSource {
public:
    TMask Render(std::string_view Text) const override;

    // Makes one instance for the whole program the canvas's glyph source (TTextCache);
    // calling it again changes nothing.
    static void Install();
};
