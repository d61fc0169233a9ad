#include "TEllipsePath.h"

TEllipsePath::TEllipsePath(std::int64_t Left, std::int64_t Top, std::int64_t Right, std::int64_t Bottom)
    : FLeft(Left)
    , FTop(Top)
    , FRight(Right)
    , FBottom(Bottom)
    , FHalfWidth((Right - Left) / 2)
    , FHalfHeight((Bottom - Top) / 2)
    , FWalk(Right - Left, Bottom - Top)
{
}

TEllipsePath::TPosition TEllipsePath::PositionOfRay(std::int64_t X, std::int64_t Y)
{
    using Wide = __int128;
    const Wide Rx = Wide(X) - (FLeft + FHalfWidth);
    const Wide Ry = (FTop + FHalfHeight) - Wide(Y);
    // Walk coordinates stay below 2^17, so rays this short compare in 64 bits.
    constexpr Wide Short = Wide(1) << 45;
    if (Rx > -Short && Rx < Short && Ry > -Short && Ry < Short)
        return RayPosition(static_cast<std::int64_t>(Rx), static_cast<std::int64_t>(Ry));
    return RayPosition(Rx, Ry);
}

template <class TInt> TEllipsePath::TPosition TEllipsePath::RayPosition(TInt Rx, TInt Ry)
{
    // Along the walk x falls and y rises, so the points short of the ray's angle
    // within its quarter come first.
    if (Ry >= 0 && Rx >= 0) {
        const std::int64_t I = FWalk.CountWhile([&](const TPoint& P) { return P.X * Ry > P.Y * Rx; });
        return FWalk.Has(I) ? TPosition { 0, I } : TPosition { 1, I - 1 };
    }
    if (Ry >= 0) {
        const std::int64_t I = FWalk.CountWhile([&](const TPoint& P) { return P.X * Ry >= P.Y * -Rx; });
        return I == 0 ? TPosition { 2, 0 } : TPosition { 1, I - 1 };
    }
    if (Rx >= 0) {
        const std::int64_t I = FWalk.CountWhile([&](const TPoint& P) { return P.X * -Ry > P.Y * Rx; });
        return I == 0 ? TPosition { 4, 0 } : TPosition { 3, I - 1 };
    }
    const std::int64_t I = FWalk.CountWhile([&](const TPoint& P) { return P.X * -Ry >= P.Y * -Rx; });
    return FWalk.Has(I) ? TPosition { 2, I } : TPosition { 3, I - 1 };
}

bool TEllipsePath::Before(const TPosition& A, const TPosition& B)
{
    if (A.Quarter != B.Quarter)
        return A.Quarter < B.Quarter;
    return Forward(A.Quarter) ? A.J < B.J : A.J > B.J;
}

TEllipsePath::TPosition TEllipsePath::Previous(const TPosition& P)
{
    // Neighbouring quarters meet at the same walk point: the walk's start or its end.
    if (Forward(P.Quarter))
        return P.J == 0 ? TPosition { P.Quarter - 1, 0 } : TPosition { P.Quarter, P.J - 1 };
    return FWalk.Has(P.J + 1) ? TPosition { P.Quarter, P.J + 1 } : TPosition { P.Quarter - 1, P.J };
}

TEllipsePath::TMirror TEllipsePath::MirrorOf(std::int64_t Quarter) const
{
    const std::int64_t InTurn = Quarter % 4;
    const bool East = InTurn == 0 || InTurn == 3;
    const bool North = InTurn < 2;
    return { East ? FLeft + FHalfWidth : FRight - 1 - FHalfWidth, East ? 1 : -1,
        North ? FBottom - 1 - FHalfHeight : FTop + FHalfHeight, North ? -1 : 1 };
}

TEllipsePath::TRange TEllipsePath::VisibleWalk(std::int64_t Quarter, std::int64_t RowFrom, std::int64_t RowTo)
{
    // The walk's y rises, so the visible points are the run between two heights.
    if (Quarter % 4 < 2)
        return { FWalk.FirstAtHeight(FBottom - FHalfHeight - RowTo),
            FWalk.FirstAtHeight(FBottom - FHalfHeight - RowFrom) };
    return { FWalk.FirstAtHeight(RowFrom - (FTop + FHalfHeight)),
        FWalk.FirstAtHeight(RowTo - (FTop + FHalfHeight)) };
}
