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
    TLenseConstruction C;
    if (S.ObjectX == S.F)
        return C;
    const double Focal = S.F;
    const TVector2D F1 = S.LenseType == TLenseType::ltConvex ? MakeVector(Focal, 0) : MakeVector(-Focal, 0);
    C.O = MakeVector(-static_cast<double>(S.ObjectX), S.ObjectH);
    C.A = MakeVector(0, S.ObjectH);
    const TVector2D Z = MakeVector(0, 0);
    const TLine2D L1 = LineThrough(C.A, VectorFromTo(C.A, F1));
    const TLine2D L2 = LineThrough(C.O, VectorFromTo(C.O, Z));
    C.I = IntersectLines(L1, L2);
    C.E1 = MakeVector(Cx, LineYAt(L1, Cx));
    C.E2 = MakeVector(Cx, LineYAt(L2, Cx));
    if (!Finite(C.I) || !Finite(C.E1) || !Finite(C.E2))
        return C;
    C.ImageShown = true;
    C.ImageVirtual
        = (S.LenseType == TLenseType::ltConvex && C.I.X < 0.0) || S.LenseType == TLenseType::ltConcave;
    return C;
}
