#include "LenseOutline.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using TArc = TLenseOutline::TArc;

void ExpectArc(const TArc& Actual, const TArc& Expected)
{
    EXPECT_EQ(Actual.Left, Expected.Left);
    EXPECT_EQ(Actual.Top, Expected.Top);
    EXPECT_EQ(Actual.Right, Expected.Right);
    EXPECT_EQ(Actual.Bottom, Expected.Bottom);
    EXPECT_EQ(Actual.StartX, Expected.StartX);
    EXPECT_EQ(Actual.StartY, Expected.StartY);
    EXPECT_EQ(Actual.EndX, Expected.EndX);
    EXPECT_EQ(Actual.EndY, Expected.EndY);
}

TEST(LenseOutline, ConvexFacesMeetOnTheLensAxis)
{
    const auto Outline = LenseOutline(TLenseDiagramState {}, 608, 475, false);
    ASSERT_TRUE(Outline.has_value());
    ExpectArc(Outline->Arc1, { 283, -842, 2442, 1316, 305, 23, 305, 450 });
    ExpectArc(Outline->Arc2, { 326, -842, -1832, 1316, 305, 450, 305, 23 });
    EXPECT_FALSE(Outline->HasEdges);
    EXPECT_EQ(Outline->SeedX, 305);
    EXPECT_EQ(Outline->SeedY, 237);
}

TEST(LenseOutline, ConcaveFacesStandApartAndEdgesCloseTheBody)
{
    const auto Outline = LenseOutline(TLenseDiagramState {}, 608, 475, true);
    ASSERT_TRUE(Outline.has_value());
    ExpectArc(Outline->Arc1, { 310, -842, 2468, 1316, 331, 23, 331, 450 });
    ExpectArc(Outline->Arc2, { 300, -842, -1858, 1316, 278, 450, 278, 23 });
    ASSERT_TRUE(Outline->HasEdges);
    const std::int64_t Rows[] = { 23, 450, 24, 449 };
    for (std::size_t I = 0; I < 4; ++I) {
        EXPECT_EQ(Outline->Edges[I].FromX, 277);
        EXPECT_EQ(Outline->Edges[I].ToX, 332);
        EXPECT_EQ(Outline->Edges[I].Y, Rows[I]);
    }
}

TEST(LenseOutline, OnlyTheHeightSizesTheLens)
{
    const auto Narrow = LenseOutline(TLenseDiagramState {}, 200, 475, false);
    ASSERT_TRUE(Narrow.has_value());
    EXPECT_EQ(Narrow->Arc1.Bottom - Narrow->Arc1.Top, 1316 + 842);
    EXPECT_EQ(Narrow->Arc1.StartX, 101);
}

TEST(LenseOutline, WideRatioPutsTheCircleCentreBeyondTheChord)
{
    TLenseDiagramState State;
    State.LenseWidthRatio = 2.0;
    const auto Outline = LenseOutline(State, 608, 475, false);
    ASSERT_TRUE(Outline.has_value());
    // d < 0: the left face's circle is centred left of its chord, beyond the bulge.
    EXPECT_LT((Outline->Arc1.Left + Outline->Arc1.Right) / 2, 305);
    EXPECT_GT((Outline->Arc2.Left + Outline->Arc2.Right) / 2, 305);
}

TEST(LenseOutline, DegenerateSizesLeaveTheBodyOut)
{
    TLenseDiagramState State;
    State.LenseWidthRatio = 0.0;
    EXPECT_FALSE(LenseOutline(State, 608, 475, false).has_value());
    State = {};
    State.LenseHeightRatio = 0.0;
    EXPECT_FALSE(LenseOutline(State, 608, 475, true).has_value());
    State = {};
    EXPECT_FALSE(LenseOutline(State, 608, 0, false).has_value());
    State.LenseHeightRatio = std::nan("");
    EXPECT_FALSE(LenseOutline(State, 608, 475, false).has_value());
    State.LenseHeightRatio = HUGE_VAL;
    EXPECT_FALSE(LenseOutline(State, 608, 475, false).has_value());
}

} // namespace
