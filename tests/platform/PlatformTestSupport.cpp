#include "PlatformTestSupport.h"

#include <QCoreApplication>
#include <cerrno>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/un.h>

namespace platform::test {

namespace {

constexpr std::chrono::milliseconds ServeSlice { 10 };

} // namespace

bool ServeEventsUntil(const std::function<bool()>& Done)
{
    const auto Deadline = std::chrono::steady_clock::now() + PatientWait;
    while (!Done()) {
        if (std::chrono::steady_clock::now() > Deadline)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, static_cast<int>(ServeSlice.count()));
        ::poll(nullptr, 0, static_cast<int>(ServeSlice.count()));
    }
    return true;
}

void ServeEventsFor(std::chrono::milliseconds Time)
{
    const auto Until = std::chrono::steady_clock::now() + Time;
    ServeEventsUntil([&] { return std::chrono::steady_clock::now() >= Until; });
}

TUniqueFd ConnectRaw(const std::string& SocketPath)
{
    TUniqueFd Socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_un Address {};
    Address.sun_family = AF_UNIX;
    SocketPath.copy(Address.sun_path, sizeof Address.sun_path - 1);
    if (::connect(Socket.Get(), reinterpret_cast<const sockaddr*>(&Address), sizeof Address) != 0)
        return {};
    return Socket;
}

void WriteRaw(int Socket, const std::vector<std::uint8_t>& Bytes)
{
    if (::send(Socket, Bytes.data(), Bytes.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(Bytes.size()))
        throw std::runtime_error("short write");
}

std::optional<std::uint8_t> AnswerOf(int Socket)
{
    std::optional<std::uint8_t> Answer;
    bool Closed = false;
    ServeEventsUntil([&] {
        std::uint8_t Byte = 0;
        const ssize_t Got = ::recv(Socket, &Byte, 1, MSG_DONTWAIT);
        if (Got == 1)
            Answer = Byte;
        Closed = Got == 0 || (Got < 0 && errno != EAGAIN && errno != EWOULDBLOCK);
        return Answer || Closed;
    });
    return Answer;
}

} // namespace platform::test
