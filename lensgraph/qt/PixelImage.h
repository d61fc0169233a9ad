#pragma once

#include <QImage>

class TPixelBuffer;

// The buffer's pixels as a QImage over the same memory (no copy), as the screen, the
// clipboard and image files take them. Valid until the buffer's size changes or it is
// destroyed; a null image for an empty buffer. Painting on it copies it first.
QImage PixelImage(const TPixelBuffer& Buffer);
