#pragma once

#include <string_view>
#include <vector>

// Captions rendered once in the canvas font and kept for the life of the program,
// so drawing a caption is a blit of its glyph pixels. The font is fixed (DejaVu
// Sans, 13 pixels, no antialiasing), so the pixels are exact and repeatable.
// Needs a QGuiApplication. Safe to call from several threads.
class TTextCache {
public:
    static constexpr const char* FontFamily = "DejaVu Sans";
    static constexpr int FontPixelSize = 13;

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

    // Bytes are converted with the locale's 8-bit codec.
    static const TMask& Mask(std::string_view Text);
};
