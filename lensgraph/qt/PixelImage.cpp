#include "PixelImage.h"

#include "TPixelBuffer.h"

QImage PixelImage(const TPixelBuffer& Buffer)
{
    if (Buffer.Width() == 0 || Buffer.Height() == 0)
        return QImage();
    return QImage(reinterpret_cast<const uchar*>(Buffer.Scanline(0)), Buffer.Width(), Buffer.Height(),
        static_cast<qsizetype>(Buffer.Stride()) * static_cast<qsizetype>(sizeof(std::uint32_t)),
        QImage::Format_RGB32);
}
