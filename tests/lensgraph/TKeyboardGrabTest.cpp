#include "TKeyboardGrab.h"
#include "LenseStartValues.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

constexpr int W = StartDiagramWidth;
constexpr int H = StartDiagramHeight;

// The start diagram: object's top at pixel (104, 87), F mark at 224, 2F mark at 144.
class KeyboardGrab : public testing::Test {
protected:
    // A drag that grabs Target at its pixel and lets go at (X, Y).
    TLenseDiagramState DraggedTo(TGrabTarget Target, int X, int Y) const
    {
        TLenseDiagramState Dragged = LenseStartValues();
        MoveGrabTarget(Dragged, Target, W, H, X, Y);
        return Dragged;
    }

    void Steps(int Count, int Dx, int Dy)
    {
        for (int I = 0; I < Count; ++I)
            ASSERT_TRUE(Grab.Move(State, W, H, Dx, Dy));
    }

    TLenseDiagramState State = LenseStartValues();
    TKeyboardGrab Grab;
};

TEST_F(KeyboardGrab, StepsEndWhereADragToTheSamePixelEnds)
{
    Grab.Choose(TGrabTarget::gtObject);
    Steps(3, -1, 0);
    Steps(2, 0, -10);
    Steps(1, 10, 1);
    const TLenseDiagramState Dragged = DraggedTo(TGrabTarget::gtObject, 104 - 3 + 10, 87 - 20 + 1);
    EXPECT_EQ(State.ObjectX, Dragged.ObjectX);
    EXPECT_EQ(State.ObjectH, Dragged.ObjectH);
    EXPECT_EQ(State.ObjectX, 193);
    EXPECT_EQ(State.ObjectH, 169);

    Grab.Choose(TGrabTarget::gtFocus);
    Steps(7, 1, 0);
    EXPECT_EQ(State.F, 73);
}

TEST_F(KeyboardGrab, TheDoubleFocusMarkMovesEverySecondPixelAsUnderTheMouse)
{
    Grab.Choose(TGrabTarget::gtDoubleFocus);
    Steps(1, -1, 0);
    EXPECT_EQ(State.F, 80);
    Steps(1, -1, 0);
    EXPECT_EQ(State.F, 81);
    Steps(3, 1, 0);
    EXPECT_EQ(State.F, DraggedTo(TGrabTarget::gtDoubleFocus, 144 - 2 + 3, 237).F);
    EXPECT_EQ(State.F, 79);
}

TEST_F(KeyboardGrab, ThePointerStopsAtTheLimitsSoOneStepBackMovesAgain)
{
    Grab.Choose(TGrabTarget::gtObject);
    Steps(40, 10, 0);
    EXPECT_EQ(State.ObjectX, 1);
    Steps(1, -1, 0);
    EXPECT_EQ(State.ObjectX, 2);

    Grab.Choose(TGrabTarget::gtDoubleFocus);
    Steps(100, 10, 0);
    EXPECT_EQ(State.F, 1);
    Steps(2, -1, 0);
    EXPECT_EQ(State.F, 2);

    // Far left and far down the pointer stays within reach of the area.
    Grab.Choose(TGrabTarget::gtObject);
    Steps(1000, -10, 10);
    EXPECT_EQ(State.ObjectX, W / 2 + W);
    EXPECT_EQ(State.ObjectH, H / 2 - 2 * H);
}

TEST_F(KeyboardGrab, AChangeFromElsewhereRestartsThePointerAtTheElement)
{
    Grab.Choose(TGrabTarget::gtDoubleFocus);
    Steps(1, -1, 0);
    State.F = 30; // a drag of the F mark meanwhile
    Steps(2, -1, 0);
    EXPECT_EQ(State.F, 31);

    Grab.Choose(TGrabTarget::gtObject);
    Steps(1, -1, 0);
    State.ObjectX = 300;
    Steps(1, -1, 0);
    EXPECT_EQ(State.ObjectX, 301);
}

TEST_F(KeyboardGrab, NothingMovesWithoutAChoiceOrVerticallyOnAMark)
{
    const TLenseDiagramState Before = State;
    EXPECT_FALSE(Grab.Move(State, W, H, 1, 0));
    Grab.Choose(TGrabTarget::gtFocus);
    EXPECT_FALSE(Grab.Move(State, W, H, 0, 10));
    Grab.Choose(TGrabTarget::gtNone);
    EXPECT_FALSE(Grab.Move(State, W, H, -1, 0));
    EXPECT_EQ(State.F, Before.F);
    EXPECT_EQ(State.ObjectX, Before.ObjectX);
    EXPECT_EQ(State.ObjectH, Before.ObjectH);
}

TEST_F(KeyboardGrab, ValuesOnlyASetterGivesBringTheElementBackIntoReach)
{
    State.F = INT_MAX;
    State.ObjectX = INT_MIN;
    State.ObjectH = INT_MAX;
    Grab.Choose(TGrabTarget::gtDoubleFocus);
    Steps(1, 1, 0);
    EXPECT_EQ(State.F, (W / 2 + W - 1) / 2);
    Grab.Choose(TGrabTarget::gtObject);
    Steps(1, 0, 1);
    EXPECT_EQ(State.ObjectX, 1);
    EXPECT_EQ(State.ObjectH, H / 2 + H - 1);
}

} // namespace
