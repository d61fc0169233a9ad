#include "TLenseKeyboard.h"

namespace {

constexpr int ShiftStep = 10;

struct TArrow {
    TDiagramKey Key;
    int Dx, Dy;
};
constexpr TArrow Arrows[] = { { TDiagramKey::Left, -1, 0 }, { TDiagramKey::Right, 1, 0 },
    { TDiagramKey::Up, 0, -1 }, { TDiagramKey::Down, 0, 1 } };

} // namespace

void TLenseKeyboard::Choose(TGrabTarget Target)
{
    FGrab.Choose(Target);
    if (Target != TGrabTarget::gtNone)
        FPart = PartOf(Target);
}

std::optional<TLensePart> TLenseKeyboard::Part() const
{
    if (FGrab.Target() == TGrabTarget::gtNone)
        return std::nullopt;
    return FPart;
}

TLenseKeyboard::TResult TLenseKeyboard::Press(
    TDiagramKey Key, bool Shift, TLenseDiagramState& State, int Width, int Height)
{
    switch (Key) {
    case TDiagramKey::ChooseObject:
        Choose(TGrabTarget::gtObject);
        return TResult::Chosen;
    case TDiagramKey::ChooseFocus:
        Choose(TGrabTarget::gtFocus);
        return TResult::Chosen;
    case TDiagramKey::ChooseDoubleFocus:
        Choose(TGrabTarget::gtDoubleFocus);
        return TResult::Chosen;
    case TDiagramKey::Leave:
        if (FGrab.Target() == TGrabTarget::gtNone)
            return TResult::Ignored;
        Choose(TGrabTarget::gtNone);
        return TResult::Chosen;
    default:
        break;
    }
    const int Step = Shift ? ShiftStep : 1;
    for (const TArrow& Arrow : Arrows) {
        if (Arrow.Key != Key || !FGrab.Move(State, Width, Height, Arrow.Dx * Step, Arrow.Dy * Step))
            continue;
        // The object's two numbers are two parts: the one a key changes is heard.
        if (FGrab.Target() == TGrabTarget::gtObject)
            FPart = Arrow.Dy != 0 ? TLensePart::ObjectHeight : TLensePart::ObjectDistance;
        return TResult::Moved;
    }
    return TResult::Ignored;
}
