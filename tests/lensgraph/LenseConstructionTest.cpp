#include "LenseConstruction.h"
#include "TPixelFrame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

namespace {

// The main window's diagram: 608 x 475, so the lens centre is pixel (304, 237).
constexpr int DiagramWidth = 608;
constexpr int DiagramHeight = 475;

struct TImageCase {
    std::string Name;
    TLenseType Type;
    int ObjectX;
    int ObjectH;
    double IX, IY;
    bool Virtual;
    int E1Y, E2Y; // pixel rows where the rays leave the area on the right
};

void PrintTo(const TImageCase& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

class ImageCases : public testing::TestWithParam<TImageCase> { };

TEST_P(ImageCases, ImageAndRayEndsFollowTheThinLensConstruction)
{
    const TImageCase& Case = GetParam();
    TLenseDiagramState State;
    State.F = 80;
    State.LenseType = Case.Type;
    State.ObjectX = Case.ObjectX;
    State.ObjectH = Case.ObjectH;
    const TPixelFrame Frame(DiagramWidth, DiagramHeight);
    const TLenseConstruction Construction = ConstructImage(State, Frame.Cx());
    ASSERT_TRUE(Construction.ImageShown);
    EXPECT_NEAR(Construction.I.X, Case.IX, 1e-9);
    EXPECT_NEAR(Construction.I.Y, Case.IY, 1e-9);
    EXPECT_EQ(Construction.ImageVirtual, Case.Virtual);
    EXPECT_EQ(Frame.ToPixel(Construction.E1)->X, DiagramWidth);
    EXPECT_EQ(Frame.ToPixel(Construction.E1)->Y, Case.E1Y);
    EXPECT_EQ(Frame.ToPixel(Construction.E2)->Y, Case.E2Y);
    // The same image the lens equation gives, within rounding.
    const double Focal = Case.Type == TLenseType::ltConvex ? 80.0 : -80.0;
    EXPECT_NEAR(Construction.I.X, Focal * Case.ObjectX / (Case.ObjectX - Focal), 1e-9);
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, ImageCases,
    testing::Values(
        TImageCase { "ConvexReal", TLenseType::ltConvex, 200, 150, 400.0 / 3.0, -100.0, false, 657, 465 },
        TImageCase { "ConvexAtTwoF", TLenseType::ltConvex, 160, 150, 160.0, -150.0, false, 657, 522 },
        TImageCase {
            "ConvexInsideFocus", TLenseType::ltConvex, 50, 150, -400.0 / 3.0, 400.0, true, 657, 1149 },
        TImageCase {
            "Concave", TLenseType::ltConcave, 200, 150, -400.0 / 7.0, 300.0 / 7.0, true, -483, 465 }),
    [](const testing::TestParamInfo<TImageCase>& Info) { return Info.param.Name; });

TEST(LenseConstruction, ObjectAtTheFocalPointHasNoImageForEitherLens)
{
    TLenseDiagramState State;
    State.F = 80;
    State.ObjectX = 80;
    for (TLenseType Type : { TLenseType::ltConvex, TLenseType::ltConcave }) {
        State.LenseType = Type;
        EXPECT_FALSE(ConstructImage(State, 304).ImageShown);
    }
}

TEST(LenseConstruction, ObjectOnTheAxisImagesAtTheLensCentre)
{
    TLenseDiagramState State;
    State.F = 80;
    State.ObjectH = 0;
    const TLenseConstruction Construction = ConstructImage(State, 304);
    ASSERT_TRUE(Construction.ImageShown);
    EXPECT_EQ(Construction.I.X, 0.0);
    EXPECT_EQ(Construction.I.Y, 0.0);
    EXPECT_FALSE(Construction.ImageVirtual);
}

TEST(LenseConstruction, ZeroFocalLengthLeavesARayFarOutsideButFinite)
{
    TLenseDiagramState State;
    State.F = 0;
    const TLenseConstruction Construction = ConstructImage(State, 304);
    ASSERT_TRUE(Construction.ImageShown);
    EXPECT_LT(Construction.E1.Y, -1e40);
    const auto E1 = TPixelFrame(608, 475).ToPixel(Construction.E1);
    ASSERT_TRUE(E1.has_value());
    EXPECT_EQ(E1->Y, 237 + TCanvas::CoordinateLimit);
}

TEST(PixelFrame, TruncatesTowardZeroAndRejectsNonFiniteValues)
{
    const TPixelFrame Odd(607, 474);
    EXPECT_EQ(Odd.Cx(), 303);
    EXPECT_EQ(Odd.Cy(), 237);
    EXPECT_EQ(Odd.ToPixel({ 133.9, -100.7 })->X, 436);
    EXPECT_EQ(Odd.ToPixel({ 133.9, -100.7 })->Y, 337);
    EXPECT_EQ(Odd.ToPixel({ -0.9, 0.9 })->X, 303);
    EXPECT_EQ(TPixelFrame::Trunc(-842.4375), -842);
    EXPECT_FALSE(TPixelFrame::Trunc(std::nan("")).has_value());
    EXPECT_FALSE(TPixelFrame::Trunc(-HUGE_VAL).has_value());
    EXPECT_EQ(TPixelFrame::Trunc(1e38), TCanvas::CoordinateLimit);
    EXPECT_EQ(TPixelFrame::Trunc(-1e38), -TCanvas::CoordinateLimit);
}

} // namespace
