#include "uVectors.h"

#include <gtest/gtest.h>

using namespace uVectors;

TEST(uVectors, LineThroughStoresNegatedSlopeAndOffset)
{
    const TLine2D Line = LineThrough(MakeVector(0, 150), VectorFromTo(MakeVector(0, 150), MakeVector(80, 0)));
    EXPECT_DOUBLE_EQ(Line.A, 150.0 / 80.0);
    EXPECT_DOUBLE_EQ(Line.B, 1.0);
    EXPECT_DOUBLE_EQ(Line.C, 150.0);
    EXPECT_DOUBLE_EQ(LineYAt(Line, 80), 0.0);
}

TEST(uVectors, VerticalDirectionGetsPositiveVerticalSlopeWhateverItsSign)
{
    EXPECT_EQ(LineThrough(MakeVector(2, 3), MakeVector(0, 5)).A, VerticalSlope);
    EXPECT_EQ(LineThrough(MakeVector(2, 3), MakeVector(0, -5)).A, VerticalSlope);
    EXPECT_EQ(LineThrough(MakeVector(2, 3), MakeVector(0, -5)).C, 3.0 + VerticalSlope * 2.0);
}

TEST(uVectors, ParallelLinesUseTheSmallDeterminant)
{
    const TLine2D Axis = LineThrough(MakeVector(-200, 0), MakeVector(200, 0));
    const TVector2D Meet = IntersectLines(Axis, Axis);
    EXPECT_EQ(Meet.X, 0.0);
    EXPECT_EQ(Meet.Y, 0.0);
    const TLine2D Above = LineThrough(MakeVector(0, 1), MakeVector(1, 0));
    const TVector2D Far = IntersectLines(Axis, Above);
    // (0 - 1) / 0.001: the "crossing" of two parallels lies far along the axis.
    EXPECT_DOUBLE_EQ(Far.X, -1000.0);
    EXPECT_EQ(Far.Y, 0.0);
}

TEST(uVectors, ConvexImageOfTheWorkedExample)
{
    // Object 200 left of the lens, 150 high, focal length 80.
    const TVector2D O = MakeVector(-200, 150), A = MakeVector(0, 150), Z = MakeVector(0, 0);
    const TLine2D L1 = LineThrough(A, VectorFromTo(A, MakeVector(80, 0)));
    const TLine2D L2 = LineThrough(O, VectorFromTo(O, Z));
    const TVector2D I = IntersectLines(L1, L2);
    EXPECT_NEAR(I.X, 133.3333333, 1e-6);
    EXPECT_NEAR(I.Y, -100.0, 1e-9);
    EXPECT_NEAR(LineYAt(L1, 304), 150.0 - 150.0 * 304 / 80, 1e-9);
    EXPECT_NEAR(LineYAt(L2, 304), -150.0 * 304 / 200, 1e-9);
}
