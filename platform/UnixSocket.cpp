#include "UnixSocket.h"

#include "SystemError.h"
#include "TWindowMessaging.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>

namespace platform {

namespace {

constexpr int ListenBacklog = 64;

sockaddr_un AddressOf(const std::string& Path)
{
    sockaddr_un Address {};
    Address.sun_family = AF_UNIX;
    if (Path.size() > MaxSocketPathLength)
        throw EWindowMessaging("The socket path " + Path + " is longer than "
            + std::to_string(MaxSocketPathLength) + " bytes; choose a shorter runtime folder");
    std::memcpy(Address.sun_path, Path.data(), Path.size());
    return Address;
}

TUniqueFd NewSocket()
{
    TUniqueFd Socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!Socket.Valid())
        throw EWindowMessaging("Could not make a socket: " + GetLastErrorString());
    return Socket;
}

} // namespace

TUniqueFd ListenAt(const std::string& Path)
{
    const sockaddr_un Address = AddressOf(Path);
    TUniqueFd Socket = NewSocket();
    if (::bind(Socket.Get(), reinterpret_cast<const sockaddr*>(&Address), sizeof Address) != 0
        || ::listen(Socket.Get(), ListenBacklog) != 0)
        throw EWindowMessaging("Could not listen at " + Path + ": " + GetLastErrorString());
    return Socket;
}

TUniqueFd ConnectTo(const std::string& Path, std::chrono::milliseconds Timeout)
{
    const sockaddr_un Address = AddressOf(Path);
    TUniqueFd Socket = NewSocket();
    // A blocking connect waits for room in a full queue, for at most the send timeout.
    const int Flags = ::fcntl(Socket.Get(), F_GETFL);
    const auto Seconds = std::chrono::duration_cast<std::chrono::seconds>(Timeout);
    const timeval Wait { Seconds.count(),
        static_cast<suseconds_t>(
            std::chrono::duration_cast<std::chrono::microseconds>(Timeout - Seconds).count()) };
    ::fcntl(Socket.Get(), F_SETFL, Flags & ~O_NONBLOCK);
    ::setsockopt(Socket.Get(), SOL_SOCKET, SO_SNDTIMEO, &Wait, sizeof Wait);
    if (::connect(Socket.Get(), reinterpret_cast<const sockaddr*>(&Address), sizeof Address) != 0)
        return {};
    ::fcntl(Socket.Get(), F_SETFL, Flags);
    return Socket;
}

TUniqueFd AcceptFrom(int Listener)
{
    return TUniqueFd(::accept4(Listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
}

bool PeerRunsAs(int Socket, uid_t User)
{
    ucred Credentials {};
    socklen_t Size = sizeof Credentials;
    return ::getsockopt(Socket, SOL_SOCKET, SO_PEERCRED, &Credentials, &Size) == 0
        && Size == sizeof Credentials && Credentials.uid == User;
}

pid_t PeerProcess(int Socket)
{
    ucred Credentials {};
    socklen_t Size = sizeof Credentials;
    if (::getsockopt(Socket, SOL_SOCKET, SO_PEERCRED, &Credentials, &Size) != 0 || Size != sizeof Credentials)
        return 0;
    return Credentials.pid;
}

} // namespace platform
