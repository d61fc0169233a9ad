#include "LenseOutline.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using TArc = TLenseOutline::TArc;

void ExpectArc(const TArc& a, const TArc& expected)
{
    EXPECT_EQ(a.Left, expected.Left);
    EXPECT_EQ(a.Top, expected.Top);
    EXPECT_EQ(a.Right, expected.Right);
    EXPECT_EQ(a.Bottom, expected.Bottom);
    EXPECT_EQ(a.StartX, expected.StartX);
    EXPECT_EQ(a.StartY, expected.StartY);
    EXPECT_EQ(a.EndX, expected.EndX);
    EXPECT_EQ(a.EndY, expected.EndY);
}

TEST(LenseOutline, ConvexFacesMeetOnTheLensAxis)
{
    const auto o = LenseOutline(TLenseDiagramState {}, 608, 475, false);
    ASSERT_TRUE(o.has_value());
    ExpectArc(o->Arc1, { 283, -842, 2442, 1316, 305, 23, 305, 450 });
    ExpectArc(o->Arc2, { 326, -842, -1832, 1316, 305, 450, 305, 23 });
    EXPECT_FALSE(o->HasEdges);
    EXPECT_EQ(o->SeedX, 305);
    EXPECT_EQ(o->SeedY, 237);
}

TEST(LenseOutline, ConcaveFacesStandApartAndEdgesCloseTheBody)
{
    const auto o = LenseOutline(TLenseDiagramState {}, 608, 475, true);
    ASSERT_TRUE(o.has_value());
    ExpectArc(o->Arc1, { 310, -842, 2468, 1316, 331, 23, 331, 450 });
    ExpectArc(o->Arc2, { 300, -842, -1858, 1316, 278, 450, 278, 23 });
    ASSERT_TRUE(o->HasEdges);
    const std::int64_t rows[] = { 23, 450, 24, 449 };
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(o->Edges[i].FromX, 277);
        EXPECT_EQ(o->Edges[i].ToX, 332);
        EXPECT_EQ(o->Edges[i].Y, rows[i]);
    }
}

TEST(LenseOutline, OnlyTheHeightSizesTheLens)
{
    const auto narrow = LenseOutline(TLenseDiagramState {}, 200, 475, false);
    ASSERT_TRUE(narrow.has_value());
    EXPECT_EQ(narrow->Arc1.Bottom - narrow->Arc1.Top, 1316 + 842);
    EXPECT_EQ(narrow->Arc1.StartX, 101);
}

TEST(LenseOutline, WideRatioPutsTheCircleCentreBeyondTheChord)
{
    TLenseDiagramState s;
    s.LenseWidthRatio = 2.0;
    const auto o = LenseOutline(s, 608, 475, false);
    ASSERT_TRUE(o.has_value());
    // d < 0: the left face's circle is centred left of its chord, beyond the bulge.
    EXPECT_LT((o->Arc1.Left + o->Arc1.Right) / 2, 305);
    EXPECT_GT((o->Arc2.Left + o->Arc2.Right) / 2, 305);
}

TEST(LenseOutline, DegenerateSizesLeaveTheBodyOut)
{
    TLenseDiagramState s;
    s.LenseWidthRatio = 0.0;
    EXPECT_FALSE(LenseOutline(s, 608, 475, false).has_value());
    s = {};
    s.LenseHeightRatio = 0.0;
    EXPECT_FALSE(LenseOutline(s, 608, 475, true).has_value());
    s = {};
    EXPECT_FALSE(LenseOutline(s, 608, 0, false).has_value());
    s.LenseHeightRatio = std::nan("");
    EXPECT_FALSE(LenseOutline(s, 608, 475, false).has_value());
    s.LenseHeightRatio = HUGE_VAL;
    EXPECT_FALSE(LenseOutline(s, 608, 475, false).has_value());
}

} // namespace
