#include "LenseStartValues.h"

TLenseDiagramState LenseStartValues()
{
    TLenseDiagramState State;
    State.BackColor = 0xFFFFFF;
    State.F = 80;
    State.ImageColor = 0x3366BB;
    State.LenseType = TLenseType::ltConvex;
    State.MarkCapSpace = 5;
    State.MarkWidth = 3;
    State.ObjectColor = 0x7F00;
    State.ObjectH = 150;
    State.ObjectX = 200;
    return State;
}

bool ResetToStartValues(TLenseDiagramState& State)
{
    const TLenseDiagramState Start = LenseStartValues();
    if (State.F == Start.F && State.ObjectH == Start.ObjectH && State.ObjectX == Start.ObjectX)
        return false;
    State.F = Start.F;
    State.ObjectH = Start.ObjectH;
    State.ObjectX = Start.ObjectX;
    return true;
}
