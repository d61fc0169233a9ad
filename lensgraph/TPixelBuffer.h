#pragma once

#include <cstddef>
#include <cstdint>

// Colour as the diagram stores it: 0x00BBGGRR, red in the low byte.
using TColor = std::uint32_t;

// A 32-bit pixel buffer (0xFFRRGGBB, as screens take it) in page-aligned memory,
// so whole-frame copies take the C library's fast path. It keeps its memory until
// the size changes. A new or resized buffer is opaque black.
class TPixelBuffer {
public:
    TPixelBuffer() = default;
    TPixelBuffer(int Width, int Height);
    ~TPixelBuffer();
    TPixelBuffer(const TPixelBuffer&) = delete;
    TPixelBuffer& operator=(const TPixelBuffer&) = delete;

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Pixels per row; rows may be padded.
    int Stride() const { return FStride; }
    // Resizing throws std::bad_alloc when the memory cannot be had and then leaves
    // the buffer exactly as it was.
    void SetWidth(int Width);
    void SetHeight(int Height);

    std::uint32_t* Scanline(int Y)
    {
        return FPixels + static_cast<std::size_t>(Y) * static_cast<std::size_t>(FStride);
    }
    const std::uint32_t* Scanline(int Y) const
    {
        return FPixels + static_cast<std::size_t>(Y) * static_cast<std::size_t>(FStride);
    }
    std::uint32_t Pixel(int X, int Y) const { return Scanline(Y)[X]; }
    // The pixel at (X, Y) as a TColor; X and Y must lie inside the buffer.
    TColor ColorAt(int X, int Y) const;

private:
    void Reallocate(int Width, int Height);

    std::uint32_t* FPixels = nullptr;
    int FWidth = 0;
    int FHeight = 0;
    int FStride = 0;
};
