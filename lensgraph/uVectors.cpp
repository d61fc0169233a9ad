#include "uVectors.h"

namespace uVectors {

TVector2D MakeVector(double X, double Y)
{
    return { X, Y };
}

TVector2D VectorFromTo(TVector2D P, TVector2D Q)
{
    return { Q.X - P.X, Q.Y - P.Y };
}

TLine2D LineThrough(TVector2D P, TVector2D Dir)
{
    TLine2D Line;
    Line.A = Dir.X != 0.0 ? -Dir.Y / Dir.X : VerticalSlope;
    Line.B = 1.0;
    Line.C = Line.B * P.Y + Line.A * P.X;
    return Line;
}

TVector2D IntersectLines(TLine2D L1, TLine2D L2)
{
    double Det = L1.A * L2.B - L2.A * L1.B;
    if (Det == 0.0)
        Det = ParallelDeterminant;
    return { (L1.C * L2.B - L2.C * L1.B) / Det, (L1.A * L2.C - L2.A * L1.C) / Det };
}

double LineYAt(TLine2D L, double X)
{
    return (L.A * X - L.C) / (-L.B);
}

} // namespace uVectors
