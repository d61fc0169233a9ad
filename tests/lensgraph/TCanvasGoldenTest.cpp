#include "GdiScript.h"

#include "TPixelBuffer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Each scene is a gdi-oracle script with the PNG that Wine's GDI drew from it.
class GdiCanvasGolden : public ::testing::TestWithParam<std::string> { };

TEST_P(GdiCanvasGolden, MatchesGdiPixels)
{
    const std::string Base = std::string(FOKALIS_GOLDEN_DIR) + "/" + GetParam();
    const auto Buffer = RunGdiScript(Base + ".gdi");
    ASSERT_TRUE(Buffer);
    EXPECT_EQ(CompareWithGolden(*Buffer, LoadGolden(Base + ".png")), "");
}

INSTANTIATE_TEST_SUITE_P(Scenes, GdiCanvasGolden,
    ::testing::Values("fillrect", "lines_ties", "lines_random", "dotted", "arcs", "ellipses", "floodfill"),
    [](const ::testing::TestParamInfo<std::string>& Info) { return Info.param; });

} // namespace
