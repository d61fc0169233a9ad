#pragma once

#include <cstdint>

// A stick figure of height |H| with its feet on the axis at optics x = X: in pixels,
// the body column, the rows of its joints, the columns of feet and hands, and the
// head's box from (Left, HeadTop) to (Right, Neck). Negative H hangs it head down.
struct TStickFigure {
    std::int32_t Column, Left, Right;
    std::int32_t Feet, Hip, Hands, Shoulder, Neck, HeadTop;
};

// Throws CheckedInt::EIntOverflow when a coordinate leaves the 32-bit range.
TStickFigure StickFigure(std::int32_t X, std::int32_t H, std::int32_t Cx, std::int32_t Cy);
