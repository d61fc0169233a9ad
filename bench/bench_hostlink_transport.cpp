// The window layer's cost for one request and its reply between two processes:
// a blocking WM_COPYDATA send whose handler in the other process sends the same
// number of bytes back to the sender's window, next to a raw AF_UNIX ping-pong
// of the same sizes (TRawPingPong) in the same run. Argument: bytes each way.
//
//   bench_hostlink_transport --benchmark_min_time=1
#include "TRawPingPong.h"
#include "TWindowMessaging.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <csignal>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr std::int32_t RequestKind = 4102;
constexpr std::int32_t ReplyKind = 4097;

// The other process: one window that answers each frame with the same bytes.
TWindowHandle StartEchoProcess(pid_t& Child)
{
    int Pipe[2];
    if (::pipe(Pipe) != 0)
        std::abort();
    Child = ::fork();
    if (Child == 0) {
        int Argc = 1;
        char Name[] = "echo";
        char* Argv[] = { Name, nullptr };
        QCoreApplication App(Argc, Argv);
        const auto Messaging = platform::CreatePosixWindowMessaging();
        TWindowHandle Own = 0;
        Own = Messaging->CreateHiddenWindow("BenchEcho", "", [&](const platform::TCopyDataFrame& Frame) {
            Messaging->SendCopyData(Frame.Sender, Own, ReplyKind, Frame.Data);
        });
        if (::write(Pipe[1], &Own, sizeof Own) != sizeof Own)
            ::_exit(1);
        ::_exit(QCoreApplication::exec());
    }
    TWindowHandle Echo = 0;
    if (::read(Pipe[0], &Echo, sizeof Echo) != sizeof Echo)
        std::abort();
    ::close(Pipe[0]);
    ::close(Pipe[1]);
    return Echo;
}

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
    QTemporaryDir Folder(QStringLiteral("/tmp/lxbench-XXXXXX"));
    ::setenv("LERNIX_RUNTIME_DIR", Folder.path().toLocal8Bit().constData(), 1);
    pid_t Child = -1;
    EchoWindow = StartEchoProcess(Child);
    QCoreApplication App(argc, argv);
    // Each size's baseline right before the layer, so that both meet the same load.
    for (const int Size : { 64, 4096, 65536, 1 << 20 }) {
        benchmark::RegisterBenchmark("RawSocketPingPong", RawSocketPingPong)->Arg(Size)->UseRealTime();
        benchmark::RegisterBenchmark("WindowLayerRequestReply", WindowLayerRequestReply)
            ->Arg(Size)
            ->UseRealTime();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ::kill(Child, SIGTERM);
    ::waitpid(Child, nullptr, 0);
    return 0;
}
