#pragma once

// Plane line geometry for the ray construction: points, directions and lines
// A*x + B*y = C. Pure functions; degenerate input is guarded only where noted.

namespace uVectors {

// Stands in for the infinite slope of a vertical line.
inline constexpr double VerticalSlope = 3.4e38;
// Replaces a zero determinant, so parallel lines still "meet" far away.
inline constexpr double ParallelDeterminant = 0.001;

struct TVector2D {
    double X = 0.0;
    double Y = 0.0;
};

struct TLine2D {
    double A = 0.0;
    double B = 0.0;
    double C = 0.0;
};

TVector2D MakeVector(double X, double Y);
// Q - P, by components.
TVector2D VectorFromTo(TVector2D P, TVector2D Q);
// The line through P along Dir; always B = 1, A the negated slope (VerticalSlope
// for a vertical direction, whatever the sign of Dir.Y).
TLine2D LineThrough(TVector2D P, TVector2D Dir);
// The crossing point; a determinant of exactly 0 is replaced by ParallelDeterminant.
TVector2D IntersectLines(TLine2D L1, TLine2D L2);
// y of L at x = X.
double LineYAt(TLine2D L, double X);

} // namespace uVectors
