#include "ByteStream.h"

#include <algorithm>
#include <istream>

std::size_t TByteStream::Read(char* Buffer, std::size_t Size)
{
    const std::size_t held = FPutBack.size() - FPutBackPos;
    if (held == 0)
        return ReadSource(Buffer, Size);
    const std::size_t count = std::min(held, Size);
    std::copy_n(FPutBack.data() + FPutBackPos, count, Buffer);
    FPutBackPos += count;
    return count;
}

void TByteStream::PutBack(std::string_view Bytes)
{
    FPutBack = std::string(Bytes) + FPutBack.substr(FPutBackPos);
    FPutBackPos = 0;
}

TStdByteStream::TStdByteStream(std::istream& In)
    : FIn(In)
{
}

std::size_t TStdByteStream::ReadSource(char* Buffer, std::size_t Size)
{
    FIn.read(Buffer, static_cast<std::streamsize>(Size));
    return static_cast<std::size_t>(FIn.gcount());
}
