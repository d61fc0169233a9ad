#include "GdiEllipse.h"

namespace {

using Wide = __int128;

// Points of the quarter from the east point toward the top, in box-relative
// coordinates with y pointing away from the centre row.
std::vector<TEllipsePath::TPoint> FirstQuarter(std::int64_t Width, std::int64_t Height)
{
    const Wide A = Width - 1;
    const Wide B = Height - 1;
    const Wide ASq = 8 * A * A;
    const Wide BSq = 8 * B * B;
    Wide Dx = 4 * B * B * (1 - A);
    Wide Dy = 4 * A * A * (1 + (B % 2));
    Wide Err = Dx + Dy + A * A * (B % 2);
    std::vector<TEllipsePath::TPoint> Points;
    Points.reserve(static_cast<std::size_t>((Width + Height) / 2 + 2));
    std::int64_t X = Width - 1;
    std::int64_t Y = Height / 2;
    while (X >= Width / 2) {
        const Wide E2 = 2 * Err;
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

TEllipsePath::TPoint TEllipsePath::At(std::int64_t Index) const
{
    const std::int64_t Quarter = static_cast<std::int64_t>(FQuarter.size());
    const std::int64_t I = ((Index % Count()) + Count()) % Count();
    const std::int64_t K = I % Quarter;
    const TPoint Forward = FQuarter[static_cast<std::size_t>(K)];
    const TPoint Backward = FQuarter[static_cast<std::size_t>(Quarter - 1 - K)];
    switch (I / Quarter) {
    case 0:
        return { FLeft + FHalfWidth + Forward.X, FBottom - 1 - FHalfHeight - Forward.Y };
    case 1:
        return { FRight - 1 - FHalfWidth - Backward.X, FBottom - 1 - FHalfHeight - Backward.Y };
    case 2:
        return { FRight - 1 - FHalfWidth - Forward.X, FTop + FHalfHeight + Forward.Y };
    default:
        return { FLeft + FHalfWidth + Backward.X, FTop + FHalfHeight + Backward.Y };
    }
}

std::int64_t TEllipsePath::IndexOfRay(std::int64_t X, std::int64_t Y) const
{
    const Wide Rx = Wide(X) - (FLeft + FHalfWidth);
    const Wide Ry = (FTop + FHalfHeight) - Wide(Y);
    const std::int64_t Quarter = static_cast<std::int64_t>(FQuarter.size());
    std::int64_t I = 0;
    if (Ry >= 0 && Rx >= 0) {
        while (I < Quarter && FQuarter[I].X * Ry > FQuarter[I].Y * Rx)
            ++I;
        return I;
    }
    if (Ry >= 0) {
        while (I < Quarter && FQuarter[I].X * Ry >= FQuarter[I].Y * -Rx)
            ++I;
        return 2 * Quarter - I;
    }
    if (Rx >= 0) {
        while (I < Quarter && FQuarter[I].X * -Ry > FQuarter[I].Y * Rx)
            ++I;
        return 4 * Quarter - I;
    }
    while (I < Quarter && FQuarter[I].X * -Ry >= FQuarter[I].Y * -Rx)
        ++I;
    return 2 * Quarter + I;
}
