#include "TQuarterWalk.h"

namespace {

// Up to this size the error terms stay below 8 * Width^2 * Height^2, well inside 64 bits.
constexpr std::int64_t NarrowLimit = std::int64_t { 1 } << 14;

} // namespace

TQuarterWalk::TQuarterWalk(std::int64_t Width, std::int64_t Height)
    : FWidth(Width)
    , FHeight(Height)
    , FNarrow(Width <= NarrowLimit && Height <= NarrowLimit)
    , FX(Width - 1)
    , FY(Height / 2)
{
    const Wide A = Width - 1;
    const Wide B = Height - 1;
    FASq = 8 * A * A;
    FBSq = 8 * B * B;
    FDx = 4 * B * B * (1 - A);
    FDy = 4 * A * A * (1 + (B % 2));
    FErr = FDx + FDy + A * A * (B % 2);
}

std::int64_t TQuarterWalk::FirstAtHeight(std::int64_t Y)
{
    if (FPoints.empty() || FPoints.back().Y < Y)
        WalkUntil([&] { return FPoints.back().Y >= Y; });
    const auto Below = [](const TPoint& P, std::int64_t Height) { return P.Y < Height; };
    return std::lower_bound(FPoints.begin(), FPoints.end(), Y, Below) - FPoints.begin();
}
