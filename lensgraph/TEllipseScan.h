#pragma once

#include <cstdint>

// The outline of an ellipse too large to walk point by point, found row by row:
// on each visible row the outline covers, on either side, the columns between
// the curve's crossing of that row and its nearest crossing of a neighbouring
// row. The work grows with the visible rows only. The box is normalised, its
// right and bottom edges outside.
class TEllipseScan {
public:
    struct TRow {
        std::int64_t Y;
        // Outline columns [LeftFrom, LeftTo] and [RightFrom, RightTo]; they may overlap.
        std::int64_t LeftFrom, LeftTo, RightFrom, RightTo;
    };

    TEllipseScan(std::int64_t Left, std::int64_t Top, std::int64_t Right, std::int64_t Bottom);

    // Calls Visit(Row) for each row of the box within [0, Height).
    template <class TVisit> void ForEachRow(int Height, TVisit&& Visit) const
    {
        const std::int64_t From = FTop > 0 ? FTop : 0;
        const std::int64_t To = FBottom < Height ? FBottom : Height;
        for (std::int64_t Y = From; Y < To; ++Y) {
            TRow Row;
            if (RowAt(Y, Row))
                Visit(Row);
        }
    }

    // Whether the direction from the centre to (X, Y) lies in the counter-clockwise
    // sweep from the ray through Start to the ray through End (a full turn when
    // both rays coincide).
    bool InSweep(std::int64_t X, std::int64_t Y, long double StartAngle, long double Sweep) const;
    long double AngleOf(std::int64_t X, std::int64_t Y) const;
    static long double SweepBetween(long double StartAngle, long double EndAngle);

private:
    bool RowAt(std::int64_t Y, TRow& Row) const;
    long double HalfWidthAt(long double Y) const;

    std::int64_t FTop, FBottom;
    long double FCentreX, FCentreY, FRadiusX, FRadiusY;
};
