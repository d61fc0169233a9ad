#include "RenderOptions.h"

#include <gtest/gtest.h>

namespace {

TEST(RenderOptions, DefaultsAreTheMainWindowsStartUpDiagram)
{
    const TRenderOptions Options = ParseRenderOptions({ "out.png" });
    EXPECT_EQ(Options.OutFile, "out.png");
    EXPECT_EQ(Options.Width, 608);
    EXPECT_EQ(Options.Height, 475);
    EXPECT_EQ(Options.State.LenseType, TLenseType::ltConvex);
    EXPECT_EQ(Options.State.F, 80);
    EXPECT_EQ(Options.State.ObjectX, 200);
    EXPECT_EQ(Options.State.ObjectH, 150);
    EXPECT_EQ(Options.State.ImageColor, 0x3366BBu);
    EXPECT_TRUE(Options.State.DrawLense);
}

TEST(RenderOptions, EveryOptionSetsItsValue)
{
    const TRenderOptions Options = ParseRenderOptions({ "--size", "800x600", "--lens", "concave", "--f", "-5",
        "--object-x", "120", "--object-h", "-40", "--no-lens", "x.png" });
    EXPECT_EQ(Options.OutFile, "x.png");
    EXPECT_EQ(Options.Width, 800);
    EXPECT_EQ(Options.Height, 600);
    EXPECT_EQ(Options.State.LenseType, TLenseType::ltConcave);
    EXPECT_EQ(Options.State.F, -5);
    EXPECT_EQ(Options.State.ObjectX, 120);
    EXPECT_EQ(Options.State.ObjectH, -40);
    EXPECT_FALSE(Options.State.DrawLense);
}

TEST(RenderOptions, HelpNeedsNoOutputFile)
{
    EXPECT_TRUE(ParseRenderOptions({ "--help" }).Help);
}

TEST(RenderOptions, BadInputIsAUsageErrorNamingTheOption)
{
    const std::vector<std::vector<std::string>> Bad = {
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
    for (const auto& Args : Bad)
        EXPECT_THROW(ParseRenderOptions(Args), EUsage) << (Args.empty() ? "" : Args.back());
    try {
        ParseRenderOptions({ "a.png", "--lens", "flat" });
    } catch (const EUsage& Error) {
        EXPECT_NE(std::string(Error.what()).find("--lens"), std::string::npos);
    }
}

} // namespace
