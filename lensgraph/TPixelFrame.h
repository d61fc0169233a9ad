#pragma once

#include "uVectors.h"

#include <cstdint>
#include <optional>

// The one mapping between optics and pixels: the lens centre sits at
// (Width div 2, Height div 2), optics y points up, and a computed coordinate
// becomes a pixel by truncation toward zero, never by rounding.
class TPixelFrame {
public:
    struct TPixel {
        std::int64_t X = 0;
        std::int64_t Y = 0;
    };

    TPixelFrame(int Width, int Height)
        : FCx(Width / 2)
        , FCy(Height / 2)
    {
    }

    std::int32_t Cx() const { return FCx; }
    std::int32_t Cy() const { return FCy; }

    // The pixel of an optics point; none when a coordinate is not a number or infinite.
    // Far finite points saturate at the canvas's coordinate limit.
    std::optional<TPixel> ToPixel(uVectors::TVector2D P) const;

    // A truncated coordinate, saturated like ToPixel; none when not finite.
    static std::optional<std::int64_t> Trunc(double Value);
    // A truncated coordinate where the diagram's 32-bit arithmetic goes on with it;
    // throws CheckedInt::EIntOverflow when not finite or outside 32 bits.
    static std::int32_t TruncInt32(double Value);

private:
    std::int32_t FCx;
    std::int32_t FCy;
};
