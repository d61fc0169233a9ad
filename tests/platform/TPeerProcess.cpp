#include "TPeerProcess.h"

#include "PlatformTestSupport.h"

#include <QCoreApplication>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform::test {

namespace {

constexpr std::chrono::milliseconds ReadSlice { 10 };

} // namespace

TPeerProcess::TPeerProcess(const std::vector<std::string>& Arguments)
{
    int Pipe[2];
    if (::pipe2(Pipe, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    FOutput.Reset(Pipe[0]);
    TUniqueFd WriteEnd(Pipe[1]);
    std::vector<char*> Argv { const_cast<char*>(PLATFORM_TEST_PEER) };
    for (const auto& Argument : Arguments)
        Argv.push_back(const_cast<char*>(Argument.c_str()));
    Argv.push_back(nullptr);
    posix_spawn_file_actions_t Actions;
    posix_spawn_file_actions_init(&Actions);
    posix_spawn_file_actions_adddup2(&Actions, WriteEnd.Get(), STDOUT_FILENO);
    const int Failed = ::posix_spawn(&FPid, PLATFORM_TEST_PEER, &Actions, nullptr, Argv.data(), environ);
    posix_spawn_file_actions_destroy(&Actions);
    if (Failed)
        throw std::runtime_error("cannot start the peer program");
}

TPeerProcess::~TPeerProcess()
{
    Kill();
}

std::optional<std::string> TPeerProcess::ReadLine()
{
    const auto Deadline = std::chrono::steady_clock::now() + PatientWait;
    while (FBuffered.find('\n') == std::string::npos) {
        if (std::chrono::steady_clock::now() > Deadline)
            return std::nullopt;
        QCoreApplication::processEvents();
        pollfd Ready { FOutput.Get(), POLLIN, 0 };
        if (::poll(&Ready, 1, static_cast<int>(ReadSlice.count())) <= 0)
            continue;
        char Chunk[256];
        const ssize_t Got = ::read(FOutput.Get(), Chunk, sizeof Chunk);
        if (Got <= 0)
            return std::nullopt;
        FBuffered.append(Chunk, static_cast<std::size_t>(Got));
    }
    const auto End = FBuffered.find('\n');
    std::string Line = FBuffered.substr(0, End);
    FBuffered.erase(0, End + 1);
    return Line;
}

void TPeerProcess::Signal(int Signal) const
{
    if (FPid > 0)
        ::kill(FPid, Signal);
}

void TPeerProcess::Kill()
{
    if (FPid <= 0)
        return;
    ::kill(FPid, SIGKILL);
    ::waitpid(FPid, nullptr, 0);
    FPid = -1;
}

std::optional<int> TPeerProcess::Wait()
{
    int Status = 0;
    const bool Ended = ServeEventsUntil([&] { return ::waitpid(FPid, &Status, WNOHANG) == FPid; });
    if (!Ended)
        return std::nullopt;
    FPid = -1;
    return WIFEXITED(Status) ? std::optional(WEXITSTATUS(Status)) : std::nullopt;
}

} // namespace platform::test
