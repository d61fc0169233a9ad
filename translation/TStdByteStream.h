#pragma once

#include "TByteStream.h"

#include <iosfwd>

// A TByteStream over a std::istream (a file, a string stream), read from where it stands.
class TStdByteStream : public TByteStream {
public:
    explicit TStdByteStream(std::istream& In);

protected:
    std::size_t ReadSource(char* Buffer, std::size_t Size) override;

private:
    std::istream& FIn;
};
