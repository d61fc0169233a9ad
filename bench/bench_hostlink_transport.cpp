// The window layer's cost for one request and its reply between two processes:
// a blocking WM_COPYDATA send whose handler in the other process sends the same
// number of bytes back to the sender's window, next to a raw AF_UNIX ping-pong
// of the same sizes (TRawPingPong) in the same run. Argument: bytes each way.
//
//   bench_hostlink_transport --benchmark_min_time=1
#include "TPrivateRuntimeFolder.h"
#include "TRawPingPong.h"
#include "TWindowMessaging.h"

#include <QCoreApplication>
#include <QDir>
#include <QSocketNotifier>

#include <benchmark/benchmark.h>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/signalfd.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr std::int32_t RequestKind = 4102;
constexpr std::int32_t ReplyKind = 4097;

// The echo window's process: answers each frame with the same bytes until SIGINT
// or SIGTERM, then removes the runtime folder. The kernel sends it SIGTERM when the
// benchmark ends, however it ends, so a killed benchmark leaves nothing behind.
[[noreturn]] void RunEchoProcess(pid_t Benchmark, int HandleOut, const QString& Folder)
{
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != Benchmark)
        ::_exit(0);
    sigset_t Ending;
    sigemptyset(&Ending);
    sigaddset(&Ending, SIGINT);
    sigaddset(&Ending, SIGTERM);
    ::sigprocmask(SIG_BLOCK, &Ending, nullptr);
    const int Signals = ::signalfd(-1, &Ending, SFD_CLOEXEC);
    // The caller's output stays the caller's: a reader of it never waits for us.
    ::dup2(::open("/dev/null", O_WRONLY | O_CLOEXEC), STDOUT_FILENO);
    int Argc = 1;
    char Name[] = "echo";
    char* Argv[] = { Name, nullptr };
    QCoreApplication App(Argc, Argv);
    QSocketNotifier Ended(Signals, QSocketNotifier::Read);
    QObject::connect(&Ended, &QSocketNotifier::activated, &App, &QCoreApplication::quit);
    {
        const auto Messaging = platform::CreatePosixWindowMessaging();
        TWindowHandle Own = 0;
        Own = Messaging->CreateHiddenWindow("BenchEcho", "", [&](const platform::TCopyDataFrame& Frame) {
            Messaging->SendCopyData(Frame.Sender, Own, ReplyKind, Frame.Data);
        });
        if (::write(HandleOut, &Own, sizeof Own) != sizeof Own)
            ::_exit(1);
        ::close(HandleOut);
        QCoreApplication::exec();
    }
    QDir(Folder).removeRecursively();
    ::_exit(0);
}

// The echo process with its runtime folder, ended and removed on destruction.
class TEchoProcess {
public:
    TEchoProcess()
    {
        int Pipe[2];
        if (::pipe2(Pipe, O_CLOEXEC) != 0)
            throw std::runtime_error("cannot make a pipe");
        const pid_t Benchmark = ::getpid();
        FChild = ::fork();
        if (FChild == 0)
            RunEchoProcess(Benchmark, Pipe[1], QString::fromStdString(FFolder.Path()));
        ::close(Pipe[1]);
        const bool Started = FChild > 0 && ::read(Pipe[0], &FWindow, sizeof FWindow) == sizeof FWindow;
        ::close(Pipe[0]);
        if (!Started) {
            End();
            throw std::runtime_error("the echo process did not start");
        }
    }
    ~TEchoProcess() { End(); }
    TEchoProcess(const TEchoProcess&) = delete;
    TEchoProcess& operator=(const TEchoProcess&) = delete;

    TWindowHandle Window() const { return FWindow; }

private:
    void End()
    {
        if (FChild <= 0)
            return;
        ::kill(FChild, SIGTERM);
        ::waitpid(FChild, nullptr, 0);
        FChild = -1;
    }

    TPrivateRuntimeFolder FFolder;
    pid_t FChild = -1;
    TWindowHandle FWindow = 0;
};

TWindowHandle EchoWindow = 0;

void RawSocketPingPong(benchmark::State& State)
{
    const auto Size = static_cast<std::size_t>(State.range(0));
    TRawPingPong PingPong(Size, Size);
    for (auto _ : State)
        if (!PingPong.RoundTrip())
            State.SkipWithError("the echo process is gone");
    State.SetBytesProcessed(State.iterations() * State.range(0) * 2);
}

void WindowLayerRequestReply(benchmark::State& State)
{
    const auto Messaging = platform::CreatePosixWindowMessaging();
    benchmark::IterationCount Replies = 0;
    const TWindowHandle Own = Messaging->CreateHiddenWindow(
        "BenchClient", "", [&](const platform::TCopyDataFrame&) { ++Replies; });
    const std::vector<std::uint8_t> Data(static_cast<std::size_t>(State.range(0)), 0x5a);
    for (auto _ : State)
        if (!Messaging->SendCopyData(EchoWindow, Own, RequestKind, Data))
            State.SkipWithError("the echo window did not answer");
    if (Replies != State.iterations())
        State.SkipWithError("a reply went missing");
    State.SetBytesProcessed(State.iterations() * State.range(0) * 2);
}

} // namespace

int main(int argc, char** argv)
{
    // Options first: --help and a bad option end here, before any process is started.
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    const TEchoProcess Echo;
    EchoWindow = Echo.Window();
    QCoreApplication App(argc, argv);
    // Each size's baseline right before the layer, so that both meet the same load.
    for (const int Size : { 64, 4096, 65536, 1 << 20 }) {
        benchmark::RegisterBenchmark("RawSocketPingPong", RawSocketPingPong)->Arg(Size)->UseRealTime();
        benchmark::RegisterBenchmark("WindowLayerRequestReply", WindowLayerRequestReply)
            ->Arg(Size)
            ->UseRealTime();
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
