// A host-link request and its reply between two processes through the whole
// stack (component, frame, window layer, sockets), next to a raw AF_UNIX
// ping-pong of the same bytes between two processes in the same run.
//
//   bench_hostlink_roundtrip --benchmark_min_time=2
#include "HostDiscovery.h"
#include "MessageKinds.h"
#include "TestDemons.h"
#include "WindowMessaging.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

const std::string Key = "HomePageURL";
// What travels for one exchange: the request frame (16-byte socket header, 8-byte
// stamp, the key as a string) and the reply frame ("value of " + key), each
// answered by a one-byte acknowledgement.
constexpr std::size_t SocketHeader = 16;
const std::size_t RequestBytes = SocketHeader + 8 + 4 + Key.size();
const std::size_t ReplyBytes = SocketHeader + 8 + 4 + 9 + Key.size();

void WriteAll(int Fd, const std::uint8_t* Data, std::size_t Size)
{
    while (Size > 0) {
        const ssize_t n = write(Fd, Data, Size);
        if (n <= 0)
            throw std::runtime_error("write failed");
        Data += n;
        Size -= static_cast<std::size_t>(n);
    }
}

bool ReadAll(int Fd, std::uint8_t* Data, std::size_t Size)
{
    while (Size > 0) {
        const ssize_t n = read(Fd, Data, Size);
        if (n <= 0)
            return false;
        Data += n;
        Size -= static_cast<std::size_t>(n);
    }
    return true;
}

// The baseline: the request's bytes one way, the reply's bytes back, with the
// same acknowledgements, over one open connection to a child process.
void RawPingPong(benchmark::State& State)
{
    int fds[2];
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, fds) != 0) {
        State.SkipWithError("socketpair failed");
        return;
    }
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        std::vector<std::uint8_t> buffer(RequestBytes);
        std::uint8_t ack = 0;
        while (ReadAll(fds[1], buffer.data(), RequestBytes)) {
            std::vector<std::uint8_t> reply(ReplyBytes, 0x61);
            WriteAll(fds[1], reply.data(), reply.size());
            if (!ReadAll(fds[1], &ack, 1))
                break;
            WriteAll(fds[1], &ack, 1);
        }
        _exit(0);
    }
    close(fds[1]);
    std::vector<std::uint8_t> request(RequestBytes, 0x62), reply(ReplyBytes);
    std::uint8_t ack = 6;
    for (auto _ : State) {
        WriteAll(fds[0], request.data(), request.size());
        ReadAll(fds[0], reply.data(), reply.size());
        WriteAll(fds[0], &ack, 1);
        ReadAll(fds[0], &ack, 1);
    }
    close(fds[0]);
    waitpid(child, nullptr, 0);
}
BENCHMARK(RawPingPong)->UseRealTime();

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
