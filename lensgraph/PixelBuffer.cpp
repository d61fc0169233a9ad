#include "PixelBuffer.h"

#include <QImage>

#include <algorithm>
#include <cstdlib>
#include <new>

namespace {

constexpr std::size_t PageSize = 4096;
// Rows start on a 64-byte boundary so that vector stores never split a cache line.
constexpr int RowAlignPixels = 16;

} // namespace

PixelBuffer::PixelBuffer(int Width, int Height)
{
    Reallocate(Width, Height);
}

PixelBuffer::~PixelBuffer()
{
    std::free(FPixels);
}

void PixelBuffer::SetWidth(int Width)
{
    if (Width != FWidth)
        Reallocate(Width, FHeight);
}

void PixelBuffer::SetHeight(int Height)
{
    if (Height != FHeight)
        Reallocate(FWidth, Height);
}

QImage PixelBuffer::Image() const
{
    if (!FPixels)
        return QImage();
    return QImage(reinterpret_cast<uchar*>(FPixels), FWidth, FHeight,
        static_cast<qsizetype>(FStride) * static_cast<qsizetype>(sizeof(std::uint32_t)),
        QImage::Format_RGB32);
}

TColor PixelBuffer::ColorAt(int X, int Y) const
{
    const std::uint32_t Argb = Pixel(X, Y);
    return ((Argb >> 16) & 0xFFu) | (Argb & 0xFF00u) | ((Argb & 0xFFu) << 16);
}

void PixelBuffer::Reallocate(int Width, int Height)
{
    std::free(FPixels);
    FPixels = nullptr;
    FWidth = Width > 0 ? Width : 0;
    FHeight = Height > 0 ? Height : 0;
    FStride = (FWidth + RowAlignPixels - 1) / RowAlignPixels * RowAlignPixels;
    const std::size_t Bytes
        = static_cast<std::size_t>(FStride) * static_cast<std::size_t>(FHeight) * sizeof(std::uint32_t);
    if (Bytes == 0)
        return;
    const std::size_t Rounded = (Bytes + PageSize - 1) / PageSize * PageSize;
    FPixels = static_cast<std::uint32_t*>(std::aligned_alloc(PageSize, Rounded));
    if (!FPixels)
        throw std::bad_alloc();
    // Opaque black, so a fresh buffer holds only values a canvas could have drawn.
    std::fill_n(FPixels, Rounded / sizeof(std::uint32_t), 0xFF000000u);
}
