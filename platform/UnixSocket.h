#pragma once

#include "TUniqueFd.h"

#include <chrono>
#include <string>
#include <sys/types.h>

// The few AF_UNIX stream-socket operations the window layer needs. Every socket
// made here is non-blocking and closed on exec.
namespace platform {

// The longest path a socket address holds, terminator excluded.
inline constexpr std::size_t MaxSocketPathLength = 107;

// Binds and listens at Path (which must not exist). Throws EWindowMessaging.
TUniqueFd ListenAt(const std::string& Path);
// Connects to Path, waiting at most Timeout when the listener's queue is full.
// Gives no socket (errno set) when nobody listens there.
TUniqueFd ConnectTo(const std::string& Path, std::chrono::milliseconds Timeout);
// The next waiting connection on Listener, or no socket when none waits.
TUniqueFd AcceptFrom(int Listener);
// True when the process at the other end of the connection runs as User.
bool PeerRunsAs(int Socket, uid_t User);
// The process at the other end of the connection; 0 when the system does not say.
pid_t PeerProcess(int Socket);

} // namespace platform
