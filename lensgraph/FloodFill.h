#pragma once

#include <cstdint>

class TPixelBuffer;

// Border fill: paints Fill over the 4-connected region of pixels around (X, Y)
// whose value differs from Border (raw 0xFFRRGGBB values). A seed outside the
// buffer or of the border value paints nothing. Pixels must be opaque (alpha 0xFF). Works span by span with
// an explicit stack; memory is bounded by the buffer size.
void BorderFloodFill(TPixelBuffer& Target, int X, int Y, std::uint32_t Border, std::uint32_t Fill);
