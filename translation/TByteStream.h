#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A readable byte source for the dictionary loader. A read may return fewer bytes
// than asked for (a pipe, a socket, a slow device); only a read of 0 bytes means the end.
class TByteStream {
public:
    virtual ~TByteStream() = default;

    // Up to Size bytes into Buffer: first those given back with PutBack, then from the source.
    std::size_t Read(char* Buffer, std::size_t Size);
    // Bytes read past the point the caller wanted: the next reads return them first.
    void PutBack(std::string_view Bytes);

protected:
    // The source's own read: up to Size bytes, 0 only at the end.
    virtual std::size_t ReadSource(char* Buffer, std::size_t Size) = 0;

private:
    std::string FPutBack;
    std::size_t FPutBackPos = 0;
};
