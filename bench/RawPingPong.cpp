#include "RawPingPong.h"

#include <csignal>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Repeats Call (read or write) until Size bytes have moved; false on end or error.
template <typename TByte, typename TCall> bool MoveAll(int Fd, TByte* Data, std::size_t Size, TCall Call)
{
    while (Size > 0) {
        const ssize_t Done = Call(Fd, Data, Size);
        if (Done <= 0)
            return false;
        Data += Done;
        Size -= static_cast<std::size_t>(Done);
    }
    return true;
}

bool WriteAll(int Fd, const std::uint8_t* Data, std::size_t Size)
{
    return MoveAll(Fd, Data, Size, ::write);
}
bool ReadAll(int Fd, std::uint8_t* Data, std::size_t Size)
{
    return MoveAll(Fd, Data, Size, ::read);
}

} // namespace

TRawPingPong::TRawPingPong(std::size_t RequestSize, std::size_t ReplySize)
    : FRequest(RequestSize, 0x5a)
    , FReply(ReplySize)
{
    int Pair[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, Pair) != 0)
        throw std::runtime_error("socketpair failed");
    FChild = ::fork();
    if (FChild == 0) {
        ::close(Pair[0]);
        std::vector<std::uint8_t> Request(RequestSize), Reply(ReplySize, 0xa5);
        while (ReadAll(Pair[1], Request.data(), Request.size())
            && WriteAll(Pair[1], Reply.data(), Reply.size())) { }
        ::_exit(0);
    }
    ::close(Pair[1]);
    FSocket = Pair[0];
    if (FChild < 0)
        throw std::runtime_error("fork failed");
}

TRawPingPong::~TRawPingPong()
{
    ::close(FSocket);
    if (FChild > 0)
        ::waitpid(FChild, nullptr, 0);
}

bool TRawPingPong::RoundTrip()
{
    return WriteAll(FSocket, FRequest.data(), FRequest.size())
        && ReadAll(FSocket, FReply.data(), FReply.size());
}
