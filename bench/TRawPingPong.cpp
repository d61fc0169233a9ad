#include "TRawPingPong.h"

#include <csignal>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr std::uint8_t Ack = 0x06;

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

void MakePair(int (&Pair)[2])
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, Pair) != 0)
        throw std::runtime_error("socketpair failed");
}

// Without acknowledgements the reply socket is the request socket and Ack is never sent.
bool Answer(int Socket, int ReplySocket, bool Acknowledged, std::vector<std::uint8_t>& Request,
    const std::vector<std::uint8_t>& Reply)
{
    std::uint8_t Byte = 0;
    return ReadAll(Socket, Request.data(), Request.size())
        && WriteAll(ReplySocket, Reply.data(), Reply.size())
        && (!Acknowledged || (ReadAll(ReplySocket, &Byte, 1) && WriteAll(Socket, &Ack, 1)));
}

} // namespace

TRawPingPong::TRawPingPong(std::size_t RequestSize, std::size_t ReplySize, bool Acknowledged)
    : FRequest(RequestSize, 0x5a)
    , FReply(ReplySize)
    , FAcknowledged(Acknowledged)
{
    int Pair[2];
    int ReplyPair[2] = { -1, -1 };
    MakePair(Pair);
    if (Acknowledged)
        MakePair(ReplyPair);
    FChild = ::fork();
    if (FChild == 0) {
        ::close(Pair[0]);
        if (Acknowledged)
            ::close(ReplyPair[0]);
        const int ChildReply = Acknowledged ? ReplyPair[1] : Pair[1];
        std::vector<std::uint8_t> Request(RequestSize), Reply(ReplySize, 0xa5);
        while (Answer(Pair[1], ChildReply, Acknowledged, Request, Reply)) { }
        ::_exit(0);
    }
    ::close(Pair[1]);
    FSocket = Pair[0];
    FReplySocket = Acknowledged ? ReplyPair[0] : Pair[0];
    if (Acknowledged)
        ::close(ReplyPair[1]);
    if (FChild < 0)
        throw std::runtime_error("fork failed");
}

TRawPingPong::~TRawPingPong()
{
    ::close(FSocket);
    if (FReplySocket != FSocket)
        ::close(FReplySocket);
    if (FChild > 0)
        ::waitpid(FChild, nullptr, 0);
}

bool TRawPingPong::RoundTrip()
{
    std::uint8_t Byte = 0;
    return WriteAll(FSocket, FRequest.data(), FRequest.size())
        && ReadAll(FReplySocket, FReply.data(), FReply.size())
        && (!FAcknowledged || (WriteAll(FReplySocket, &Ack, 1) && ReadAll(FSocket, &Byte, 1)));
}
