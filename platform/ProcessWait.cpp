#include "ProcessWait.h"

#include "SystemError.h"
#include "TUniqueFd.h"

#include <cerrno>
#include <csignal>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr int SignalExitBase = 128;

TProcessEnd CannotWait()
{
    return { TProcessWaitOutcome::CannotWait, 0, GetLastErrorString() };
}

} // namespace

TProcessEnd WaitForProcessEnd(std::int32_t Pid, const std::function<void(int Fd)>& Wait)
{
    if (Pid <= 0) {
        errno = ESRCH;
        return CannotWait();
    }
    if (Pid == 1 || Pid == ::getpid())
        return { TProcessWaitOutcome::CannotWait, 0, "it would never end while this program waits for it" };
    const TUniqueFd Process(static_cast<int>(::syscall(SYS_pidfd_open, static_cast<pid_t>(Pid), 0u)));
    if (!Process.Valid())
        return errno == ESRCH ? TProcessEnd { TProcessWaitOutcome::EndedStatusUnknown, 0, {} } : CannotWait();
    if (Wait) {
        Wait(Process.Get());
        pollfd Ended { Process.Get(), POLLIN, 0 };
        if (::poll(&Ended, 1, 0) != 1)
            return CannotWait();
    } else {
        pollfd Watch { Process.Get(), POLLIN, 0 };
        while (::poll(&Watch, 1, -1) < 0)
            if (errno != EINTR)
                return CannotWait();
    }
    siginfo_t Info {};
    if (::waitid(static_cast<idtype_t>(P_PIDFD), static_cast<id_t>(Process.Get()), &Info, WEXITED | WNOHANG)
            != 0
        || Info.si_pid == 0)
        return { TProcessWaitOutcome::EndedStatusUnknown, 0, {} };
    const int Code = Info.si_code == CLD_EXITED ? Info.si_status : SignalExitBase + Info.si_status;
    return { TProcessWaitOutcome::Ended, Code, {} };
}

} // namespace platform
