#include "TByteStream.h"

#include <algorithm>

std::size_t TByteStream::Read(char* Buffer, std::size_t Size)
{
    const std::size_t Held = FPutBack.size() - FPutBackPos;
    if (Held == 0)
        return ReadSource(Buffer, Size);
    const std::size_t Count = std::min(Held, Size);
    std::copy_n(FPutBack.data() + FPutBackPos, Count, Buffer);
    FPutBackPos += Count;
    return Count;
}

void TByteStream::PutBack(std::string_view Bytes)
{
    FPutBack = std::string(Bytes) + FPutBack.substr(FPutBackPos);
    FPutBackPos = 0;
}
