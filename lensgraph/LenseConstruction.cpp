#include "LenseConstruction.h"

#include <cmath>

using namespace uVectors;

namespace {

bool Finite(TVector2D P)
{
    return std::isfinite(P.X) && std::isfinite(P.Y);
}

} // namespace

TLenseConstruction ConstructImage(const TLenseDiagramState& S, std::int32_t Cx)
{
    TLenseConstruction c;
    if (S.ObjectX == S.F)
        return c;
    const double f = S.F;
    const TVector2D F1 = S.LenseType == ltConvex ? MakeVector(f, 0) : MakeVector(-f, 0);
    c.O = MakeVector(-static_cast<double>(S.ObjectX), S.ObjectH);
    c.A = MakeVector(0, S.ObjectH);
    const TVector2D Z = MakeVector(0, 0);
    const TLine2D L1 = LineThrough(c.A, VectorFromTo(c.A, F1));
    const TLine2D L2 = LineThrough(c.O, VectorFromTo(c.O, Z));
    c.I = IntersectLines(L1, L2);
    c.E1 = MakeVector(Cx, LineYAt(L1, Cx));
    c.E2 = MakeVector(Cx, LineYAt(L2, Cx));
    if (!Finite(c.I) || !Finite(c.E1) || !Finite(c.E2))
        return c;
    c.ImageShown = true;
    c.ImageVirtual = (S.LenseType == ltConvex && c.I.X < 0.0) || S.LenseType == ltConcave;
    return c;
}
