#include "LenseOptics.h"

namespace {

TObjectZone ZoneOf(std::int64_t ObjectX, std::int64_t F)
{
    if (ObjectX > 2 * F)
        return TObjectZone::BeyondDoubleFocus;
    if (ObjectX == 2 * F)
        return TObjectZone::AtDoubleFocus;
    if (ObjectX > F)
        return TObjectZone::BetweenFocusAndDoubleFocus;
    if (ObjectX == F)
        return TObjectZone::AtFocus;
    return TObjectZone::InsideFocus;
}

} // namespace

TLenseOptics ThinLenseOptics(const TLenseDiagramState& S)
{
    TLenseOptics O;
    O.ObjectDistance = S.ObjectX;
    O.FocalLength = S.LenseType == TLenseType::ltConvex ? S.F : -static_cast<double>(S.F);
    O.Zone = ZoneOf(S.ObjectX, S.F);
    // Both are whole numbers of at most 32 bits, so the difference is exact and the
    // test for parallel rays needs no tolerance.
    const double Gap = O.ObjectDistance - O.FocalLength;
    if (Gap == 0.0)
        return O;
    O.ImageForms = true;
    O.ImageDistance = O.ObjectDistance * O.FocalLength / Gap;
    O.Magnification = -O.FocalLength / Gap;
    O.ImageHeight = O.Magnification * S.ObjectH;
    O.Real = O.ImageDistance > 0.0;
    O.Upright = O.Magnification > 0.0;
    return O;
}
