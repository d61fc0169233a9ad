#include "FloodFill.h"

#include "PixelBuffer.h"

#include <algorithm>
#include <vector>

namespace {

// Pixels already of the fill value are not a border, so the fill marks what it
// has painted with the fill value in a transparent alpha that no drawn pixel has,
// and turns the marks into the fill value at the end.
constexpr std::uint32_t MarkAlpha = 0x01000000u;

class TFillState {
public:
    TFillState(PixelBuffer& Target, std::uint32_t Border, std::uint32_t Fill)
        : FTarget(Target)
        , FBorder(Border)
        , FFill(Fill)
        , FMark((Fill & 0x00FFFFFFu) | MarkAlpha)
    {
    }

    void Run(int X, int Y)
    {
        FTop = FBottom = Y;
        FLeft = FRight = X;
        FSeeds.push_back({ X, Y });
        while (!FSeeds.empty()) {
            const TSeed Seed = FSeeds.back();
            FSeeds.pop_back();
            if (Open(FTarget.Scanline(Seed.Y)[Seed.X]))
                FillSpan(Seed.X, Seed.Y);
        }
        for (int Row = FTop; Row <= FBottom; ++Row) {
            std::uint32_t* Line = FTarget.Scanline(Row);
            for (int I = FLeft; I <= FRight; ++I)
                Line[I] = Line[I] == FMark ? FFill : Line[I];
        }
    }

private:
    struct TSeed {
        int X;
        int Y;
    };

    bool Open(std::uint32_t Pixel) const { return Pixel != FBorder && Pixel != FMark; }

    void FillSpan(int X, int Y)
    {
        std::uint32_t* Row = FTarget.Scanline(Y);
        int Left = X;
        while (Left > 0 && Open(Row[Left - 1]))
            --Left;
        int Right = X;
        while (Right + 1 < FTarget.Width() && Open(Row[Right + 1]))
            ++Right;
        std::fill(Row + Left, Row + Right + 1, FMark);
        FLeft = std::min(FLeft, Left);
        FRight = std::max(FRight, Right);
        FTop = std::min(FTop, Y);
        FBottom = std::max(FBottom, Y);
        if (Y > 0)
            PushRuns(Left, Right, Y - 1);
        if (Y + 1 < FTarget.Height())
            PushRuns(Left, Right, Y + 1);
    }

    void PushRuns(int Left, int Right, int Y)
    {
        const std::uint32_t* Row = FTarget.Scanline(Y);
        bool InRun = false;
        for (int I = Left; I <= Right; ++I) {
            const bool Here = Open(Row[I]);
            if (Here && !InRun)
                FSeeds.push_back({ I, Y });
            InRun = Here;
        }
    }

    PixelBuffer& FTarget;
    std::uint32_t FBorder;
    std::uint32_t FFill;
    std::uint32_t FMark;
    int FLeft = 0, FRight = 0, FTop = 0, FBottom = 0;
    std::vector<TSeed> FSeeds;
};

} // namespace

void BorderFloodFill(PixelBuffer& Target, int X, int Y, std::uint32_t Border, std::uint32_t Fill)
{
    if (X < 0 || Y < 0 || X >= Target.Width() || Y >= Target.Height() || Target.Pixel(X, Y) == Border)
        return;
    TFillState(Target, Border, Fill).Run(X, Y);
}
