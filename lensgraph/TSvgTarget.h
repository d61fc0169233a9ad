#pragma once

#include "TDrawTarget.h"

#include <cstdint>
#include <string>
#include <string_view>

// Value (0x00BBGGRR) as "#rrggbb", the way SVG and CSS write a colour.
std::string HexColor(TColor Value);

// The composition's calls written as an SVG 1.1 drawing of Width x Height pixels,
// element by element in drawing order, so later ones cover earlier ones as on the
// raster. Coordinates are the raster's: pixel (X, Y) is the square from (X, Y) to
// (X + 1, Y + 1), and a 1-pixel stroke runs through pixel centres. Lines are cut
// to the drawing's surroundings, so far-away end points never reach the file;
// a dotted pen becomes a dash pattern in step with the raster's dots, its gaps
// painted in the brush colour while the brush is solid. Text uses the canvas font
// by name, its bytes read as UTF-8 (the locale's 8-bit codec here; a byte that starts
// no well-formed character becomes U+FFFD) and escaped.
// Text widths come from the installed glyph source (TTextCache).
class TSvgTarget final : public TDrawTarget {
public:
    TSvgTarget(int Width, int Height);

    void SetPenColor(TColor Color) override;
    void SetPenStyle(TPenStyle Style) override { FPenStyle = Style; }
    void SetBrushColor(TColor Color) override { FBrushColor = Color & 0xFFFFFFu; }
    void SetBrushStyle(TBrushStyle Style) override { FBrushStyle = Style; }

    void FillRect(std::int64_t Left, std::int64_t Top, std::int64_t Right, std::int64_t Bottom) override;
    void MoveTo(std::int64_t X, std::int64_t Y) override;
    void LineTo(std::int64_t X, std::int64_t Y) override;
    void Arc(std::int64_t Left, std::int64_t Top, std::int64_t Right, std::int64_t Bottom,
        std::int64_t StartX, std::int64_t StartY, std::int64_t EndX, std::int64_t EndY) override;
    void Ellipse(std::int64_t Left, std::int64_t Top, std::int64_t Right, std::int64_t Bottom) override;
    int TextWidth(std::string_view Text) const override;
    void TextOut(std::int64_t X, std::int64_t Y, std::string_view Text) override;

    // Fills the closed shape of the two faces, joined by the concave lens's edges.
    void FillLenseBody(const TLenseOutline& Outline, TColor Border) override;

    // The whole document drawn so far, ending any open run of lines.
    std::string Document();

private:
    void Flush();
    void SolidLine(long double X0, long double Y0, long double X1, long double Y1);
    void DottedLine(long double X0, long double Y0, long double X1, long double Y1);

    int FWidth;
    int FHeight;
    std::string FBody;
    // Consecutive solid lines of one pen collect into one path.
    std::string FPath;
    long double FPathX = 0;
    long double FPathY = 0;
    TColor FPenColor = 0;
    TPenStyle FPenStyle = TPenStyle::Solid;
    TColor FBrushColor = 0xFFFFFF;
    TBrushStyle FBrushStyle = TBrushStyle::Solid;
    std::int64_t FPenX = 0;
    std::int64_t FPenY = 0;
};
