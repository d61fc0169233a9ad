#include "LensePart.h"
#include "LenseStartValues.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

constexpr int W = StartDiagramWidth;
constexpr int H = StartDiagramHeight;

// Names the keys with their values, so a test sees which sentences were chosen.
std::string Keys(std::string_view Key, const std::vector<std::string>& Args)
{
    std::string Text = "[" + std::string(Key);
    for (const std::string& Arg : Args)
        Text += " " + Arg;
    return Text + "]";
}

constexpr TLensePart Parts[]
    = { TLensePart::ObjectDistance, TLensePart::ObjectHeight, TLensePart::Focus, TLensePart::DoubleFocus };

// A drag to the picture's edges reaches each end of a part's range and no further, and
// setting a value goes where a drag to that value's pixel goes.
TEST(LensePart, RangeIsWhatADragInsideThePictureReachesAndValuesAreSetAsADragWould)
{
    for (const TLensePart Part : Parts) {
        const TLensePartRange Range = LensePartRange(Part, W, H);
        const TGrabTarget Target = GrabTargetOf(Part);
        long long Reached[2] = { LLONG_MAX, LLONG_MIN };
        for (const auto& [X, Y] :
            { std::pair { -50, -50 }, { W + 50, H + 50 }, { 0, H - 1 }, { W - 1, 0 } }) {
            TLenseDiagramState Dragged = LenseStartValues();
            MoveGrabTarget(Dragged, Target, W, H, X, Y);
            Reached[0] = std::min(Reached[0], LensePartValue(Dragged, Part));
            Reached[1] = std::max(Reached[1], LensePartValue(Dragged, Part));
        }
        EXPECT_EQ(Reached[0], Range.Minimum) << static_cast<int>(Part);
        EXPECT_EQ(Reached[1], Range.Maximum) << static_cast<int>(Part);

        for (const long long Value : { LLONG_MIN, -5LL, 0LL, 1LL, 77LL, 150LL, 10000LL, LLONG_MAX }) {
            TLenseDiagramState Set = LenseStartValues();
            SetLensePartValue(Set, Part, W, H, Value);
            const long long Held = std::clamp<long long>(Value, Range.Minimum, Range.Maximum);
            // 2F follows in steps of two, as under the mouse.
            EXPECT_EQ(LensePartValue(Set, Part), Part == TLensePart::DoubleFocus ? Held / 2 * 2 : Held)
                << static_cast<int>(Part) << " " << Value;
            TLenseDiagramState Untouched = LenseStartValues();
            if (GrabTargetOf(Part) == TGrabTarget::gtObject)
                EXPECT_EQ(Set.F, Untouched.F);
            else
                EXPECT_TRUE(Set.ObjectX == Untouched.ObjectX && Set.ObjectH == Untouched.ObjectH);
        }
    }
    TLenseDiagramState Moved = LenseStartValues();
    SetLensePartValue(Moved, TLensePart::ObjectHeight, W, H, -20);
    EXPECT_EQ(Moved.ObjectX, 200) << "a new height keeps the distance";
    SetLensePartValue(Moved, TLensePart::ObjectDistance, W, H, 90);
    EXPECT_EQ(Moved.ObjectH, -20) << "a new distance keeps the height";
}

TEST(LensePart, TextSaysTheNumbersThenTheSituationAndWhatLiesOutsideThePicture)
{
    TLenseDiagramState State = LenseStartValues();
    EXPECT_EQ(DescribeLensePart(State, TLensePart::ObjectHeight, W, H, Keys),
        "[Object Height Value 200 150] [Object Beyond 2F 200] [Describe Image [Image Real] [Image Inverted] "
        "[Image Reduced] 133 [Image Right Side]]");
    EXPECT_EQ(DescribeLensePart(State, TLensePart::DoubleFocus, W, H, Keys).substr(0, 30),
        "[Double Focus Value 160 80] [O");
    EXPECT_EQ(LensePartName(TLensePart::Focus, Keys), "[Part Focus]");

    // Only a setter or a smaller window puts these outside: the head past an edge, the
    // left marks past the left edge (F implies 2F).
    const auto Outside = [](const TLenseDiagramState& S, int Width, int Height) {
        const std::string Text = DescribeLenseSituation(S, Width, Height, Keys);
        std::string Found;
        for (const char* Key : { "[Object Outside]", "[Focus Outside]", "[Double Focus Outside]" })
            if (Text.find(Key) != std::string::npos)
                Found += Key;
        return Found;
    };
    EXPECT_EQ(Outside(State, W, H), "");
    EXPECT_EQ(Outside(State, 300, H), "[Object Outside][Double Focus Outside]");
    EXPECT_EQ(Outside(State, 150, 150), "[Object Outside][Focus Outside]");
    State.ObjectH = -(H / 2);
    EXPECT_EQ(Outside(State, W, H), "") << "the bottom row still shows";
    State.ObjectH = -(H / 2) - 1;
    EXPECT_EQ(Outside(State, W, H), "[Object Outside]");
    State = LenseStartValues();
    State.ObjectX = INT_MIN;
    State.F = INT_MAX;
    EXPECT_EQ(Outside(State, W, H), "[Object Outside][Focus Outside]");
}

} // namespace
