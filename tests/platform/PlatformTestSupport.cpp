#include "PlatformTestSupport.h"

#include <QCoreApplication>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform::test {

namespace {

constexpr std::chrono::milliseconds ServeSlice { 10 };

} // namespace

TTempRuntimeFolder::TTempRuntimeFolder()
{
    std::string Template = "/tmp/lxtest-XXXXXX";
    if (!::mkdtemp(Template.data()))
        throw std::runtime_error("mkdtemp failed");
    FPath = Template;
    ::setenv("LERNIX_RUNTIME_DIR", FPath.c_str(), 1);
}

TTempRuntimeFolder::~TTempRuntimeFolder()
{
    ::unsetenv("LERNIX_RUNTIME_DIR");
    std::error_code Ignored;
    std::filesystem::remove_all(FPath, Ignored);
}

std::vector<std::string> TTempRuntimeFolder::Entries() const
{
    std::vector<std::string> Names;
    for (const auto& Entry : std::filesystem::directory_iterator(FPath))
        Names.push_back(Entry.path().filename().string());
    std::ranges::sort(Names);
    return Names;
}

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
        if (::poll(&Ready, 1, static_cast<int>(ServeSlice.count())) <= 0)
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
