#pragma once

#include "LenseDiagram.h"
#include "LensePart.h"
#include "TKeyboardGrab.h"

#include <cstdint>
#include <optional>

// The keys that act on the diagram, by what they do; each front end maps its own key
// codes to them (O, F, 2, Escape and the arrows on every keyboard so far).
enum class TDiagramKey : std::uint8_t {
    ChooseObject,
    ChooseFocus,
    ChooseDoubleFocus,
    Leave,
    Left,
    Right,
    Up,
    Down
};

// The diagram's keyboard, the same in every front end: the choice keys choose the
// object's top, the left F mark or the left 2F mark; the arrows move the choice by one
// pixel (with Shift by ten) as a drag would (TKeyboardGrab); Leave drops the choice.
// It keeps the part a listener hears: choosing an element gives its first part, and on
// the object the last arrow tells whether its distance or its height changed.
class TLenseKeyboard {
public:
    enum class TResult : std::uint8_t { Ignored, Chosen, Moved };

    // Ignored, changing nothing, for Leave without a choice, an arrow without one, and a
    // vertical arrow on a mark: the front end passes such keys on.
    TResult Press(TDiagramKey Key, bool Shift, TLenseDiagramState& State, int Width, int Height);
    // Chooses Target as its key would; gtNone leaves the choice and keeps the part.
    void Choose(TGrabTarget Target);

    TGrabTarget Target() const { return FGrab.Target(); }
    // The part the keyboard moves; none while nothing is chosen.
    std::optional<TLensePart> Part() const;

private:
    TKeyboardGrab FGrab;
    TLensePart FPart = TLensePart::ObjectDistance;
};
