#include "StickFigure.h"

#include "CheckedInt.h"

namespace ci = CheckedInt;

TStickFigure StickFigure(std::int32_t X, std::int32_t H, std::int32_t Cx, std::int32_t Cy)
{
    const std::int32_t w = ci::Abs(H) / 3;
    const std::int32_t s = w / 2;
    TStickFigure f;
    f.Column = ci::Add(Cx, X);
    f.Left = ci::Sub(f.Column, s);
    f.Right = ci::Add(f.Column, s);
    f.Feet = Cy;
    f.Hip = ci::Sub(Cy, H / 3);
    f.Hands = ci::Sub(Cy, H / 2);
    f.Shoulder = ci::Sub(Cy, ci::Mul(5, H) / 8);
    f.Neck = ci::Sub(Cy, ci::Mul(2, H) / 3);
    f.HeadTop = ci::Sub(Cy, H);
    return f;
}
