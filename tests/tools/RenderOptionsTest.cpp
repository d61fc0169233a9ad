#include "RenderOptions.h"

#include <gtest/gtest.h>

namespace {

TEST(RenderOptions, DefaultsAreTheMainWindowsStartUpDiagram)
{
    const TRenderOptions o = ParseRenderOptions({ "out.png" });
    EXPECT_EQ(o.OutFile, "out.png");
    EXPECT_EQ(o.Width, 608);
    EXPECT_EQ(o.Height, 475);
    EXPECT_EQ(o.State.LenseType, ltConvex);
    EXPECT_EQ(o.State.F, 80);
    EXPECT_EQ(o.State.ObjectX, 200);
    EXPECT_EQ(o.State.ObjectH, 150);
    EXPECT_EQ(o.State.ImageColor, 0x3366BBu);
    EXPECT_TRUE(o.State.DrawLense);
}

TEST(RenderOptions, EveryOptionSetsItsValue)
{
    const TRenderOptions o = ParseRenderOptions({ "--size", "800x600", "--lens", "concave", "--f", "-5",
        "--object-x", "120", "--object-h", "-40", "--no-lens", "x.png" });
    EXPECT_EQ(o.OutFile, "x.png");
    EXPECT_EQ(o.Width, 800);
    EXPECT_EQ(o.Height, 600);
    EXPECT_EQ(o.State.LenseType, ltConcave);
    EXPECT_EQ(o.State.F, -5);
    EXPECT_EQ(o.State.ObjectX, 120);
    EXPECT_EQ(o.State.ObjectH, -40);
    EXPECT_FALSE(o.State.DrawLense);
}

TEST(RenderOptions, HelpNeedsNoOutputFile)
{
    EXPECT_TRUE(ParseRenderOptions({ "--help" }).Help);
}

TEST(RenderOptions, BadInputIsAUsageErrorNamingTheOption)
{
    const std::vector<std::vector<std::string>> bad = {
        {},
        { "--bogus", "a.png" },
        { "a.png", "b.png" },
        { "a.png", "--f" },
        { "a.png", "--f", "8x" },
        { "a.png", "--f", "99999999999" },
        { "a.png", "--size", "608" },
        { "a.png", "--size", "0x10" },
        { "a.png", "--size", "100000x10" },
        { "a.png", "--size", "-5x10" },
        { "a.png", "--lens", "flat" },
    };
    for (const auto& args : bad)
        EXPECT_THROW(ParseRenderOptions(args), EUsage) << (args.empty() ? "" : args.back());
    try {
        ParseRenderOptions({ "a.png", "--lens", "flat" });
    } catch (const EUsage& e) {
        EXPECT_NE(std::string(e.what()).find("--lens"), std::string::npos);
    }
}

} // namespace
