#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Waiting for a process that another program started, as OpenProcess and
// WaitForSingleObject do on Windows.
namespace platform {

enum class TProcessWaitOutcome : std::uint8_t {
    // The process ended and its exit status is known.
    Ended,
    // The process ended, but Linux tells how a process ended only to its parent: for any
    // other process, and for one that was gone before the wait began, the status is unknown.
    EndedStatusUnknown,
    // The process cannot be watched (no valid process id, another user's process, no
    // descriptor left); nothing was waited for.
    CannotWait,
};

struct TProcessEnd {
    TProcessWaitOutcome Outcome = TProcessWaitOutcome::CannotWait;
    // With Ended: the exit status, or 128 plus the signal number when a signal ended it.
    int ExitCode = 0;
    // With CannotWait: the system's text for the reason.
    std::string Why;
};

// Blocks, without a time limit and without polling, until process Pid has ended: Wait is
// called with a pidfd and returns once it is readable (by default a plain poll on it).
// Reaps the process when it is a child of this process. This process itself and process
// 1 never end while it waits: CannotWait.
TProcessEnd WaitForProcessEnd(std::int32_t Pid, const std::function<void(int Fd)>& Wait = {});

} // namespace platform
