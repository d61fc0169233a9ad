// A host-link request and its reply between two processes through the whole
// stack (component, frame, window layer, sockets), next to a raw AF_UNIX
// ping-pong of the same bytes between two processes (TRawPingPong) in the same run.
//
//   bench_hostlink_roundtrip --benchmark_min_time=2
//
// The run fails (status 1) when the test host's reply is wrong. SIGINT and SIGTERM end the
// running benchmark in order, so the test host and the temporary folder go with it.
#include "HostDiscovery.h"
#include "HostRequests.h"
#include "MessageKinds.h"
#include "TPrivateRuntimeFolder.h"
#include "TRawPingPong.h"
#include "TTestHost.h"
#include "TWindowMessaging.h"
#include "TkdbDemonClient.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <benchmark/benchmark.h>

#include <csignal>
#include <string>

namespace {

volatile std::sig_atomic_t Interrupted = 0;
bool ReplyWrong = false;

extern "C" void Interrupt(int Signal)
{
    Interrupted = Signal;
}

// True (after marking the benchmark as failed) when a signal asks to stop.
bool Stopping(benchmark::State& State)
{
    if (Interrupted == 0)
        return false;
    State.SkipWithError("interrupted");
    return true;
}

const std::string Key = "HomePageURL";
const std::string Value = TestHostValues().at(Key);
// What travels for one exchange: the request frame (16-byte socket header, 8-byte
// stamp, the key as a string) and the reply frame (the value as a string). The stack
// also acknowledges each frame with one byte; the baseline does not.
constexpr std::size_t SocketHeader = 16;
const std::size_t RequestBytes = SocketHeader + 8 + 4 + Key.size();
const std::size_t ReplyBytes = SocketHeader + 8 + 4 + Value.size();

// The floor: the same bytes each way between two processes over one open socket.
// The acknowledged variant is no baseline: the same bytes in the exchange's own
// shape (reply on a second connection, one acknowledgement each way), to show what
// four transfers cost by themselves.
void RawPingPong(benchmark::State& State, bool Acknowledged)
{
    TRawPingPong raw(RequestBytes, ReplyBytes, Acknowledged);
    for (auto _ : State) {
        if (Stopping(State))
            break;
        if (!raw.RoundTrip()) {
            State.SkipWithError("the echo process is gone");
            break;
        }
    }
}
BENCHMARK_CAPTURE(RawPingPong, plain, false)->UseRealTime();
BENCHMARK_CAPTURE(RawPingPong, acknowledged, true)->UseRealTime();

// The same exchange as the program makes it: lmGetValue to a test host in its
// own process, which answers with lmReply before it returns.
void HostLinkRequest(benchmark::State& State)
{
    const TPrivateRuntimeFolder runtime;
    qputenv("LERNIX_REGISTRY_DIR", QByteArray::fromStdString(runtime.Path()));
    const auto messaging = platform::CreatePosixWindowMessaging();
    QProcess peer;
    // The peer ends when its input does, that is when this process ends, however it ends.
    peer.start(QStringLiteral(HOSTLINK_PEER), { QStringLiteral("--until-eof"), QStringLiteral("bench") });
    QElapsedTimer waited;
    waited.start();
    while (FindServerWindow(*messaging, "bench") == 0 && waited.elapsed() < 20000 && !Stopping(State))
        QThread::msleep(20);
    TkdbDemonClient client(nullptr, messaging.get());
    TEntity host(&client);
    host.Handle = FindServerWindow(*messaging, "bench");
    const auto ask = [&] {
        TLernixMessageStream request(&client), reply(&client);
        request.MsgKind = lmGetValue;
        TTextMessage { Key }.Write(request);
        request.SendTo(host, &reply);
        return reply.Size() == 0 ? std::string() : TTextMessage::Read(reply).Text;
    };
    if (host.Handle == 0) {
        State.SkipWithError("the test host did not start");
    } else if (ask() != Value) {
        ReplyWrong = true;
        State.SkipWithError("the test host's reply is wrong");
    } else {
        for (auto _ : State) {
            if (Stopping(State))
                break;
            benchmark::DoNotOptimize(ask());
        }
    }
    peer.closeWriteChannel();
    if (!peer.waitForFinished(5000)) {
        peer.kill();
        peer.waitForFinished();
    }
}
BENCHMARK(HostLinkRequest)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    std::signal(SIGINT, Interrupt);
    std::signal(SIGTERM, Interrupt);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (Interrupted != 0) {
        std::signal(Interrupted, SIG_DFL);
        std::raise(Interrupted);
    }
    return ReplyWrong ? 1 : 0;
}
