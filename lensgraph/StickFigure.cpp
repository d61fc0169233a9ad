#include "StickFigure.h"

#include "CheckedInt.h"

namespace ci = CheckedInt;

TStickFigure StickFigure(std::int32_t X, std::int32_t H, std::int32_t Cx, std::int32_t Cy)
{
    const std::int32_t HeadWidth = ci::Abs(H) / 3;
    const std::int32_t Half = HeadWidth / 2;
    TStickFigure Figure;
    Figure.Column = ci::Add(Cx, X);
    Figure.Left = ci::Sub(Figure.Column, Half);
    Figure.Right = ci::Add(Figure.Column, Half);
    Figure.Feet = Cy;
    Figure.Hip = ci::Sub(Cy, H / 3);
    Figure.Hands = ci::Sub(Cy, H / 2);
    Figure.Shoulder = ci::Sub(Cy, ci::Mul(5, H) / 8);
    Figure.Neck = ci::Sub(Cy, ci::Mul(2, H) / 3);
    Figure.HeadTop = ci::Sub(Cy, H);
    return Figure;
}
