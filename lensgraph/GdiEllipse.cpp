#include "GdiEllipse.h"

#include <algorithm>

namespace {

using Wide = __int128;

// Boxes up to this size keep the walk's error terms well inside 64 bits (they stay
// below 8 * Width^2 * Height^2); larger ones need 128.
constexpr std::int64_t NarrowLimit = std::int64_t { 1 } << 14;

// Points of the quarter from the east point toward the top, in box-relative
// coordinates with y pointing away from the centre row.
template <class TInt> std::vector<TEllipsePath::TPoint> WalkQuarter(std::int64_t Width, std::int64_t Height)
{
    const TInt A = Width - 1;
    const TInt B = Height - 1;
    const TInt ASq = 8 * A * A;
    const TInt BSq = 8 * B * B;
    TInt Dx = 4 * B * B * (1 - A);
    TInt Dy = 4 * A * A * (1 + (B % 2));
    TInt Err = Dx + Dy + A * A * (B % 2);
    std::vector<TEllipsePath::TPoint> Points;
    Points.reserve(static_cast<std::size_t>((Width + Height) / 2 + 2));
    std::int64_t X = Width - 1;
    std::int64_t Y = Height / 2;
    while (X >= Width / 2) {
        const TInt E2 = 2 * Err;
        Points.push_back({ X - Width / 2, Y - Height / 2 });
        if (E2 >= Dx) {
            --X;
            Dx += BSq;
            Err += Dx;
        }
        if (E2 <= Dy) {
            ++Y;
            Dy += ASq;
            Err += Dy;
        }
    }
    return Points;
}

std::vector<TEllipsePath::TPoint> FirstQuarter(std::int64_t Width, std::int64_t Height)
{
    if (Width <= NarrowLimit && Height <= NarrowLimit)
        return WalkQuarter<std::int64_t>(Width, Height);
    return WalkQuarter<Wide>(Width, Height);
}

} // namespace

TEllipsePath::TEllipsePath(std::int64_t Left, std::int64_t Top, std::int64_t Right, std::int64_t Bottom)
    : FLeft(Left)
    , FTop(Top)
    , FRight(Right)
    , FBottom(Bottom)
    , FHalfWidth((Right - Left) / 2)
    , FHalfHeight((Bottom - Top) / 2)
    , FQuarter(FirstQuarter(Right - Left, Bottom - Top))
{
}

TEllipsePath::TPoint TEllipsePath::Mapped(int Part, std::int64_t J) const
{
    const TPoint Walk = FQuarter[static_cast<std::size_t>(J)];
    const std::int64_t X
        = Part == 0 || Part == 3 ? FLeft + FHalfWidth + Walk.X : FRight - 1 - FHalfWidth - Walk.X;
    const std::int64_t Y = Part < 2 ? FBottom - 1 - FHalfHeight - Walk.Y : FTop + FHalfHeight + Walk.Y;
    return { X, Y };
}

TEllipsePath::TWalkRange TEllipsePath::VisibleWalk(int Part, std::int64_t RowFrom, std::int64_t RowTo) const
{
    // The walk's y rises, so the visible points are the run between two heights.
    std::int64_t Low = RowFrom - (FTop + FHalfHeight);
    std::int64_t High = RowTo - (FTop + FHalfHeight);
    if (Part < 2) {
        Low = FBottom - FHalfHeight - RowTo;
        High = FBottom - FHalfHeight - RowFrom;
    }
    const auto Below = [](const TPoint& P, std::int64_t Y) { return P.Y < Y; };
    const auto From = std::lower_bound(FQuarter.begin(), FQuarter.end(), Low, Below);
    const auto To = std::lower_bound(From, FQuarter.end(), High, Below);
    return { From - FQuarter.begin(), To - FQuarter.begin() };
}

std::int64_t TEllipsePath::IndexOfRay(std::int64_t X, std::int64_t Y) const
{
    const Wide Rx = Wide(X) - (FLeft + FHalfWidth);
    const Wide Ry = (FTop + FHalfHeight) - Wide(Y);
    const std::int64_t Quarter = static_cast<std::int64_t>(FQuarter.size());
    // Along the walk x falls and y rises, so the points short of the ray's angle
    // within its quarter form a prefix.
    const auto Before = [&](auto ShortOf) {
        return std::partition_point(FQuarter.begin(), FQuarter.end(), ShortOf) - FQuarter.begin();
    };
    if (Ry >= 0 && Rx >= 0)
        return Before([&](const TPoint& P) { return P.X * Ry > P.Y * Rx; });
    if (Ry >= 0)
        return 2 * Quarter - Before([&](const TPoint& P) { return P.X * Ry >= P.Y * -Rx; });
    if (Rx >= 0)
        return 4 * Quarter - Before([&](const TPoint& P) { return P.X * -Ry > P.Y * Rx; });
    return 2 * Quarter + Before([&](const TPoint& P) { return P.X * -Ry >= P.Y * -Rx; });
}
