#include "LenseDrag.h"
#include "CheckedInt.h"
#include "LenseStartValues.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <string>

namespace {

struct TPressCase {
    std::string Name;
    int X, Y;
    TGrabTarget Expected;
};

void PrintTo(const TPressCase& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

class PressCases : public testing::TestWithParam<TPressCase> { };

TEST_P(PressCases, HitTestOrderCircleAndDiamonds)
{
    const TPressCase& Case = GetParam();
    EXPECT_EQ(FindGrabTarget(LenseStartValues(), 608, 475, Case.X, Case.Y), Case.Expected);
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, PressCases,
    testing::Values(TPressCase { "ObjectTopExactly", 104, 87, TGrabTarget::gtObject },
        TPressCase { "ObjectWithinCircle", 140, 120, TGrabTarget::gtObject },
        TPressCase { "FocusAtDiamondTip", 224, 187, TGrabTarget::gtFocus },
        TPressCase { "JustOutsideFocusTip", 224, 186, TGrabTarget::gtNone },
        TPressCase { "FocusDiamondEdge", 249, 212, TGrabTarget::gtFocus },
        TPressCase { "OutsideDiamondInsideCircle", 250, 212, TGrabTarget::gtNone },
        TPressCase { "DoubleFocusMark", 144, 237, TGrabTarget::gtDoubleFocus },
        TPressCase { "RightFocusIsNotGrabbable", 384, 237, TGrabTarget::gtNone }),
    [](const testing::TestParamInfo<TPressCase>& Info) { return Info.param.Name; });

TEST(LenseDrag, FocusWinsOverDoubleFocusWhenTheyOverlap)
{
    TLenseDiagramState State = LenseStartValues();
    State.F = 3;
    State.ObjectX = 500;
    EXPECT_EQ(FindGrabTarget(State, 608, 475, 304 - 4, 237), TGrabTarget::gtFocus);
    EXPECT_EQ(FindGrabTarget(State, 608, 475, 304 - 200, 237), TGrabTarget::gtNone);
}

TEST(LenseDrag, SensitivityZeroNeedsTheExactPixelAndNegativeGrabsNothing)
{
    TLenseDiagramState State = LenseStartValues();
    State.GrabSensitivity = 0;
    EXPECT_EQ(FindGrabTarget(State, 608, 475, 104, 87), TGrabTarget::gtObject);
    EXPECT_EQ(FindGrabTarget(State, 608, 475, 105, 87), TGrabTarget::gtNone);
    EXPECT_EQ(FindGrabTarget(State, 608, 475, 224, 237), TGrabTarget::gtFocus);
    State.GrabSensitivity = -1;
    EXPECT_EQ(FindGrabTarget(State, 608, 475, 104, 87), TGrabTarget::gtNone);
}

TEST(LenseDrag, OddWidthShiftsTheLensCentre)
{
    EXPECT_EQ(FindGrabTarget(LenseStartValues(), 607, 475, 103, 87), TGrabTarget::gtObject);
    EXPECT_EQ(FindGrabTarget(LenseStartValues(), 607, 475, 223, 237), TGrabTarget::gtFocus);
}

struct TMoveCase {
    std::string Name;
    TGrabTarget Target;
    int X, Y;
    int ObjectX, ObjectH, F;
};

void PrintTo(const TMoveCase& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

class MoveCases : public testing::TestWithParam<TMoveCase> { };

TEST_P(MoveCases, GrabbedElementFollowsThePointerWithinItsLimits)
{
    const TMoveCase& Case = GetParam();
    TLenseDiagramState State = LenseStartValues();
    MoveGrabTarget(State, Case.Target, 608, 475, Case.X, Case.Y);
    EXPECT_EQ(State.ObjectX, Case.ObjectX);
    EXPECT_EQ(State.ObjectH, Case.ObjectH);
    EXPECT_EQ(State.F, Case.F);
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, MoveCases,
    testing::Values(TMoveCase { "ObjectJumps", TGrabTarget::gtObject, 140, 120, 164, 117, 80 },
        TMoveCase { "ObjectRightOfLens", TGrabTarget::gtObject, 310, 87, 1, 150, 80 },
        TMoveCase { "ObjectBelowAxis", TGrabTarget::gtObject, 104, 300, 200, -63, 80 },
        TMoveCase { "ObjectPastLeftEdgeHeldThere", TGrabTarget::gtObject, -20, 87, 304, 150, 80 },
        TMoveCase { "ObjectBelowThePictureHeldAtItsEdge", TGrabTarget::gtObject, 104, 900, 200, -237, 80 },
        TMoveCase { "FocusPastLeftEdgeHeldThere", TGrabTarget::gtFocus, -50, 237, 200, 150, 304 },
        TMoveCase { "DoubleFocusPastLeftEdgeHeldThere", TGrabTarget::gtDoubleFocus, -50, 237, 200, 150, 152 },
        TMoveCase { "FocusRightOfLens", TGrabTarget::gtFocus, 400, 10, 200, 150, 1 },
        TMoveCase { "FocusIgnoresHeight", TGrabTarget::gtFocus, 200, -500, 200, 150, 104 },
        TMoveCase { "DoubleFocusNearLens", TGrabTarget::gtDoubleFocus, 303, 237, 200, 150, 1 },
        TMoveCase { "DoubleFocusStepsOfTwo", TGrabTarget::gtDoubleFocus, 145, 237, 200, 150, 79 },
        TMoveCase { "NothingGrabbed", TGrabTarget::gtNone, 0, 0, 200, 150, 80 }),
    [](const testing::TestParamInfo<TMoveCase>& Info) { return Info.param.Name; });

TEST(LenseDrag, OverflowRaisesInsteadOfWrapping)
{
    TLenseDiagramState State = LenseStartValues();
    State.F = INT_MAX;
    State.ObjectX = INT_MIN;
    EXPECT_THROW(FindGrabTarget(State, 608, 475, 104, 87), CheckedInt::EIntOverflow);
    State = LenseStartValues();
    State.F = INT_MAX;
    State.GrabSensitivity = -1;
    EXPECT_THROW(FindGrabTarget(State, 608, 475, 104, 87), CheckedInt::EIntOverflow);
}

} // namespace
