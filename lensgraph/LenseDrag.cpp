#include "LenseDrag.h"

#include "CheckedInt.h"

#include <algorithm>
#include <cmath>

namespace ci = CheckedInt;

namespace {

// The pointer as distances from the lens centre: U to the left, V upward.
struct TPointer {
    std::int32_t U, V;
};

TPointer Pointer(int Width, int Height, int X, int Y)
{
    return { ci::Sub(Width / 2, X), ci::Sub(Height / 2, Y) };
}

std::int32_t CityBlock(std::int32_t MarkU, TPointer P)
{
    return ci::Add(ci::Abs(ci::Sub(MarkU, P.U)), ci::Abs(P.V));
}

} // namespace

TGrabTarget FindGrabTarget(const TLenseDiagramState& S, int Width, int Height, int X, int Y)
{
    const TPointer P = Pointer(Width, Height, X, Y);
    const std::int32_t Dx = ci::Sub(S.ObjectX, P.U);
    const std::int32_t Dy = ci::Sub(S.ObjectH, P.V);
    const double D1 = std::sqrt(static_cast<double>(ci::Add(ci::Mul(Dx, Dx), ci::Mul(Dy, Dy))));
    if (S.GrabSensitivity >= D1)
        return TGrabTarget::gtObject;
    if (S.GrabSensitivity >= CityBlock(S.F, P))
        return TGrabTarget::gtFocus;
    if (S.GrabSensitivity >= CityBlock(ci::Mul(2, S.F), P))
        return TGrabTarget::gtDoubleFocus;
    return TGrabTarget::gtNone;
}

void MoveGrabTarget(TLenseDiagramState& S, TGrabTarget Target, int Width, int Height, int X, int Y)
{
    // A pointer outside the picture counts as on its edge, so nothing can be dragged to
    // where it is neither seen nor grabbed again.
    const TPointer P = Pointer(
        Width, Height, std::clamp(X, 0, std::max(0, Width - 1)), std::clamp(Y, 0, std::max(0, Height - 1)));
    switch (Target) {
    case TGrabTarget::gtObject:
        S.ObjectH = P.V;
        S.ObjectX = std::max(MinObjectX, P.U);
        break;
    case TGrabTarget::gtFocus:
        S.F = std::max(MinFocalLength, P.U);
        break;
    case TGrabTarget::gtDoubleFocus:
        S.F = std::max(2 * MinFocalLength, P.U) / 2;
        break;
    case TGrabTarget::gtNone:
        break;
    }
}
