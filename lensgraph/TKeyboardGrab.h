#pragma once

#include "LenseDiagram.h"
#include "LenseDrag.h"

// Moves an element of the diagram from the keyboard as a drag would: a pointer is put
// on the chosen element, each step moves that pointer, and the element follows it
// through MoveGrabTarget with the drag's limits. So the 2F mark, which a drag moves in
// steps of two pixels, moves at every second one-pixel step, as under the mouse.
class TKeyboardGrab {
public:
    // The chosen element; gtNone when nothing is chosen.
    TGrabTarget Target() const { return FTarget; }
    // Chooses Target (gtNone leaves the choice); the pointer is put on it at the next move.
    void Choose(TGrabTarget Target);

    // Moves the pointer by (Dx, Dy) pixels of a Width x Height diagram and the chosen
    // element with it. The focal marks stay on the axis, so for them only Dx counts.
    // The pointer keeps to the diagram's area and stops where the drag's limits hold
    // the element. Returns false, changing nothing, when nothing is chosen or the move
    // is vertical on a mark. When State was changed otherwise since the last move (a
    // drag, a setter), the pointer starts again from the element.
    bool Move(TLenseDiagramState& State, int Width, int Height, int Dx, int Dy);

    // The pixel of Target's element in a Width x Height diagram, in 64 bits since a
    // setter may have left any 32-bit value; gtNone gives the lens centre.
    static void TargetPixel(const TLenseDiagramState& State, TGrabTarget Target, int Width, int Height,
        long long& X, long long& Y);

private:
    bool PointerHolds(const TLenseDiagramState& State, int Width, int Height) const;
    void PutPointerOnTarget(const TLenseDiagramState& State, int Width, int Height);

    TGrabTarget FTarget = TGrabTarget::gtNone;
    bool FPointerSet = false;
    int FX = 0;
    int FY = 0;
};
