#include "TPixelFrame.h"

#include "CheckedInt.h"
#include "TCanvas.h"

#include <cmath>

std::optional<std::int64_t> TPixelFrame::Trunc(double Value)
{
    if (!std::isfinite(Value))
        return std::nullopt;
    constexpr double Limit = static_cast<double>(TCanvas::CoordinateLimit);
    const double Truncated = std::trunc(Value);
    if (Truncated >= Limit)
        return TCanvas::CoordinateLimit;
    if (Truncated <= -Limit)
        return -TCanvas::CoordinateLimit;
    return static_cast<std::int64_t>(Truncated);
}

std::int32_t TPixelFrame::TruncInt32(double Value)
{
    const double Truncated = std::trunc(Value);
    if (!(Truncated >= INT32_MIN && Truncated <= INT32_MAX))
        throw CheckedInt::EIntOverflow();
    return static_cast<std::int32_t>(Truncated);
}

std::optional<TPixelFrame::TPixel> TPixelFrame::ToPixel(uVectors::TVector2D P) const
{
    const auto X = Trunc(P.X);
    const auto Y = Trunc(P.Y);
    if (!X || !Y)
        return std::nullopt;
    return TPixel { FCx + *X, FCy - *Y };
}
