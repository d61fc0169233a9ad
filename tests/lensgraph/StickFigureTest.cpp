#include "StickFigure.h"
#include "CheckedInt.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(StickFigure, ObjectStandsOnTheAxis)
{
    const TStickFigure f = StickFigure(-200, 150, 304, 237);
    EXPECT_EQ(f.Column, 104);
    EXPECT_EQ(f.Left, 79);
    EXPECT_EQ(f.Right, 129);
    EXPECT_EQ(f.Feet, 237);
    EXPECT_EQ(f.Neck, 237 - 100);
    EXPECT_EQ(f.Hip, 237 - 50);
    EXPECT_EQ(f.Shoulder, 237 - 93);
    EXPECT_EQ(f.Hands, 237 - 75);
    EXPECT_EQ(f.HeadTop, 87);
}

TEST(StickFigure, NegativeHeightHangsHeadDownWithTruncatedDivisions)
{
    const TStickFigure f = StickFigure(133, -100, 304, 237);
    EXPECT_EQ(f.Column, 437);
    EXPECT_EQ(f.Right - f.Column, 16);
    EXPECT_EQ(f.Neck, 237 + 66);
    EXPECT_EQ(f.Hip, 237 + 33);
    EXPECT_EQ(f.Shoulder, 237 + 62);
    EXPECT_EQ(f.Hands, 237 + 50);
    EXPECT_EQ(f.HeadTop, 337);
}

TEST(StickFigure, ZeroHeightShrinksToAPoint)
{
    const TStickFigure f = StickFigure(0, 0, 10, 10);
    EXPECT_EQ(f.Left, f.Right);
    EXPECT_EQ(f.HeadTop, f.Feet);
}

TEST(StickFigure, OverflowRaisesInsteadOfWrapping)
{
    EXPECT_THROW(StickFigure(0, INT_MAX, 304, 237), CheckedInt::EIntOverflow);
    EXPECT_THROW(StickFigure(INT_MAX, 10, 304, 237), CheckedInt::EIntOverflow);
    EXPECT_THROW(StickFigure(0, INT_MIN, 304, 237), CheckedInt::EIntOverflow);
}

} // namespace
