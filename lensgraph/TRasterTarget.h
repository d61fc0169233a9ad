#pragma once

#include "TCanvas.h"
#include "TDrawTarget.h"

class TPixelBuffer;

// The composition's calls drawn into a pixel buffer by TCanvas, pixel for pixel
// as the Windows GDI draws them.
class TRasterTarget final : public TDrawTarget {
public:
    explicit TRasterTarget(TPixelBuffer& Buffer);

    void SetPenColor(TColor Color) override { FCanvas.SetPenColor(Color); }
    void SetPenStyle(TPenStyle Style) override { FCanvas.SetPenStyle(Style); }
    void SetBrushColor(TColor Color) override { FCanvas.SetBrushColor(Color); }
    void SetBrushStyle(TBrushStyle Style) override { FCanvas.SetBrushStyle(Style); }

    void FillRect(std::int64_t Left, std::int64_t Top, std::int64_t Right, std::int64_t Bottom) override;
    void MoveTo(std::int64_t X, std::int64_t Y) override;
    void LineTo(std::int64_t X, std::int64_t Y) override;
    void Arc(std::int64_t Left, std::int64_t Top, std::int64_t Right, std::int64_t Bottom,
        std::int64_t StartX, std::int64_t StartY, std::int64_t EndX, std::int64_t EndY) override;
    void Ellipse(std::int64_t Left, std::int64_t Top, std::int64_t Right, std::int64_t Bottom) override;
    int TextWidth(std::string_view Text) const override;
    void TextOut(std::int64_t X, std::int64_t Y, std::string_view Text) override;

    // A border flood fill from the outline's seed, left out when the seed does not
    // lie between the two faces (a lens too thin to have an inside).
    void FillLenseBody(const TLenseOutline& Outline, TColor Border) override;

private:
    bool SeedBetweenFaces(std::int64_t X, std::int64_t Y, TColor Border) const;

    const TPixelBuffer& FBuffer;
    TCanvas FCanvas;
};
