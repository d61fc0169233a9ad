#include "LenseConstruction.h"
#include "PixelFrame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

namespace {

// The main window's diagram: 608 x 475, so the lens centre is pixel (304, 237).
constexpr int kWidth = 608;
constexpr int kHeight = 475;

struct TImageCase {
    std::string Name;
    TLenseType Type;
    int ObjectX;
    int ObjectH;
    double IX, IY;
    bool Virtual;
    int E1Y, E2Y; // pixel rows where the rays leave the area on the right
};

void PrintTo(const TImageCase& c, std::ostream* os)
{
    *os << c.Name;
}

class ImageCases : public testing::TestWithParam<TImageCase> { };

TEST_P(ImageCases, ImageAndRayEndsFollowTheThinLensConstruction)
{
    const TImageCase& c = GetParam();
    TLenseDiagramState s;
    s.F = 80;
    s.LenseType = c.Type;
    s.ObjectX = c.ObjectX;
    s.ObjectH = c.ObjectH;
    const TPixelFrame frame(kWidth, kHeight);
    const TLenseConstruction k = ConstructImage(s, frame.Cx());
    ASSERT_TRUE(k.ImageShown);
    EXPECT_NEAR(k.I.X, c.IX, 1e-9);
    EXPECT_NEAR(k.I.Y, c.IY, 1e-9);
    EXPECT_EQ(k.ImageVirtual, c.Virtual);
    EXPECT_EQ(frame.ToPixel(k.E1)->X, kWidth);
    EXPECT_EQ(frame.ToPixel(k.E1)->Y, c.E1Y);
    EXPECT_EQ(frame.ToPixel(k.E2)->Y, c.E2Y);
    // The same image the lens equation gives, within rounding.
    const double f = c.Type == ltConvex ? 80.0 : -80.0;
    EXPECT_NEAR(k.I.X, f * c.ObjectX / (c.ObjectX - f), 1e-9);
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, ImageCases,
    testing::Values(TImageCase { "ConvexReal", ltConvex, 200, 150, 400.0 / 3.0, -100.0, false, 657, 465 },
        TImageCase { "ConvexAtTwoF", ltConvex, 160, 150, 160.0, -150.0, false, 657, 522 },
        TImageCase { "ConvexInsideFocus", ltConvex, 50, 150, -400.0 / 3.0, 400.0, true, 657, 1149 },
        TImageCase { "Concave", ltConcave, 200, 150, -400.0 / 7.0, 300.0 / 7.0, true, -483, 465 }),
    [](const testing::TestParamInfo<TImageCase>& info) { return info.param.Name; });

TEST(LenseConstruction, ObjectAtTheFocalPointHasNoImageForEitherLens)
{
    TLenseDiagramState s;
    s.F = 80;
    s.ObjectX = 80;
    for (TLenseType type : { ltConvex, ltConcave }) {
        s.LenseType = type;
        EXPECT_FALSE(ConstructImage(s, 304).ImageShown);
    }
}

TEST(LenseConstruction, ObjectOnTheAxisImagesAtTheLensCentre)
{
    TLenseDiagramState s;
    s.F = 80;
    s.ObjectH = 0;
    const TLenseConstruction k = ConstructImage(s, 304);
    ASSERT_TRUE(k.ImageShown);
    EXPECT_EQ(k.I.X, 0.0);
    EXPECT_EQ(k.I.Y, 0.0);
    EXPECT_FALSE(k.ImageVirtual);
}

TEST(LenseConstruction, ZeroFocalLengthLeavesARayFarOutsideButFinite)
{
    TLenseDiagramState s;
    s.F = 0;
    const TLenseConstruction k = ConstructImage(s, 304);
    ASSERT_TRUE(k.ImageShown);
    EXPECT_LT(k.E1.Y, -1e40);
    const auto e1 = TPixelFrame(608, 475).ToPixel(k.E1);
    ASSERT_TRUE(e1.has_value());
    EXPECT_EQ(e1->Y, 237 + TCanvas::CoordinateLimit);
}

TEST(PixelFrame, TruncatesTowardZeroAndRejectsNonFiniteValues)
{
    const TPixelFrame odd(607, 474);
    EXPECT_EQ(odd.Cx(), 303);
    EXPECT_EQ(odd.Cy(), 237);
    EXPECT_EQ(odd.ToPixel({ 133.9, -100.7 })->X, 436);
    EXPECT_EQ(odd.ToPixel({ 133.9, -100.7 })->Y, 337);
    EXPECT_EQ(odd.ToPixel({ -0.9, 0.9 })->X, 303);
    EXPECT_EQ(TPixelFrame::Trunc(-842.4375), -842);
    EXPECT_FALSE(TPixelFrame::Trunc(std::nan("")).has_value());
    EXPECT_FALSE(TPixelFrame::Trunc(-HUGE_VAL).has_value());
    EXPECT_EQ(TPixelFrame::Trunc(1e38), TCanvas::CoordinateLimit);
    EXPECT_EQ(TPixelFrame::Trunc(-1e38), -TCanvas::CoordinateLimit);
}

} // namespace
