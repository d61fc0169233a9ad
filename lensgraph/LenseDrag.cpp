#include "LenseDrag.h"

#include "CheckedInt.h"

#include <algorithm>
#include <cmath>

namespace ci = CheckedInt;

namespace {

// The pointer as distances from the lens centre: u to the left, v upward.
struct TPointer {
    std::int32_t u, v;
};

TPointer Pointer(int Width, int Height, int X, int Y)
{
    return { ci::Sub(Width / 2, X), ci::Sub(Height / 2, Y) };
}

std::int32_t CityBlock(std::int32_t MarkU, TPointer p)
{
    return ci::Add(ci::Abs(ci::Sub(MarkU, p.u)), ci::Abs(p.v));
}

} // namespace

TGrabTarget FindGrabTarget(const TLenseDiagramState& S, int Width, int Height, int X, int Y)
{
    const TPointer p = Pointer(Width, Height, X, Y);
    const std::int32_t dx = ci::Sub(S.ObjectX, p.u);
    const std::int32_t dy = ci::Sub(S.ObjectH, p.v);
    const double d1 = std::sqrt(static_cast<double>(ci::Add(ci::Mul(dx, dx), ci::Mul(dy, dy))));
    if (S.GrabSensitivity >= d1)
        return gtObject;
    if (S.GrabSensitivity >= CityBlock(S.F, p))
        return gtFocus;
    if (S.GrabSensitivity >= CityBlock(ci::Mul(2, S.F), p))
        return gtDoubleFocus;
    return gtNone;
}

void MoveGrabTarget(TLenseDiagramState& S, TGrabTarget Target, int Width, int Height, int X, int Y)
{
    const TPointer p = Pointer(Width, Height, X, Y);
    switch (Target) {
    case gtObject:
        S.ObjectH = p.v;
        S.ObjectX = std::max(1, p.u);
        break;
    case gtFocus:
        S.F = std::max(1, p.u);
        break;
    case gtDoubleFocus:
        S.F = std::max(2, p.u) / 2;
        break;
    case gtNone:
        break;
    }
}
