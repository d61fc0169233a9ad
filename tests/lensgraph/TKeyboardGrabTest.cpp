#include "TKeyboardGrab.h"
#include "LenseStartValues.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

constexpr int W = StartDiagramWidth;
constexpr int H = StartDiagramHeight;

void Steps(TKeyboardGrab& Grab, TLenseDiagramState& State, int Count, int Dx, int Dy)
{
    for (int I = 0; I < Count; ++I)
        ASSERT_TRUE(Grab.Move(State, W, H, Dx, Dy));
}

// Keys against drags to the same pixel are compared in the main window; here what a
// keyboard has and a mouse has not: a pointer that stops at the limits, and one that
// survives changes made elsewhere.
TEST(KeyboardGrab, ThePointerStopsAtTheLimitsAndFollowsChangesMadeElsewhere)
{
    TLenseDiagramState State = LenseStartValues();
    TKeyboardGrab Grab;
    EXPECT_FALSE(Grab.Move(State, W, H, 1, 0));

    Grab.Choose(TGrabTarget::gtObject);
    Steps(Grab, State, 40, 10, 0);
    EXPECT_EQ(State.ObjectX, 1);
    Steps(Grab, State, 1, -1, 0);
    EXPECT_EQ(State.ObjectX, 2) << "one step back moves again";
    Steps(Grab, State, 1000, -10, 10);
    EXPECT_EQ(State.ObjectX, W / 2) << "held at the picture's left edge";
    EXPECT_EQ(State.ObjectH, H / 2 - (H - 1)) << "held at its bottom edge";
    Steps(Grab, State, 1, 1, -1);
    EXPECT_EQ(State.ObjectX, W / 2 - 1) << "one step back moves again";

    Grab.Choose(TGrabTarget::gtDoubleFocus);
    EXPECT_FALSE(Grab.Move(State, W, H, 0, 10)) << "the marks stay on the axis";
    Steps(Grab, State, 1, -1, 0);
    EXPECT_EQ(State.F, 80);
    State.F = 30; // a drag of the F mark meanwhile
    Steps(Grab, State, 2, -1, 0);
    EXPECT_EQ(State.F, 31);
    Steps(Grab, State, 100, 10, 0);
    EXPECT_EQ(State.F, 1);
    Steps(Grab, State, 2, -1, 0);
    EXPECT_EQ(State.F, 2);
}

TEST(KeyboardGrab, ValuesOnlyASetterGivesBringTheElementBackIntoReach)
{
    TLenseDiagramState State = LenseStartValues();
    State.F = INT_MAX;
    State.ObjectX = INT_MIN;
    State.ObjectH = INT_MAX;
    TKeyboardGrab Grab;
    Grab.Choose(TGrabTarget::gtDoubleFocus);
    Steps(Grab, State, 1, 1, 0);
    EXPECT_EQ(State.F, (W / 2 - 1) / 2);
    Grab.Choose(TGrabTarget::gtObject);
    Steps(Grab, State, 1, 0, 1);
    EXPECT_EQ(State.ObjectX, 1);
    EXPECT_EQ(State.ObjectH, H / 2 - 1);
}

} // namespace
