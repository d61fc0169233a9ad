#include "FloodFill.h"
#include "TPixelBuffer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <random>
#include <utility>
#include <vector>

namespace {

constexpr std::uint32_t Border = 0xFF000000u;
constexpr std::uint32_t Background = 0xFFFFFFFFu;
constexpr std::uint32_t Other = 0xFF00FF00u;
constexpr std::uint32_t Fill = 0xFF3366BBu;

// Index of pixel (X, Y) in a row-major vector over Buffer.
std::size_t IndexOf(const TPixelBuffer& Buffer, int X, int Y)
{
    return static_cast<std::size_t>(Y) * static_cast<std::size_t>(Buffer.Width())
        + static_cast<std::size_t>(X);
}

// The region a border fill paints, found one pixel at a time: every pixel reached
// from the seed through 4-neighbours that are not of the border value.
std::vector<bool> Region(const TPixelBuffer& Buffer, int X, int Y, std::uint32_t BorderValue)
{
    const int W = Buffer.Width();
    std::vector<bool> In(IndexOf(Buffer, 0, Buffer.Height()));
    if (Buffer.Pixel(X, Y) == BorderValue)
        return In;
    std::vector<std::pair<int, int>> Todo { { X, Y } };
    In[IndexOf(Buffer, X, Y)] = true;
    while (!Todo.empty()) {
        const auto [Px, Py] = Todo.back();
        Todo.pop_back();
        for (const auto& [Nx, Ny] :
            { std::pair { Px - 1, Py }, { Px + 1, Py }, { Px, Py - 1 }, { Px, Py + 1 } }) {
            if (Nx < 0 || Ny < 0 || Nx >= W || Ny >= Buffer.Height())
                continue;
            const std::size_t I = IndexOf(Buffer, Nx, Ny);
            if (!In[I] && Buffer.Pixel(Nx, Ny) != BorderValue) {
                In[I] = true;
                Todo.push_back({ Nx, Ny });
            }
        }
    }
    return In;
}

struct TFillCase {
    const char* Name;
    unsigned Seed;
    // Share of border pixels in per mille; the rest is mostly background.
    int BorderShare;
    std::uint32_t FillValue;
};

void PrintTo(const TFillCase& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

class BorderFill : public ::testing::TestWithParam<TFillCase> { };

// Scattered border pixels make concave regions with holes, where spans leave a row
// and come back to it from above and below; pixels already of the fill value and of
// another colour lie inside. The fill must paint exactly the reachable region.
TEST_P(BorderFill, PaintsExactlyTheRegionReachableThroughNonBorderPixels)
{
    const TFillCase& Case = GetParam();
    std::mt19937 Random(Case.Seed);
    std::uniform_int_distribution<int> PerMille(0, 999);
    TPixelBuffer Buffer(61, 47);
    for (int Y = 0; Y < Buffer.Height(); ++Y)
        for (int X = 0; X < Buffer.Width(); ++X) {
            const int Roll = PerMille(Random);
            Buffer.Scanline(Y)[X] = Roll < Case.BorderShare ? Border
                : Roll < Case.BorderShare + 40              ? Case.FillValue
                : Roll < Case.BorderShare + 60              ? Other
                                                            : Background;
        }
    const int SeedX = 30;
    const int SeedY = 23;
    Buffer.Scanline(SeedY)[SeedX] = Background;
    const std::vector<bool> Expected = Region(Buffer, SeedX, SeedY, Border);
    std::vector<std::uint32_t> Before;
    for (int Y = 0; Y < Buffer.Height(); ++Y)
        Before.insert(Before.end(), Buffer.Scanline(Y), Buffer.Scanline(Y) + Buffer.Width());

    BorderFloodFill(Buffer, SeedX, SeedY, Border, Case.FillValue);

    int Painted = 0;
    for (int Y = 0; Y < Buffer.Height(); ++Y)
        for (int X = 0; X < Buffer.Width(); ++X) {
            const std::size_t I = IndexOf(Buffer, X, Y);
            ASSERT_EQ(Buffer.Pixel(X, Y), Expected[I] ? Case.FillValue : Before[I]) << "at " << X << "," << Y;
            Painted += Expected[I];
        }
    EXPECT_GT(Painted, 1);
}

const TFillCase FillCases[] = {
    { "OpenFieldReachesEveryEdge", 1, 0, Fill },
    { "SparseBorderManyHoles", 2, 150, Fill },
    { "DenseBorderMazeLikeRegion", 3, 380, Fill },
    { "NearThresholdRegion", 4, 400, Fill },
    { "FillOfTheBorderValue", 5, 300, Border },
    { "FillOfAnotherColourPresent", 6, 250, Other },
};

INSTANTIATE_TEST_SUITE_P(Patterns, BorderFill, ::testing::ValuesIn(FillCases),
    [](const ::testing::TestParamInfo<TFillCase>& Info) { return Info.param.Name; });

} // namespace
