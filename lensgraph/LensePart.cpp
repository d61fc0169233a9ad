#include "LensePart.h"

#include <algorithm>

namespace {

struct TPartKeys {
    const char* Name;
    const char* Value;
};

TPartKeys KeysOf(TLensePart Part)
{
    switch (Part) {
    case TLensePart::ObjectDistance:
        return { "Part Object", "Object Distance Value" };
    case TLensePart::ObjectHeight:
        return { "Part Object Height", "Object Height Value" };
    case TLensePart::Focus:
        return { "Part Focus", "Focus Value" };
    case TLensePart::DoubleFocus:
        break;
    }
    return { "Part Double Focus", "Double Focus Value" };
}

} // namespace

TGrabTarget GrabTargetOf(TLensePart Part)
{
    switch (Part) {
    case TLensePart::ObjectDistance:
    case TLensePart::ObjectHeight:
        return TGrabTarget::gtObject;
    case TLensePart::Focus:
        return TGrabTarget::gtFocus;
    case TLensePart::DoubleFocus:
        break;
    }
    return TGrabTarget::gtDoubleFocus;
}

TLensePart PartOf(TGrabTarget Target)
{
    switch (Target) {
    case TGrabTarget::gtFocus:
        return TLensePart::Focus;
    case TGrabTarget::gtDoubleFocus:
        return TLensePart::DoubleFocus;
    case TGrabTarget::gtObject:
    case TGrabTarget::gtNone:
        break;
    }
    return TLensePart::ObjectDistance;
}

long long LensePartValue(const TLenseDiagramState& State, TLensePart Part)
{
    switch (Part) {
    case TLensePart::ObjectDistance:
        return State.ObjectX;
    case TLensePart::ObjectHeight:
        return State.ObjectH;
    case TLensePart::Focus:
        return State.F;
    case TLensePart::DoubleFocus:
        break;
    }
    return 2LL * State.F;
}

TLensePartRange LensePartRange(TLensePart Part, int Width, int Height)
{
    const std::int32_t Cx = std::max(0, Width / 2);
    const std::int32_t Cy = Height / 2;
    switch (Part) {
    case TLensePart::ObjectDistance:
    case TLensePart::Focus:
        return { 1, std::max(1, Cx) };
    case TLensePart::ObjectHeight:
        return { std::min(Cy, Cy - (Height - 1)), Cy };
    case TLensePart::DoubleFocus:
        break;
    }
    return { 2, std::max(2, Cx / 2 * 2) };
}

void SetLensePartValue(TLenseDiagramState& State, TLensePart Part, int Width, int Height, long long Value)
{
    const TLensePartRange Range = LensePartRange(Part, Width, Height);
    const auto Held = static_cast<std::int32_t>(std::clamp<long long>(Value, Range.Minimum, Range.Maximum));
    const int Cx = Width / 2;
    const int Cy = Height / 2;
    // The pointer of a drag that ends where the value is; the drag's rules do the rest.
    int X = Cx - Held;
    int Y = Cy;
    if (Part == TLensePart::ObjectDistance)
        Y = Cy - std::clamp(State.ObjectH, Cy - (Height - 1), Cy);
    else if (Part == TLensePart::ObjectHeight) {
        X = Cx - std::clamp(State.ObjectX, 1, std::max(1, Cx));
        Y = Cy - Held;
    }
    MoveGrabTarget(State, GrabTargetOf(Part), Width, Height, X, Y);
}

std::string LensePartName(TLensePart Part, const TTextLookup& Lookup)
{
    return Lookup(KeysOf(Part).Name, {});
}

std::string DescribeLensePart(
    const TLenseDiagramState& State, TLensePart Part, int Width, int Height, const TTextLookup& Lookup)
{
    const std::string Distance = std::to_string(LensePartValue(State, TLensePart::ObjectDistance));
    const std::string HeightText = std::to_string(State.ObjectH);
    const std::string DoubleFocus = std::to_string(LensePartValue(State, TLensePart::DoubleFocus));
    const std::string Focus = std::to_string(State.F);
    std::vector<std::string> Args;
    switch (Part) {
    case TLensePart::ObjectDistance:
    case TLensePart::ObjectHeight:
        Args = { Distance, HeightText };
        break;
    case TLensePart::Focus:
        Args = { Focus };
        break;
    case TLensePart::DoubleFocus:
        Args = { DoubleFocus, Focus };
        break;
    }
    return Lookup(KeysOf(Part).Value, Args) + ' ' + DescribeLenseSituation(State, Width, Height, Lookup);
}
