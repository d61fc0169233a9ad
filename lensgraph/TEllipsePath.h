#pragma once

#include "TQuarterWalk.h"

#include <algorithm>
#include <cstdint>
#include <limits>

// The outline of the ellipse inscribed in a box as GDI walks it: a midpoint walk
// over one quarter, mirrored into the other three, run counter-clockwise on screen
// from the east point. The box is given normalised, its right and bottom edges
// outside, and at most 2^16 pixels wide and high. Only the walk points of the rows
// asked for are generated.
class TEllipsePath {
public:
    using TPoint = TQuarterWalk::TPoint;

    // A place on the outline: walk point J in the turn's quarter Quarter, counting
    // quarters from the east point on, past 3 for later turns. Quarters 0 and 2 run
    // along the walk, 1 and 3 against it.
    struct TPosition {
        std::int64_t Quarter;
        std::int64_t J;
    };

    TEllipsePath(std::int64_t Left, std::int64_t Top, std::int64_t Right, std::int64_t Bottom);

    // The first outline point at or past the ray from the centre through (X, Y),
    // counter-clockwise; this is where an arc toward that point starts or ends.
    TPosition PositionOfRay(std::int64_t X, std::int64_t Y);
    // Whether A comes before B.
    static bool Before(const TPosition& A, const TPosition& B);

    // Calls Plot(Point) for the points an arc from From up to To paints, within rows
    // [RowFrom, RowTo). The arc is a polyline through the outline points: each
    // segment paints its first point unless it has no length, and the last point is
    // left out. Only where two quarters meet can a segment have no length.
    template <class TPlot>
    void ForEachArcPoint(TPosition From, TPosition To, std::int64_t RowFrom, std::int64_t RowTo, TPlot&& Plot)
    {
        ForEachStep(From, Previous(To), RowFrom, RowTo,
            [&](std::int64_t Quarter, std::int64_t J, const TPoint& Point) {
                const bool QuarterEnd = Forward(Quarter) ? !FWalk.Has(J + 1) : J == 0;
                if (!QuarterEnd || !Same(Point, Mapped(Quarter + 1, J)))
                    Plot(Point);
            });
    }

    // Calls Plot(Point) for every point of the outline within rows [RowFrom, RowTo).
    template <class TPlot> void ForEachPoint(std::int64_t RowFrom, std::int64_t RowTo, TPlot&& Plot)
    {
        ForEachStep({ 0, 0 }, { 4, 0 }, RowFrom, RowTo,
            [&](std::int64_t, std::int64_t, const TPoint& Point) { Plot(Point); });
    }

    // Calls Row(Y, Left, Right) for each row of the outline within [RowFrom, RowTo)
    // with the innermost outline columns on its two sides; the interior lies
    // strictly between them.
    template <class TRow> void ForEachRow(std::int64_t RowFrom, std::int64_t RowTo, TRow&& Row)
    {
        for (const std::int64_t Quarter : { 0, 3 }) {
            const TRange Walk = VisibleWalk(Quarter, RowFrom, RowTo);
            for (std::int64_t J = Walk.From; J < Walk.To; ++J) {
                if (FWalk.Has(J + 1) && FWalk[J + 1].Y == FWalk[J].Y)
                    continue;
                const TPoint Inner = Mapped(Quarter, J);
                Row(Inner.Y, FRight - 1 - FHalfWidth - FWalk[J].X, Inner.X);
            }
        }
    }

private:
    // Walk points [From, To).
    struct TRange {
        std::int64_t From;
        std::int64_t To;
    };

    static constexpr std::int64_t WalkEnd = std::numeric_limits<std::int64_t>::max();

    static bool Forward(std::int64_t Quarter) { return Quarter % 2 == 0; }
    static bool Same(const TPoint& A, const TPoint& B) { return A.X == B.X && A.Y == B.Y; }
    // How the turn's quarter Quarter places the walk: origin and direction per axis.
    struct TMirror {
        std::int64_t X, Dx, Y, Dy;
        TPoint operator()(const TPoint& P) const { return { X + Dx * P.X, Y + Dy * P.Y }; }
    };
    TMirror MirrorOf(std::int64_t Quarter) const;
    // Walk point J placed in the turn's quarter Quarter.
    TPoint Mapped(std::int64_t Quarter, std::int64_t J) const { return MirrorOf(Quarter)(FWalk[J]); }
    // PositionOfRay for the ray (Rx, Ry) from the centre, y up.
    template <class TInt> TPosition RayPosition(TInt Rx, TInt Ry);
    // The walk points whose rows in quarter Quarter lie in [RowFrom, RowTo).
    TRange VisibleWalk(std::int64_t Quarter, std::int64_t RowFrom, std::int64_t RowTo);
    // The outline point just before P.
    TPosition Previous(const TPosition& P);

    // Calls Visit(Quarter, J, Point) for the points from From up to To, in order, that
    // lie in rows [RowFrom, RowTo).
    template <class TVisit>
    void ForEachStep(TPosition From, TPosition To, std::int64_t RowFrom, std::int64_t RowTo, TVisit&& Visit)
    {
        for (std::int64_t Quarter = From.Quarter; Quarter <= To.Quarter; ++Quarter) {
            const TRange Walk = VisibleWalk(Quarter, RowFrom, RowTo);
            const TMirror Place = MirrorOf(Quarter);
            if (Forward(Quarter)) {
                const std::int64_t Low = std::max(Quarter == From.Quarter ? From.J : 0, Walk.From);
                const std::int64_t High = std::min(Quarter == To.Quarter ? To.J : WalkEnd, Walk.To);
                for (std::int64_t J = Low; J < High; ++J)
                    Visit(Quarter, J, Place(FWalk[J]));
            } else {
                const std::int64_t Low = std::max(Quarter == To.Quarter ? To.J + 1 : 0, Walk.From);
                const std::int64_t High = std::min(Quarter == From.Quarter ? From.J + 1 : WalkEnd, Walk.To);
                for (std::int64_t J = High - 1; J >= Low; --J)
                    Visit(Quarter, J, Place(FWalk[J]));
            }
        }
    }

    std::int64_t FLeft, FTop, FRight, FBottom;
    std::int64_t FHalfWidth, FHalfHeight;
    TQuarterWalk FWalk;
};
