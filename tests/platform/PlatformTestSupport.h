#pragma once

#include "TUniqueFd.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

// Helpers shared by the platform tests: a private runtime folder, a peer process,
// and raw socket access that speaks the documented bytes by hand.
namespace platform::test {

// Generous: the tests run on loaded machines; nothing waits this long when it works.
inline constexpr std::chrono::seconds PatientWait { 10 };

// A fresh folder set as LERNIX_RUNTIME_DIR for the test's life, removed afterwards.
class TTempRuntimeFolder {
public:
    TTempRuntimeFolder();
    ~TTempRuntimeFolder();
    TTempRuntimeFolder(const TTempRuntimeFolder&) = delete;
    TTempRuntimeFolder& operator=(const TTempRuntimeFolder&) = delete;

    const std::string& Path() const { return FPath; }
    // File names in the folder, sorted.
    std::vector<std::string> Entries() const;

private:
    std::string FPath;
};

// The test peer program (PeerProgram.cpp) with its standard output on a pipe.
// Killed and reaped on destruction.
class TPeerProcess {
public:
    explicit TPeerProcess(const std::vector<std::string>& Arguments);
    ~TPeerProcess();
    TPeerProcess(const TPeerProcess&) = delete;
    TPeerProcess& operator=(const TPeerProcess&) = delete;

    // The next output line, serving Qt events while waiting; nothing after PatientWait.
    std::optional<std::string> ReadLine();
    // SIGKILL and reap.
    void Kill();
    // Waits (serving Qt events) for the exit; gives the exit code, or nothing.
    std::optional<int> Wait();

private:
    pid_t FPid = -1;
    TUniqueFd FOutput;
    std::string FBuffered;
};

// Serves Qt events until Done() or PatientWait; gives Done().
bool ServeEventsUntil(const std::function<bool()>& Done);
// Serves Qt events for a while.
void ServeEventsFor(std::chrono::milliseconds Time);

TUniqueFd ConnectRaw(const std::string& SocketPath);
void WriteRaw(int Socket, const std::vector<std::uint8_t>& Bytes);
// What the window answers, serving Qt events meanwhile: the acknowledgement byte,
// or nothing when it closes the connection without one (or after PatientWait).
std::optional<std::uint8_t> AnswerOf(int Socket);

} // namespace platform::test
