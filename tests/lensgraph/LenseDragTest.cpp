#include "LenseDrag.h"
#include "CheckedInt.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <string>

namespace {

TLenseDiagramState MainWindowState()
{
    TLenseDiagramState s;
    s.F = 80;
    return s;
}

struct TPressCase {
    std::string Name;
    int X, Y;
    TGrabTarget Expected;
};

void PrintTo(const TPressCase& c, std::ostream* os)
{
    *os << c.Name;
}

class PressCases : public testing::TestWithParam<TPressCase> { };

TEST_P(PressCases, HitTestOrderCircleAndDiamonds)
{
    const TPressCase& c = GetParam();
    EXPECT_EQ(FindGrabTarget(MainWindowState(), 608, 475, c.X, c.Y), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, PressCases,
    testing::Values(TPressCase { "ObjectTopExactly", 104, 87, gtObject },
        TPressCase { "ObjectWithinCircle", 140, 120, gtObject },
        TPressCase { "FocusAtDiamondTip", 224, 187, gtFocus },
        TPressCase { "JustOutsideFocusTip", 224, 186, gtNone },
        TPressCase { "FocusDiamondEdge", 249, 212, gtFocus },
        TPressCase { "OutsideDiamondInsideCircle", 250, 212, gtNone },
        TPressCase { "DoubleFocusMark", 144, 237, gtDoubleFocus },
        TPressCase { "RightFocusIsNotGrabbable", 384, 237, gtNone }),
    [](const testing::TestParamInfo<TPressCase>& info) { return info.param.Name; });

TEST(LenseDrag, FocusWinsOverDoubleFocusWhenTheyOverlap)
{
    TLenseDiagramState s = MainWindowState();
    s.F = 3;
    s.ObjectX = 500;
    EXPECT_EQ(FindGrabTarget(s, 608, 475, 304 - 4, 237), gtFocus);
    EXPECT_EQ(FindGrabTarget(s, 608, 475, 304 - 200, 237), gtNone);
}

TEST(LenseDrag, SensitivityZeroNeedsTheExactPixelAndNegativeGrabsNothing)
{
    TLenseDiagramState s = MainWindowState();
    s.GrabSensitivity = 0;
    EXPECT_EQ(FindGrabTarget(s, 608, 475, 104, 87), gtObject);
    EXPECT_EQ(FindGrabTarget(s, 608, 475, 105, 87), gtNone);
    EXPECT_EQ(FindGrabTarget(s, 608, 475, 224, 237), gtFocus);
    s.GrabSensitivity = -1;
    EXPECT_EQ(FindGrabTarget(s, 608, 475, 104, 87), gtNone);
}

TEST(LenseDrag, OddWidthShiftsTheLensCentre)
{
    EXPECT_EQ(FindGrabTarget(MainWindowState(), 607, 475, 103, 87), gtObject);
    EXPECT_EQ(FindGrabTarget(MainWindowState(), 607, 475, 223, 237), gtFocus);
}

struct TMoveCase {
    std::string Name;
    TGrabTarget Target;
    int X, Y;
    int ObjectX, ObjectH, F;
};

void PrintTo(const TMoveCase& c, std::ostream* os)
{
    *os << c.Name;
}

class MoveCases : public testing::TestWithParam<TMoveCase> { };

TEST_P(MoveCases, GrabbedElementFollowsThePointerWithinItsLimits)
{
    const TMoveCase& c = GetParam();
    TLenseDiagramState s = MainWindowState();
    MoveGrabTarget(s, c.Target, 608, 475, c.X, c.Y);
    EXPECT_EQ(s.ObjectX, c.ObjectX);
    EXPECT_EQ(s.ObjectH, c.ObjectH);
    EXPECT_EQ(s.F, c.F);
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, MoveCases,
    testing::Values(TMoveCase { "ObjectJumps", gtObject, 140, 120, 164, 117, 80 },
        TMoveCase { "ObjectRightOfLens", gtObject, 310, 87, 1, 150, 80 },
        TMoveCase { "ObjectBelowAxis", gtObject, 104, 300, 200, -63, 80 },
        TMoveCase { "ObjectPastLeftEdge", gtObject, -20, 87, 324, 150, 80 },
        TMoveCase { "FocusRightOfLens", gtFocus, 400, 10, 200, 150, 1 },
        TMoveCase { "FocusIgnoresHeight", gtFocus, 200, -500, 200, 150, 104 },
        TMoveCase { "DoubleFocusNearLens", gtDoubleFocus, 303, 237, 200, 150, 1 },
        TMoveCase { "DoubleFocusStepsOfTwo", gtDoubleFocus, 145, 237, 200, 150, 79 },
        TMoveCase { "NothingGrabbed", gtNone, 0, 0, 200, 150, 80 }),
    [](const testing::TestParamInfo<TMoveCase>& info) { return info.param.Name; });

TEST(LenseDrag, OverflowRaisesInsteadOfWrapping)
{
    TLenseDiagramState s = MainWindowState();
    s.F = INT_MAX;
    s.ObjectX = INT_MIN;
    EXPECT_THROW(FindGrabTarget(s, 608, 475, 104, 87), CheckedInt::EIntOverflow);
    s = MainWindowState();
    s.F = INT_MAX;
    s.GrabSensitivity = -1;
    EXPECT_THROW(FindGrabTarget(s, 608, 475, 104, 87), CheckedInt::EIntOverflow);
}

} // namespace
