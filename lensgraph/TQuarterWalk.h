#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

// One quarter of the outline of the ellipse inscribed in a Width x Height box as
// GDI walks it (Zingl's midpoint algorithm): from the east point toward the top,
// relative to the centre, x falling and y rising. Points are generated only as far
// as they are asked for, so a huge ellipse seen through a small window costs the
// rows it shows. Width and Height are at least 1 and at most 2^16.
class TQuarterWalk {
public:
    struct TPoint {
        std::int64_t X;
        std::int64_t Y;
    };

    TQuarterWalk(std::int64_t Width, std::int64_t Height);

    // Whether the walk has a point J, walking on as far as needed.
    bool Has(std::int64_t J)
    {
        if (J < Size())
            return true;
        WalkUntil([&] { return J < Size(); });
        return J < Size();
    }
    // Point J, which Has(J) has confirmed.
    const TPoint& operator[](std::int64_t J) const { return FPoints[static_cast<std::size_t>(J)]; }
    // The index of the first point at least Y from the centre row (the point count
    // if none is), walking on only that far.
    std::int64_t FirstAtHeight(std::int64_t Y);
    // The number of leading points for which Holds(Point) is true; Holds must turn
    // false at most once along the walk.
    template <class TPredicate> std::int64_t CountWhile(TPredicate&& Holds)
    {
        if (FPoints.empty() || Holds(FPoints.back()))
            WalkUntil([&] { return !Holds(FPoints.back()); });
        return std::partition_point(FPoints.begin(), FPoints.end(), Holds) - FPoints.begin();
    }

private:
    using Wide = __int128;

    std::int64_t Size() const { return static_cast<std::int64_t>(FPoints.size()); }

    // Takes steps until Stop() holds after one of them or the walk ends.
    template <class TStop> void WalkUntil(TStop&& Stop)
    {
        if (FNarrow)
            Walk<std::int64_t>(Stop);
        else
            Walk<Wide>(Stop);
    }

    // The walk with its error terms in TInt, held in locals while it runs.
    template <class TInt, class TStop> void Walk(TStop& Stop)
    {
        const TInt ASq = static_cast<TInt>(FASq);
        const TInt BSq = static_cast<TInt>(FBSq);
        TInt Dx = static_cast<TInt>(FDx);
        TInt Dy = static_cast<TInt>(FDy);
        TInt Err = static_cast<TInt>(FErr);
        while (FX >= FWidth / 2) {
            const TInt E2 = 2 * Err;
            FPoints.push_back({ FX - FWidth / 2, FY - FHeight / 2 });
            if (E2 >= Dx) {
                --FX;
                Dx += BSq;
                Err += Dx;
            }
            if (E2 <= Dy) {
                ++FY;
                Dy += ASq;
                Err += Dy;
            }
            if (Stop())
                break;
        }
        FDx = Dx;
        FDy = Dy;
        FErr = Err;
    }

    std::int64_t FWidth;
    std::int64_t FHeight;
    // Whether the error terms fit 64 bits.
    bool FNarrow;
    std::int64_t FX;
    std::int64_t FY;
    Wide FASq, FBSq, FDx, FDy, FErr;
    std::vector<TPoint> FPoints;
};
