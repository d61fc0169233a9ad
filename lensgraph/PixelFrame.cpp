#include "PixelFrame.h"

#include "GdiCanvas.h"

#include <cmath>

std::optional<std::int64_t> TPixelFrame::Trunc(double Value)
{
    if (!std::isfinite(Value))
        return std::nullopt;
    constexpr double limit = static_cast<double>(TCanvas::CoordinateLimit);
    const double t = std::trunc(Value);
    if (t >= limit)
        return TCanvas::CoordinateLimit;
    if (t <= -limit)
        return -TCanvas::CoordinateLimit;
    return static_cast<std::int64_t>(t);
}

std::optional<TPixelFrame::TPixel> TPixelFrame::ToPixel(uVectors::TVector2D P) const
{
    const auto x = Trunc(P.X);
    const auto y = Trunc(P.Y);
    if (!x || !y)
        return std::nullopt;
    return TPixel { FCx + *x, FCy - *y };
}
