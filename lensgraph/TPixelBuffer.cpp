#include "TPixelBuffer.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <new>

namespace {

constexpr std::size_t PageSize = 4096;
// Rows start on a 64-byte boundary so that vector stores never split a cache line.
constexpr int RowAlignPixels = 16;

} // namespace

TPixelBuffer::TPixelBuffer(int Width, int Height)
{
    Reallocate(Width, Height);
}

TPixelBuffer::~TPixelBuffer()
{
    std::free(FPixels);
}

void TPixelBuffer::SetWidth(int Width)
{
    if (Width != FWidth)
        Reallocate(Width, FHeight);
}

void TPixelBuffer::SetHeight(int Height)
{
    if (Height != FHeight)
        Reallocate(FWidth, Height);
}

TColor TPixelBuffer::ColorAt(int X, int Y) const
{
    const std::uint32_t Argb = Pixel(X, Y);
    return ((Argb >> 16) & 0xFFu) | (Argb & 0xFF00u) | ((Argb & 0xFFu) << 16);
}

void TPixelBuffer::Reallocate(int Width, int Height)
{
    // Everything is computed and allocated before the buffer changes, so a size
    // that fails leaves it as it was.
    const std::size_t NewWidth = static_cast<std::size_t>(std::max(Width, 0));
    const std::size_t NewHeight = static_cast<std::size_t>(std::max(Height, 0));
    const std::size_t NewStride = (NewWidth + RowAlignPixels - 1) / RowAlignPixels * RowAlignPixels;
    constexpr std::size_t MaxBytes = std::numeric_limits<std::size_t>::max() - PageSize;
    if (NewStride > static_cast<std::size_t>(std::numeric_limits<int>::max())
        || (NewHeight != 0 && NewStride > MaxBytes / sizeof(std::uint32_t) / NewHeight))
        throw std::bad_alloc();
    const std::size_t Bytes = NewStride * NewHeight * sizeof(std::uint32_t);
    std::uint32_t* NewPixels = nullptr;
    if (Bytes != 0) {
        const std::size_t Rounded = (Bytes + PageSize - 1) / PageSize * PageSize;
        NewPixels = static_cast<std::uint32_t*>(std::aligned_alloc(PageSize, Rounded));
        if (!NewPixels)
            throw std::bad_alloc();
        // Opaque black, so a fresh buffer holds only values a canvas could have drawn.
        std::fill_n(NewPixels, Rounded / sizeof(std::uint32_t), 0xFF000000u);
    }
    std::free(FPixels);
    FPixels = NewPixels;
    FWidth = static_cast<int>(NewWidth);
    FHeight = static_cast<int>(NewHeight);
    FStride = static_cast<int>(NewStride);
}
