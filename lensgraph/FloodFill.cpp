#include "FloodFill.h"

#include "TPixelBuffer.h"

#include <algorithm>
#include <vector>

namespace {

// Pixels already of the fill value are not a border, so the fill marks what it
// has painted with the fill value in a transparent alpha that no drawn pixel has,
// and turns the marked runs into the fill value at the end. When the fill value is
// the border's, a painted pixel is closed anyway and is painted at once.
constexpr std::uint32_t MarkAlpha = 0x01000000u;

// Work lists above this many entries are released after the fill rather than kept.
constexpr std::size_t KeptCapacity = std::size_t { 1 } << 16;

// Columns [Left, Right] of row Y still to scan, reached from row Y - Dy.
struct TSpan {
    int Left;
    int Right;
    int Y;
    int Dy;
};

// Columns [Left, Right] of row Y, painted with the mark.
struct TRun {
    int Left;
    int Right;
    int Y;
};

// Kept per thread so that a fill allocates only when it outgrows the last one.
struct TWorkLists {
    std::vector<TSpan> Pending;
    std::vector<TRun> Painted;

    void Clear()
    {
        Pending.clear();
        Painted.clear();
    }

    void ReleaseLarge()
    {
        if (Pending.capacity() > KeptCapacity)
            std::vector<TSpan>().swap(Pending);
        if (Painted.capacity() > KeptCapacity)
            std::vector<TRun>().swap(Painted);
    }
};

// Span fill after Heckbert ("A Seed Fill Algorithm", Graphics Gems I): each span
// looks back at the row it came from only where it reaches past its parent, so
// most pixels are read once or twice.
class TFillState {
public:
    TFillState(TPixelBuffer& Target, std::uint32_t Border, std::uint32_t Fill, TWorkLists& Lists)
        : FTarget(Target)
        , FBorder(Border)
        , FMark(Fill == Border ? Fill : (Fill & 0x00FFFFFFu) | MarkAlpha)
        , FFinalPass(FMark != Fill)
        , FLists(Lists)
    {
    }

    void Run(int X, int Y, std::uint32_t Fill)
    {
        FLists.Clear();
        Push(X, X, Y, 1);
        Push(X, X, Y - 1, -1);
        while (!FLists.Pending.empty()) {
            const TSpan Span = FLists.Pending.back();
            FLists.Pending.pop_back();
            Scan(Span);
        }
        if (!FFinalPass)
            return;
        for (const TRun& Run : FLists.Painted)
            std::fill(FTarget.Scanline(Run.Y) + Run.Left, FTarget.Scanline(Run.Y) + Run.Right + 1, Fill);
    }

private:
    bool Open(std::uint32_t Pixel) const { return Pixel != FBorder && Pixel != FMark; }

    // Marks the open pixels from X on up to the first that is not open (or the
    // buffer's edge) and returns its column. Pixels are tested and marked a block
    // at a time, which the compiler turns into vector compares and stores.
    int MarkOpen(std::uint32_t* Row, int X) const
    {
        for (; X + Block <= FTarget.Width(); X += Block) {
            unsigned Closed = 0;
            for (int I = 0; I < Block; ++I)
                Closed |= static_cast<unsigned>(Row[X + I] == FBorder)
                    | static_cast<unsigned>(Row[X + I] == FMark);
            if (Closed)
                break;
            for (int I = 0; I < Block; ++I)
                Row[X + I] = FMark;
        }
        for (; X < FTarget.Width() && Open(Row[X]); ++X)
            Row[X] = FMark;
        return X;
    }

    void Push(int Left, int Right, int Y, int Dy)
    {
        if (Y >= 0 && Y < FTarget.Height())
            FLists.Pending.push_back({ Left, Right, Y, Dy });
    }

    void Scan(const TSpan& Span)
    {
        std::uint32_t* Row = FTarget.Scanline(Span.Y);
        int From = Span.Left;
        int X = From;
        if (Open(Row[X])) {
            while (X > 0 && Open(Row[X - 1]))
                --X;
            if (X < From)
                Push(X, From - 1, Span.Y - Span.Dy, -Span.Dy);
        }
        while (From <= Span.Right) {
            const int Start = From;
            From = MarkOpen(Row, From);
            if (From > X) {
                std::fill(Row + X, Row + Start, FMark);
                if (FFinalPass)
                    FLists.Painted.push_back({ X, From - 1, Span.Y });
                Push(X, From - 1, Span.Y + Span.Dy, Span.Dy);
                if (From - 1 > Span.Right)
                    Push(Span.Right + 1, From - 1, Span.Y - Span.Dy, -Span.Dy);
            }
            ++From;
            while (From < Span.Right && !Open(Row[From]))
                ++From;
            X = From;
        }
    }

    static constexpr int Block = 8;

    TPixelBuffer& FTarget;
    std::uint32_t FBorder;
    std::uint32_t FMark;
    bool FFinalPass;
    TWorkLists& FLists;
};

} // namespace

void BorderFloodFill(TPixelBuffer& Target, int X, int Y, std::uint32_t Border, std::uint32_t Fill)
{
    if (X < 0 || Y < 0 || X >= Target.Width() || Y >= Target.Height() || Target.Pixel(X, Y) == Border)
        return;
    thread_local TWorkLists Lists;
    TFillState(Target, Border, Fill, Lists).Run(X, Y, Fill);
    Lists.ReleaseLarge();
}
