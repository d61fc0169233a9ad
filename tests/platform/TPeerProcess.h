#pragma once

#include "TUniqueFd.h"

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace platform::test {

// The test peer program (peer/main.cpp) with its standard output on a pipe.
// Killed and reaped on destruction.
class TPeerProcess {
public:
    explicit TPeerProcess(const std::vector<std::string>& Arguments);
    ~TPeerProcess();
    TPeerProcess(const TPeerProcess&) = delete;
    TPeerProcess& operator=(const TPeerProcess&) = delete;

    // The next output line, serving Qt events while waiting; nothing after PatientWait.
    std::optional<std::string> ReadLine();
    // Sends Signal (SIGSTOP and SIGCONT, say) to the running peer.
    void Signal(int Signal) const;
    // SIGKILL and reap.
    void Kill();
    // Waits (serving Qt events) for the exit; gives the exit code, or nothing.
    std::optional<int> Wait();

private:
    pid_t FPid = -1;
    TUniqueFd FOutput;
    std::string FBuffered;
};

} // namespace platform::test
