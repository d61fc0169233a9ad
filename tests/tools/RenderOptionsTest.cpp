#include "RenderOptions.h"

#include "LenseDrag.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

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
    const TRenderOptions Options = ParseRenderOptions({ "--size", "800x600", "--lens", "concave", "--f", "5",
        "--object-x", "120", "--object-h", "-40", "--no-lens", "x.png" });
    EXPECT_EQ(Options.OutFile, "x.png");
    EXPECT_EQ(Options.Width, 800);
    EXPECT_EQ(Options.Height, 600);
    EXPECT_EQ(Options.State.LenseType, TLenseType::ltConcave);
    EXPECT_EQ(Options.State.F, 5);
    EXPECT_EQ(Options.State.ObjectX, 120);
    EXPECT_EQ(Options.State.ObjectH, -40);
    EXPECT_FALSE(Options.State.DrawLense);
}

TEST(RenderOptions, HelpAndVersionNeedNoOutputFileAndDashIsStandardOutput)
{
    EXPECT_TRUE(ParseRenderOptions({ "--help" }).Help);
    EXPECT_TRUE(ParseRenderOptions({ "--version" }).Version);
    EXPECT_EQ(ParseRenderOptions({ "-", "--f", "9" }).OutFile, "-");
}

TEST(RenderOptions, AValueMayFollowAnEqualsSign)
{
    const TRenderOptions Options
        = ParseRenderOptions({ "--f=90", "--size=10x20", "--lens=concave", "--object-h=-3", "x=y.png" });
    EXPECT_EQ(Options.State.F, 90);
    EXPECT_EQ(Options.Width, 10);
    EXPECT_EQ(Options.State.LenseType, TLenseType::ltConcave);
    EXPECT_EQ(Options.State.ObjectH, -3);
    EXPECT_EQ(Options.OutFile, "x=y.png");
    EXPECT_THROW(ParseRenderOptions({ "a.png", "--no-lens=1" }), EUsage);
    EXPECT_THROW(ParseRenderOptions({ "a.png", "--f=" }), EUsage);
}

// The tool accepts exactly what dragging in the window can leave: pulling the object
// or a focal mark past the lens stops at the least value, and one less is refused
// with a message naming the range.
TEST(RenderOptions, FocalLengthAndObjectDistanceKeepToWhatADragAllows)
{
    for (const TLenseType Type : { TLenseType::ltConvex, TLenseType::ltConcave }) {
        TLenseDiagramState Dragged;
        Dragged.LenseType = Type;
        MoveGrabTarget(Dragged, TGrabTarget::gtObject, 608, 475, 600, 10);
        MoveGrabTarget(Dragged, TGrabTarget::gtDoubleFocus, 608, 475, 600, 10);
        const std::string Lens = Type == TLenseType::ltConvex ? "convex" : "concave";
        const TRenderOptions Least = ParseRenderOptions({ "a.png", "--lens", Lens, "--f",
            std::to_string(Dragged.F), "--object-x", std::to_string(Dragged.ObjectX) });
        EXPECT_EQ(Least.State.F, Dragged.F);
        EXPECT_EQ(Least.State.ObjectX, Dragged.ObjectX);
        for (const auto& [Option, Value] :
            { std::pair { "--f", Dragged.F }, { "--object-x", Dragged.ObjectX } }) {
            for (const int Bad : { Value - 1, -80 }) {
                try {
                    ParseRenderOptions({ "a.png", "--lens", Lens, Option, std::to_string(Bad) });
                    ADD_FAILURE() << Lens << ' ' << Option << ' ' << Bad << " was accepted";
                } catch (const EUsage& Error) {
                    const std::string Message = Error.what();
                    EXPECT_NE(Message.find(Option), std::string::npos) << Message;
                    EXPECT_NE(Message.find(std::to_string(Value) + ".."), std::string::npos) << Message;
                }
            }
        }
    }
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
