#include "LenseOptics.h"
#include "LenseConstruction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

TLenseDiagramState Diagram(TLenseType Type, int F, int ObjectX, int ObjectH)
{
    TLenseDiagramState State;
    State.LenseType = Type;
    State.F = F;
    State.ObjectX = ObjectX;
    State.ObjectH = ObjectH;
    return State;
}

// The values come from the lens equation, the picture from two crossing rays: wherever
// the picture shows an image, both must put it at the same place and tell the same kind.
TEST(LenseOptics, AgreeWithTheRayConstructionWhereverTheImageIsDrawn)
{
    int Compared = 0;
    for (TLenseType Type : { TLenseType::ltConvex, TLenseType::ltConcave })
        for (int F : { 3, 80, 151 })
            for (int ObjectX : { 1, 2, 50, 79, 81, 120, 159, 160, 161, 200, 302, 900 })
                for (int ObjectH : { 150, 1, -40 }) {
                    const TLenseDiagramState State = Diagram(Type, F, ObjectX, ObjectH);
                    const TLenseConstruction Rays = ConstructImage(State, 304);
                    const TLenseOptics Values = ThinLenseOptics(State);
                    const std::string Where = (Type == TLenseType::ltConvex ? "convex F=" : "concave F=")
                        + std::to_string(F) + " X=" + std::to_string(ObjectX)
                        + " H=" + std::to_string(ObjectH);
                    if (!Rays.ImageShown) {
                        EXPECT_EQ(ObjectX, F) << Where;
                        continue;
                    }
                    ASSERT_TRUE(Values.ImageForms) << Where;
                    const double Tolerance = 1e-6 * (1.0 + std::fabs(Rays.I.X) + std::fabs(Rays.I.Y));
                    EXPECT_NEAR(Values.ImageDistance, Rays.I.X, Tolerance) << Where;
                    EXPECT_NEAR(Values.ImageHeight, Rays.I.Y, Tolerance) << Where;
                    EXPECT_EQ(Values.Real, !Rays.ImageVirtual) << Where;
                    EXPECT_EQ(Values.Upright, (Rays.I.Y > 0) == (ObjectH > 0)) << Where;
                    EXPECT_NEAR(1.0 / Values.FocalLength,
                        1.0 / Values.ObjectDistance + 1.0 / Values.ImageDistance, 1e-12)
                        << Where;
                    ++Compared;
                }
    EXPECT_GT(Compared, 200);
}

TEST(LenseOptics, NoImageOnlyWhereTheRaysLeaveParallelAndNothingOverflows)
{
    EXPECT_FALSE(ThinLenseOptics(Diagram(TLenseType::ltConvex, 80, 80, 150)).ImageForms);
    // A concave lens does form an image of an object at its F mark (at F/2, half size),
    // though the picture leaves it out like the convex lens's.
    const TLenseOptics Concave = ThinLenseOptics(Diagram(TLenseType::ltConcave, 80, 80, 150));
    ASSERT_TRUE(Concave.ImageForms);
    EXPECT_DOUBLE_EQ(Concave.ImageDistance, -40.0);
    EXPECT_DOUBLE_EQ(Concave.Magnification, 0.5);

    for (int F : { 0, -80, INT32_MAX, INT32_MIN })
        for (int ObjectX : { 0, -5, INT32_MAX, INT32_MIN }) {
            const TLenseOptics Extreme
                = ThinLenseOptics(Diagram(TLenseType::ltConcave, F, ObjectX, INT32_MIN));
            EXPECT_TRUE(std::isfinite(Extreme.ImageDistance) && std::isfinite(Extreme.ImageHeight))
                << F << " " << ObjectX;
        }
    EXPECT_EQ(
        ThinLenseOptics(Diagram(TLenseType::ltConvex, INT32_MAX, INT32_MAX, 1)).Zone, TObjectZone::AtFocus);
}

} // namespace
