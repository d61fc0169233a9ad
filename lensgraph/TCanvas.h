#pragma once

#include <cstdint>
#include <string_view>

#include "TPixelBuffer.h"

enum class TPenStyle : std::uint8_t { Solid, Dotted };
enum class TBrushStyle : std::uint8_t { Solid, Clear };

// Raster drawing with the pixel rules of the Windows GDI, over a TPixelBuffer:
// a line leaves out its end pixel; the dotted pen paints 3 pixels on, 3 off and,
// while the brush is solid, paints its gaps in the brush colour; arcs run
// counter-clockwise on the ellipse inscribed in a normalised box whose right and
// bottom edges lie outside; the flood fill is a border fill.
//
// Coordinates may lie anywhere in the 64-bit range: what falls outside the buffer
// is clipped, and the work never grows with the off-screen length. Values beyond
// +-CoordinateLimit are clamped to it.
class TCanvas {
public:
    static constexpr std::int64_t CoordinateLimit = std::int64_t { 1 } << 60;

    explicit TCanvas(TPixelBuffer& Target);

    void SetPenColor(TColor Color);
    TColor PenColor() const { return FPenColor; }
    void SetPenStyle(TPenStyle Style) { FPenStyle = Style; }
    TPenStyle PenStyle() const { return FPenStyle; }
    void SetBrushColor(TColor Color);
    TColor BrushColor() const { return FBrushColor; }
    void SetBrushStyle(TBrushStyle Style) { FBrushStyle = Style; }
    TBrushStyle BrushStyle() const { return FBrushStyle; }

    // Fills [Left, Right) x [Top, Bottom) with the brush colour.
    void FillRect(std::int64_t Left, std::int64_t Top, std::int64_t Right, std::int64_t Bottom);
    void MoveTo(std::int64_t X, std::int64_t Y);
    // Draws from the current position up to, not including, (X, Y), which becomes current.
    void LineTo(std::int64_t X, std::int64_t Y);
    void Arc(std::int64_t Left, std::int64_t Top, std::int64_t Right, std::int64_t Bottom,
        std::int64_t StartX, std::int64_t StartY, std::int64_t EndX, std::int64_t EndY);
    // Arcs and ellipses are outlined with a solid pen whatever the pen style. Boxes
    // up to 65536 pixels follow GDI's outline walk exactly; larger ones are scanned
    // row by row over the visible rows only.
    // Outline in the pen colour, interior in the brush colour (none when the brush is clear).
    void Ellipse(std::int64_t Left, std::int64_t Top, std::int64_t Right, std::int64_t Bottom);
    // 4-connected fill with the brush from (X, Y) up to pixels of Border; a seed of
    // the border colour, or outside the buffer, fills nothing.
    void FloodFill(std::int64_t X, std::int64_t Y, TColor Border);

    // Text in the canvas font (no antialiasing, so pixels are exact), the text colour
    // black; the glyphs come from the installed glyph source (TTextCache).
    int TextWidth(std::string_view Text) const;
    // Top left at (X, Y); with a solid brush the text box is filled with the brush
    // colour first, with a clear brush nothing but the glyphs is painted.
    void TextOut(std::int64_t X, std::int64_t Y, std::string_view Text);

    // Copies Source with its top left at (X, Y), clipped to this canvas.
    void Draw(std::int64_t X, std::int64_t Y, const TPixelBuffer& Source);

private:
    TPixelBuffer& FTarget;
    TColor FPenColor = 0;
    TPenStyle FPenStyle = TPenStyle::Solid;
    TColor FBrushColor = 0xFFFFFF;
    TBrushStyle FBrushStyle = TBrushStyle::Solid;
    std::int64_t FPenX = 0;
    std::int64_t FPenY = 0;
};
