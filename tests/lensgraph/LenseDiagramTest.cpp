#include "LenseDiagram.h"
#include "TPixelBuffer.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Below about 23 pixels of height each face bulges less than a pixel, both arcs
// share the lens-plane column and the fill's seed lies beside them.
TEST(LenseOutline, TheFillStaysInsideTheOutlineAtEveryHeight)
{
    constexpr int Width = 120;
    for (const TLenseType Type : { TLenseType::ltConvex, TLenseType::ltConcave }) {
        for (int Height = 1; Height <= 30; ++Height) {
            TLenseDiagramState State;
            State.LenseType = Type;
            TPixelBuffer WithLens;
            TPixelBuffer WithoutLens;
            PaintLenseDiagram(State, WithLens, Width, Height);
            State.DrawLense = false;
            PaintLenseDiagram(State, WithoutLens, Width, Height);
            const double H = Height * State.LenseHeightRatio;
            const double Half
                = H * State.LenseWidthRatio + (Type == TLenseType::ltConcave ? State.ConcaveThick : 0);
            const double Cx = Width / 2 + 1;
            const double Cy = Height / 2;
            int Outside = 0;
            for (int Y = 0; Y < Height; ++Y)
                for (int X = 0; X < Width; ++X)
                    if ((std::abs(X - Cx) > Half + 2 || std::abs(Y - Cy) > H + 2)
                        && WithLens.Pixel(X, Y) != WithoutLens.Pixel(X, Y))
                        ++Outside;
            EXPECT_EQ(Outside, 0) << "height " << Height
                                  << (Type == TLenseType::ltConcave ? " concave" : " convex");
        }
    }
}

} // namespace
