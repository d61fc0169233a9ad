#include "StickFigure.h"
#include "CheckedInt.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(StickFigure, ObjectStandsOnTheAxis)
{
    const TStickFigure Figure = StickFigure(-200, 150, 304, 237);
    EXPECT_EQ(Figure.Column, 104);
    EXPECT_EQ(Figure.Left, 79);
    EXPECT_EQ(Figure.Right, 129);
    EXPECT_EQ(Figure.Feet, 237);
    EXPECT_EQ(Figure.Neck, 237 - 100);
    EXPECT_EQ(Figure.Hip, 237 - 50);
    EXPECT_EQ(Figure.Shoulder, 237 - 93);
    EXPECT_EQ(Figure.Hands, 237 - 75);
    EXPECT_EQ(Figure.HeadTop, 87);
}

TEST(StickFigure, NegativeHeightHangsHeadDownWithTruncatedDivisions)
{
    const TStickFigure Figure = StickFigure(133, -100, 304, 237);
    EXPECT_EQ(Figure.Column, 437);
    EXPECT_EQ(Figure.Right - Figure.Column, 16);
    EXPECT_EQ(Figure.Neck, 237 + 66);
    EXPECT_EQ(Figure.Hip, 237 + 33);
    EXPECT_EQ(Figure.Shoulder, 237 + 62);
    EXPECT_EQ(Figure.Hands, 237 + 50);
    EXPECT_EQ(Figure.HeadTop, 337);
}

TEST(StickFigure, ZeroHeightShrinksToAPoint)
{
    const TStickFigure Figure = StickFigure(0, 0, 10, 10);
    EXPECT_EQ(Figure.Left, Figure.Right);
    EXPECT_EQ(Figure.HeadTop, Figure.Feet);
}

TEST(StickFigure, OverflowRaisesInsteadOfWrapping)
{
    EXPECT_THROW(StickFigure(0, INT_MAX, 304, 237), CheckedInt::EIntOverflow);
    EXPECT_THROW(StickFigure(INT_MAX, 10, 304, 237), CheckedInt::EIntOverflow);
    EXPECT_THROW(StickFigure(0, INT_MIN, 304, 237), CheckedInt::EIntOverflow);
}

} // namespace
