#include "TStdByteStream.h"

#include <istream>

TStdByteStream::TStdByteStream(std::istream& In)
    : FIn(In)
{
}

std::size_t TStdByteStream::ReadSource(char* Buffer, std::size_t Size)
{
    FIn.read(Buffer, static_cast<std::streamsize>(Size));
    return static_cast<std::size_t>(FIn.gcount());
}
