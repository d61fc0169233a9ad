#include "LenseOutline.h"

#include "PixelFrame.h"

#include <cmath>

namespace {

std::optional<std::int64_t> T(double Value)
{
    return TPixelFrame::Trunc(Value);
}

} // namespace

std::optional<TLenseOutline> LenseOutline(const TLenseDiagramState& S, int Width, int Height, bool Concave)
{
    const TPixelFrame frame(Width, Height);
    const double h = Height * S.LenseHeightRatio;
    const double w = h * S.LenseWidthRatio;
    if (w == 0.0 || !std::isfinite(w))
        return std::nullopt;
    const double d = (h * h - w * w) / (2.0 * w);
    const double R = d + w;
    const double t = Concave ? S.ConcaveThick + w : 0.0;
    const std::int64_t xc = static_cast<std::int64_t>(frame.Cx()) + 1;
    const double cy = frame.Cy();

    const std::optional<std::int64_t> values[] = {
        T(xc + ((d - R) + t)),
        T(cy - R),
        T(xc + ((d + R) + t)),
        T(cy + R),
        T(xc + t),
        T(cy - h),
        T(xc + t),
        T(cy + h),
        T(xc - ((d - R) + t)),
        T(cy - R),
        T(xc - ((d + R) + t)),
        T(cy + R),
        T(xc - t),
        T(cy + h),
        T(xc - t),
        T(cy - h),
        T(xc - t - 1),
        T(xc + t + 1),
        T(cy - h),
        T(cy + h),
        T(cy - h + 1),
        T(cy + h - 1),
    };
    for (const auto& v : values)
        if (!v)
            return std::nullopt;
    auto v = [&](int i) { return *values[i]; };

    TLenseOutline o;
    o.Arc1 = { v(0), v(1), v(2), v(3), v(4), v(5), v(6), v(7) };
    o.Arc2 = { v(8), v(9), v(10), v(11), v(12), v(13), v(14), v(15) };
    o.HasEdges = Concave;
    for (int i = 0; i < 4; ++i)
        o.Edges[i] = { v(16), v(17), v(18 + i) };
    o.SeedX = xc;
    o.SeedY = frame.Cy();
    return o;
}
