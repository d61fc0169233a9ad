#pragma once

#include <algorithm>
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
    // Index of the first outline point at or past the ray from the centre through
    // (X, Y), counter-clockwise; this is where an arc toward that point starts or ends.
    std::int64_t IndexOfRay(std::int64_t X, std::int64_t Y) const;

    // Calls Plot(Point) for the points of indices [From, To) that lie in rows
    // [RowFrom, RowTo), in order; the points of other rows are skipped unvisited.
    template <class TPlot>
    void ForEachPoint(
        std::int64_t From, std::int64_t To, std::int64_t RowFrom, std::int64_t RowTo, TPlot&& Plot) const
    {
        ForEachStep(From, To, RowFrom, RowTo, [&](int, std::int64_t, const TPoint& Point) { Plot(Point); });
    }

    // Calls Plot(Point) for the points an arc from index From to To paints, within
    // rows [RowFrom, RowTo). The arc is a polyline through the outline points: each
    // segment paints its first point unless it has no length, and the last point is
    // left out. Only where two quarters meet can a segment have no length.
    template <class TPlot>
    void ForEachArcPoint(
        std::int64_t From, std::int64_t To, std::int64_t RowFrom, std::int64_t RowTo, TPlot&& Plot) const
    {
        const std::int64_t Last = static_cast<std::int64_t>(FQuarter.size()) - 1;
        ForEachStep(From, To - 1, RowFrom, RowTo, [&](int Part, std::int64_t J, const TPoint& Point) {
            const bool QuarterEnd = J == (Forward(Part) ? Last : 0);
            if (!QuarterEnd || !Same(Point, Mapped((Part + 1) % 4, J)))
                Plot(Point);
        });
    }

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
    // Walk points [From, To).
    struct TWalkRange {
        std::int64_t From;
        std::int64_t To;
    };

    // Quarters 0 and 2 of the turn run along the walk, 1 and 3 against it.
    static bool Forward(int Part) { return Part % 2 == 0; }
    static bool Same(const TPoint& A, const TPoint& B) { return A.X == B.X && A.Y == B.Y; }
    // Walk point J placed in quarter Part of the turn.
    TPoint Mapped(int Part, std::int64_t J) const;
    // The walk points whose rows in quarter Part lie in [RowFrom, RowTo).
    TWalkRange VisibleWalk(int Part, std::int64_t RowFrom, std::int64_t RowTo) const;

    // Calls Visit(Part, J, Point) for the points of indices [From, To) in rows
    // [RowFrom, RowTo), with the quarter of the turn and the walk point of each.
    template <class TVisit>
    void ForEachStep(
        std::int64_t From, std::int64_t To, std::int64_t RowFrom, std::int64_t RowTo, TVisit&& Visit) const
    {
        const std::int64_t Quarter = static_cast<std::int64_t>(FQuarter.size());
        for (std::int64_t I = From; I < To; I += Quarter - I % Quarter) {
            const int Part = static_cast<int>(I / Quarter % 4);
            // Steps [First, End) of this quarter, counted in its own direction.
            const std::int64_t First = I % Quarter;
            const std::int64_t End = std::min(Quarter, First + (To - I));
            const TWalkRange Walk = VisibleWalk(Part, RowFrom, RowTo);
            if (Forward(Part)) {
                for (std::int64_t J = std::max(First, Walk.From); J < std::min(End, Walk.To); ++J)
                    Visit(Part, J, Mapped(Part, J));
            } else {
                for (std::int64_t J = std::min(Quarter - 1 - First, Walk.To - 1);
                     J >= std::max(Quarter - End, Walk.From); --J)
                    Visit(Part, J, Mapped(Part, J));
            }
        }
    }

    std::int64_t FLeft, FTop, FRight, FBottom;
    std::int64_t FHalfWidth, FHalfHeight;
    // The first quarter relative to the centre, x falling and y rising.
    std::vector<TPoint> FQuarter;
};
