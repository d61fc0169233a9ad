#include "FloodFill.h"

#include "PixelBuffer.h"

#include <cstddef>
#include <vector>

namespace {

// Pixels already of the fill value are not a border, so the fill keeps its own
// record of what it has painted instead of reading colours back.
class TFillState {
public:
    TFillState(PixelBuffer& Target, std::uint32_t Border, std::uint32_t Fill)
        : FTarget(Target)
        , FBorder(Border)
        , FFill(Fill)
        , FDone(static_cast<std::size_t>(Target.Width()) * static_cast<std::size_t>(Target.Height()), false)
    {
    }

    bool Open(int X, int Y) const { return !FDone[Index(X, Y)] && FTarget.Pixel(X, Y) != FBorder; }

    void Run(int X, int Y)
    {
        FSeeds.push_back({ X, Y });
        while (!FSeeds.empty()) {
            const TSeed Seed = FSeeds.back();
            FSeeds.pop_back();
            if (Open(Seed.X, Seed.Y))
                FillSpan(Seed.X, Seed.Y);
        }
    }

private:
    struct TSeed {
        int X;
        int Y;
    };

    std::size_t Index(int X, int Y) const
    {
        return static_cast<std::size_t>(Y) * static_cast<std::size_t>(FTarget.Width())
            + static_cast<std::size_t>(X);
    }

    void FillSpan(int X, int Y)
    {
        int Left = X;
        while (Left > 0 && Open(Left - 1, Y))
            --Left;
        int Right = X;
        while (Right + 1 < FTarget.Width() && Open(Right + 1, Y))
            ++Right;
        std::uint32_t* Row = FTarget.Scanline(Y);
        for (int I = Left; I <= Right; ++I) {
            Row[I] = FFill;
            FDone[Index(I, Y)] = true;
        }
        if (Y > 0)
            PushRuns(Left, Right, Y - 1);
        if (Y + 1 < FTarget.Height())
            PushRuns(Left, Right, Y + 1);
    }

    void PushRuns(int Left, int Right, int Y)
    {
        bool InRun = false;
        for (int I = Left; I <= Right; ++I) {
            const bool Here = Open(I, Y);
            if (Here && !InRun)
                FSeeds.push_back({ I, Y });
            InRun = Here;
        }
    }

    PixelBuffer& FTarget;
    std::uint32_t FBorder;
    std::uint32_t FFill;
    std::vector<bool> FDone;
    std::vector<TSeed> FSeeds;
};

} // namespace

void BorderFloodFill(PixelBuffer& Target, int X, int Y, std::uint32_t Border, std::uint32_t Fill)
{
    if (X < 0 || Y < 0 || X >= Target.Width() || Y >= Target.Height() || Target.Pixel(X, Y) == Border)
        return;
    TFillState(Target, Border, Fill).Run(X, Y);
}
