// A host-link request and its reply between two processes through the whole
// stack (component, frame, window layer, sockets), next to a raw AF_UNIX
// ping-pong of the same bytes between two processes (TRawPingPong) in the same run.
//
//   bench_hostlink_roundtrip --benchmark_min_time=2
#include "HostDiscovery.h"
#include "MessageKinds.h"
#include "TRawPingPong.h"
#include "TWindowMessaging.h"
#include "TestDemons.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <string>

namespace {

const std::string Key = "HomePageURL";
// What travels for one exchange: the request frame (16-byte socket header, 8-byte
// stamp, the key as a string) and the reply frame ("value of " + key). The stack
// also acknowledges each frame with one byte; the baseline does not.
constexpr std::size_t SocketHeader = 16;
const std::size_t RequestBytes = SocketHeader + 8 + 4 + Key.size();
const std::size_t ReplyBytes = SocketHeader + 8 + 4 + 9 + Key.size();

// The floor: the same bytes each way between two processes over one open socket.
// The acknowledged variant is no baseline: the same bytes in the exchange's own
// shape (reply on a second connection, one acknowledgement each way), to show what
// four transfers cost by themselves.
void RawPingPong(benchmark::State& State, bool Acknowledged)
{
    TRawPingPong raw(RequestBytes, ReplyBytes, Acknowledged);
    for (auto _ : State)
        if (!raw.RoundTrip()) {
            State.SkipWithError("the echo process is gone");
            break;
        }
}
BENCHMARK_CAPTURE(RawPingPong, plain, false)->UseRealTime();
BENCHMARK_CAPTURE(RawPingPong, acknowledged, true)->UseRealTime();

// The same exchange as the program makes it: lmGetValue to a test host in its
// own process, which answers with lmReply before it returns.
void HostLinkRequest(benchmark::State& State)
{
    QTemporaryDir runtime;
    qputenv("LERNIX_RUNTIME_DIR", runtime.path().toLocal8Bit());
    qputenv("LERNIX_REGISTRY_DIR", runtime.path().toLocal8Bit());
    const auto messaging = platform::CreatePosixWindowMessaging();
    QProcess peer;
    peer.start(QStringLiteral(HOSTLINK_PEER), { QStringLiteral("bench") });
    QElapsedTimer waited;
    waited.start();
    while (FindServerWindow(*messaging, "bench") == 0 && waited.elapsed() < 20000)
        QThread::msleep(20);
    TNamedDemon client(*messaging, "BenchClientWindowClass", "");
    TEntity host(&client);
    host.Handle = FindServerWindow(*messaging, "bench");
    if (host.Handle == 0) {
        State.SkipWithError("the test host did not start");
        return;
    }
    for (auto _ : State) {
        TLernixMessageStream request(&client), reply(&client);
        request.MsgKind = lmGetValue;
        request.WriteString(Key);
        request.SendTo(host, &reply);
        if (reply.Size() == 0) {
            State.SkipWithError("no reply");
            break;
        }
        benchmark::DoNotOptimize(reply.ReadString());
    }
    peer.kill();
    peer.waitForFinished();
}
BENCHMARK(HostLinkRequest)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
