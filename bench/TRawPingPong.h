#pragma once

#include <cstddef>
#include <cstdint>
#include <sys/types.h>
#include <vector>

// The floor for any request and reply between two processes: a child process at
// the other end of an AF_UNIX stream socket pair sends back every RequestSize
// bytes as ReplySize bytes. No framing, no connection per message.
//
// With Acknowledged, the same bytes take the shape of a window-layer exchange:
// the reply travels on a second socket pair and each side answers the other's
// message with one byte, so four one-way transfers instead of two. It shows what
// that shape costs by itself; the ping-pong stays the baseline.
class TRawPingPong {
public:
    TRawPingPong(std::size_t RequestSize, std::size_t ReplySize, bool Acknowledged = false);
    ~TRawPingPong();
    TRawPingPong(const TRawPingPong&) = delete;
    TRawPingPong& operator=(const TRawPingPong&) = delete;

    // One exchange; false when the child is gone.
    bool RoundTrip();

private:
    std::vector<std::uint8_t> FRequest;
    std::vector<std::uint8_t> FReply;
    bool FAcknowledged = false;
    // The request's socket, and the reply's (the same one without acknowledgements).
    int FSocket = -1;
    int FReplySocket = -1;
    pid_t FChild = -1;
};
