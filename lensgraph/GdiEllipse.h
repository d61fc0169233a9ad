#pragma once

#include <cstdint>
#include <vector>

// The outline of the ellipse inscribed in a box as GDI walks it: a midpoint walk
// over one quarter (Zingl's algorithm), mirrored into the other three, indexed
// counter-clockwise on screen from the east point. The box is given normalised,
// its right and bottom edges outside, and at least 3 pixels wide and high.
class TEllipsePath {
public:
    struct TPoint {
        std::int64_t X;
        std::int64_t Y;
    };

    TEllipsePath(std::int64_t Left, std::int64_t Top, std::int64_t Right, std::int64_t Bottom);

    // Points in one full turn.
    std::int64_t Count() const { return 4 * static_cast<std::int64_t>(FQuarter.size()); }
    // Point Index (taken modulo Count) of the turn.
    TPoint At(std::int64_t Index) const;
    // Index of the first outline point at or past the ray from the centre through
    // (X, Y), counter-clockwise; this is where an arc toward that point starts or ends.
    std::int64_t IndexOfRay(std::int64_t X, std::int64_t Y) const;

    // Calls Row(Y, Left, Right) for each row of the outline with the innermost
    // outline columns on its two sides; the interior lies strictly between them.
    template <class TRow> void ForEachRow(TRow&& Row) const
    {
        for (std::size_t K = 0; K < FQuarter.size(); ++K) {
            if (K + 1 < FQuarter.size() && FQuarter[K + 1].Y == FQuarter[K].Y)
                continue;
            const std::int64_t Left = FRight - 1 - FHalfWidth - FQuarter[K].X;
            const std::int64_t Right = FLeft + FHalfWidth + FQuarter[K].X;
            Row(FBottom - 1 - FHalfHeight - FQuarter[K].Y, Left, Right);
            Row(FTop + FHalfHeight + FQuarter[K].Y, Left, Right);
        }
    }

private:
    std::int64_t FLeft, FTop, FRight, FBottom;
    std::int64_t FHalfWidth, FHalfHeight;
    // The first quarter relative to the centre, x falling and y rising.
    std::vector<TPoint> FQuarter;
};
