#pragma once

#include "TCanvas.h"

#include <cstdint>
#include <string_view>

struct TLenseOutline;

// What the diagram's composition draws on: the GDI calls it issues, with their
// meaning as on TCanvas, so that one composition drives the raster canvas and the
// vector drawing alike. Coordinates are pixels of the diagram.
class TDrawTarget {
public:
    virtual ~TDrawTarget() = default;

    virtual void SetPenColor(TColor Color) = 0;
    virtual void SetPenStyle(TPenStyle Style) = 0;
    virtual void SetBrushColor(TColor Color) = 0;
    virtual void SetBrushStyle(TBrushStyle Style) = 0;

    virtual void FillRect(std::int64_t Left, std::int64_t Top, std::int64_t Right, std::int64_t Bottom) = 0;
    virtual void MoveTo(std::int64_t X, std::int64_t Y) = 0;
    virtual void LineTo(std::int64_t X, std::int64_t Y) = 0;
    virtual void Arc(std::int64_t Left, std::int64_t Top, std::int64_t Right, std::int64_t Bottom,
        std::int64_t StartX, std::int64_t StartY, std::int64_t EndX, std::int64_t EndY)
        = 0;
    virtual void Ellipse(std::int64_t Left, std::int64_t Top, std::int64_t Right, std::int64_t Bottom) = 0;
    virtual int TextWidth(std::string_view Text) const = 0;
    virtual void TextOut(std::int64_t X, std::int64_t Y, std::string_view Text) = 0;

    // Fills the inside of a lens body whose faces and edges are already drawn in
    // Border, with the brush: a raster target floods from the outline's seed, a
    // vector target fills the closed shape of the faces and edges.
    virtual void FillLenseBody(const TLenseOutline& Outline, TColor Border) = 0;
};
