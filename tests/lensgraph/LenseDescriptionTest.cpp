#include "LenseDescription.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace {

// The key and its values, so the test reads the numbers as a user reads them.
std::string Echo(std::string_view Key, const std::vector<std::string>& Args)
{
    std::string Text(Key);
    for (const std::string& Arg : Args)
        Text += '|' + Arg;
    return Text;
}

double Number(std::string Text)
{
    if (Text.starts_with('('))
        Text = Text.substr(1, Text.size() - 2);
    return std::stod(Text);
}

} // namespace

// Whatever the distances, the equation as shown holds when worked out from the shown
// numbers: 1/u + 1/v gives f back to the pixel, also with the object close to the lens. On
// the lens plane (u = 0) it has nothing to fill in and is left out.
TEST(LenseDescription, TheShownEquationHoldsWithTheShownNumbers)
{
    int Checked = 0;
    for (TLenseType Type : { TLenseType::ltConvex, TLenseType::ltConcave })
        for (int F : { 1, 3, 80, 151, 400 })
            for (int ObjectX = 0; ObjectX <= 700; ObjectX += (ObjectX < 20 ? 1 : 7)) {
                TLenseDiagramState State;
                State.LenseType = Type;
                State.F = F;
                State.ObjectX = ObjectX;
                for (const std::string& Line : DescribeLenseValues(State, Echo)) {
                    if (!Line.starts_with("Values Equation|"))
                        continue;
                    EXPECT_NE(ObjectX, 0) << Line;
                    char Shown[3][32] = {};
                    ASSERT_EQ(std::sscanf(Line.c_str(), "Values Equation|%31[^|]|%31[^|]|%31s", Shown[0],
                                  Shown[1], Shown[2]),
                        3)
                        << Line;
                    const double Sum = 1.0 / Number(Shown[1]) + 1.0 / Number(Shown[2]);
                    EXPECT_NEAR(1.0 / Sum, Number(Shown[0]), 0.5) << Line;
                    ++Checked;
                }
            }
    EXPECT_GT(Checked, 500);
}
