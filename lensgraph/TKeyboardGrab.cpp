#include "TKeyboardGrab.h"

#include <algorithm>

namespace {

// How close to the lens, measured leftward from its centre, a drag can bring each
// element's pointer before the limits hold it (ObjectX >= 1, F >= 1, 2F >= 2).
int NearestU(TGrabTarget Target)
{
    return Target == TGrabTarget::gtDoubleFocus ? 2 : 1;
}

// The pointer's box: the picture, up to where the limits hold the element on the right,
// so that each step back is seen at once.
int ClampX(long long X, int Width, TGrabTarget Target)
{
    const int Right = Width / 2 - NearestU(Target);
    return static_cast<int>(std::clamp<long long>(X, std::min(0, Right), Right));
}

int ClampY(long long Y, int Height)
{
    return static_cast<int>(std::clamp<long long>(Y, 0, std::max(0, Height - 1)));
}

bool SameGeometry(const TLenseDiagramState& A, const TLenseDiagramState& B)
{
    return A.ObjectX == B.ObjectX && A.ObjectH == B.ObjectH && A.F == B.F;
}

} // namespace

void TKeyboardGrab::Choose(TGrabTarget Target)
{
    FTarget = Target;
    FPointerSet = false;
}

void TKeyboardGrab::TargetPixel(
    const TLenseDiagramState& State, TGrabTarget Target, int Width, int Height, long long& X, long long& Y)
{
    X = Width / 2;
    Y = Height / 2;
    switch (Target) {
    case TGrabTarget::gtObject:
        X -= State.ObjectX;
        Y -= State.ObjectH;
        break;
    case TGrabTarget::gtFocus:
        X -= State.F;
        break;
    case TGrabTarget::gtDoubleFocus:
        X -= 2LL * State.F;
        break;
    case TGrabTarget::gtNone:
        break;
    }
}

bool TKeyboardGrab::PointerHolds(const TLenseDiagramState& State, int Width, int Height) const
{
    if (!FPointerSet)
        return false;
    TLenseDiagramState Probe = State;
    MoveGrabTarget(Probe, FTarget, Width, Height, FX, FY);
    return SameGeometry(Probe, State);
}

void TKeyboardGrab::PutPointerOnTarget(const TLenseDiagramState& State, int Width, int Height)
{
    long long X = 0;
    long long Y = 0;
    TargetPixel(State, FTarget, Width, Height, X, Y);
    FX = ClampX(X, Width, FTarget);
    FY = ClampY(Y, Height);
    FPointerSet = true;
}

bool TKeyboardGrab::Move(TLenseDiagramState& State, int Width, int Height, int Dx, int Dy)
{
    if (FTarget == TGrabTarget::gtNone || (FTarget != TGrabTarget::gtObject && Dx == 0))
        return false;
    if (!PointerHolds(State, Width, Height))
        PutPointerOnTarget(State, Width, Height);
    FX = ClampX(static_cast<long long>(FX) + Dx, Width, FTarget);
    if (FTarget == TGrabTarget::gtObject)
        FY = ClampY(static_cast<long long>(FY) + Dy, Height);
    MoveGrabTarget(State, FTarget, Width, Height, FX, FY);
    return true;
}
