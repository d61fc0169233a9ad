#include "TLenseKeyboard.h"

#include "LenseStartValues.h"

#include <gtest/gtest.h>

namespace {

constexpr int W = StartDiagramWidth;
constexpr int H = StartDiagramHeight;
using TResult = TLenseKeyboard::TResult;

// One press sequence through every kind of key: what it moves, by how much, which part a
// listener hears, and which keys are left to the window.
TEST(LenseKeyboard, KeysChooseMoveAndLeaveAsOnEveryFrontEnd)
{
    TLenseDiagramState State = LenseStartValues();
    const TLenseDiagramState Start = State;
    TLenseKeyboard Keys;
    EXPECT_EQ(Keys.Press(TDiagramKey::Left, false, State, W, H), TResult::Ignored);
    EXPECT_EQ(Keys.Press(TDiagramKey::Leave, false, State, W, H), TResult::Ignored);
    EXPECT_FALSE(Keys.Part());

    EXPECT_EQ(Keys.Press(TDiagramKey::ChooseObject, false, State, W, H), TResult::Chosen);
    EXPECT_EQ(Keys.Part(), TLensePart::ObjectDistance);
    EXPECT_EQ(Keys.Press(TDiagramKey::Left, true, State, W, H), TResult::Moved);
    EXPECT_EQ(State.ObjectX, Start.ObjectX + 10) << "Shift moves ten pixels";
    EXPECT_EQ(Keys.Press(TDiagramKey::Up, false, State, W, H), TResult::Moved);
    EXPECT_EQ(State.ObjectH, Start.ObjectH + 1);
    EXPECT_EQ(Keys.Part(), TLensePart::ObjectHeight) << "the height is what changed";
    EXPECT_EQ(Keys.Press(TDiagramKey::Right, false, State, W, H), TResult::Moved);
    EXPECT_EQ(Keys.Part(), TLensePart::ObjectDistance);

    EXPECT_EQ(Keys.Press(TDiagramKey::ChooseDoubleFocus, false, State, W, H), TResult::Chosen);
    EXPECT_EQ(Keys.Part(), TLensePart::DoubleFocus);
    EXPECT_EQ(Keys.Press(TDiagramKey::Down, false, State, W, H), TResult::Ignored)
        << "marks stay on the axis";
    EXPECT_EQ(Keys.Press(TDiagramKey::Left, true, State, W, H), TResult::Moved);
    EXPECT_EQ(State.F, Start.F + 5) << "2F follows the pointer, F half of it";

    EXPECT_EQ(Keys.Press(TDiagramKey::Leave, false, State, W, H), TResult::Chosen);
    EXPECT_EQ(Keys.Target(), TGrabTarget::gtNone);
    EXPECT_FALSE(Keys.Part());
    const TLenseDiagramState Left = State;
    EXPECT_EQ(Keys.Press(TDiagramKey::Right, false, State, W, H), TResult::Ignored);
    EXPECT_EQ(State.F, Left.F);
    EXPECT_EQ(State.ObjectX, Left.ObjectX);
}

} // namespace
