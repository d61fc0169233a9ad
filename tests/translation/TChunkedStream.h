#pragma once

#include "TByteStream.h"

#include <algorithm>
#include <string>

// A stream whose every read returns at most BlockSize bytes, as a pipe or a slow device may.
class TChunkedStream : public TByteStream {
public:
    TChunkedStream(std::string Bytes, std::size_t BlockSize)
        : FBytes(std::move(Bytes))
        , FBlockSize(BlockSize)
    {
    }

protected:
    std::size_t ReadSource(char* Buffer, std::size_t Size) override
    {
        const std::size_t Count = std::min({ Size, FBlockSize, FBytes.size() - FPos });
        std::copy_n(FBytes.data() + FPos, Count, Buffer);
        FPos += Count;
        return Count;
    }

private:
    std::string FBytes;
    std::size_t FBlockSize;
    std::size_t FPos = 0;
};
