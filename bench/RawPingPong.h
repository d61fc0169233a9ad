#pragma once

#include <cstddef>
#include <cstdint>
#include <sys/types.h>
#include <vector>

// The floor for any request and reply between two processes: a child process at
// the other end of an AF_UNIX stream socket pair sends back every RequestSize
// bytes as ReplySize bytes. No framing, no connection per message.
class TRawPingPong {
public:
    TRawPingPong(std::size_t RequestSize, std::size_t ReplySize);
    ~TRawPingPong();
    TRawPingPong(const TRawPingPong&) = delete;
    TRawPingPong& operator=(const TRawPingPong&) = delete;

    // One exchange; false when the child is gone.
    bool RoundTrip();

private:
    std::vector<std::uint8_t> FRequest;
    std::vector<std::uint8_t> FReply;
    int FSocket = -1;
    pid_t FChild = -1;
};
