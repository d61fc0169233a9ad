#include "TEllipseScan.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr long double FullTurn = 2 * std::numbers::pi_v<long double>;

std::int64_t Nearest(long double V)
{
    return std::llround(V);
}

} // namespace

TEllipseScan::TEllipseScan(std::int64_t Left, std::int64_t Top, std::int64_t Right, std::int64_t Bottom)
    : FTop(Top)
    , FBottom(Bottom)
    , FCentreX(Left + (static_cast<long double>(Right - Left) - 1) / 2)
    , FCentreY(Top + (static_cast<long double>(Bottom - Top) - 1) / 2)
    , FRadiusX((static_cast<long double>(Right - Left) - 1) / 2)
    , FRadiusY((static_cast<long double>(Bottom - Top) - 1) / 2)
{
}

long double TEllipseScan::HalfWidthAt(long double Y) const
{
    const long double Ratio = (Y - FCentreY) / FRadiusY;
    if (Ratio < -1 || Ratio > 1)
        return -1;
    return FRadiusX * std::sqrt(1 - Ratio * Ratio);
}

bool TEllipseScan::RowAt(std::int64_t Y, TRow& Row) const
{
    const long double Half = HalfWidthAt(static_cast<long double>(Y));
    if (Half < 0)
        return false;
    const long double Inner = std::min({ Half, HalfWidthAt(Y - 1.0L), HalfWidthAt(Y + 1.0L) });
    Row.Y = Y;
    Row.LeftFrom = Nearest(FCentreX - Half);
    Row.RightTo = Nearest(FCentreX + Half);
    if (Inner < 0) {
        Row.LeftTo = Row.RightTo;
        Row.RightFrom = Row.LeftFrom;
        return true;
    }
    Row.LeftTo = std::max(Row.LeftFrom, Nearest(FCentreX - Inner) - 1);
    Row.RightFrom = std::min(Row.RightTo, Nearest(FCentreX + Inner) + 1);
    return true;
}

long double TEllipseScan::AngleOf(std::int64_t X, std::int64_t Y) const
{
    return std::atan2(FCentreY - static_cast<long double>(Y), static_cast<long double>(X) - FCentreX);
}

long double TEllipseScan::SweepBetween(long double StartAngle, long double EndAngle)
{
    const long double Sweep = std::fmod(EndAngle - StartAngle + 2 * FullTurn, FullTurn);
    return Sweep == 0 ? FullTurn : Sweep;
}

bool TEllipseScan::InSweep(std::int64_t X, std::int64_t Y, long double StartAngle, long double Sweep) const
{
    return std::fmod(AngleOf(X, Y) - StartAngle + 2 * FullTurn, FullTurn) < Sweep;
}
