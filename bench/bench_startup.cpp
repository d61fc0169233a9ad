// Start-up: from the exec of the program to the first paint of its main window (host link,
// dictionary, translation, single-copy step, layout), next to a bare Qt Widgets window of the
// same size started the same way, in the same run. Both are started with posix_spawn on the
// offscreen platform in a fresh runtime folder, with the paint probe preloaded, which ends
// the process as soon as the first window has painted. The peak resident memory of each
// comes from wait4's rusage. The last line gives the ratio of the medians.
//
//   bench_startup --benchmark_repetitions=3
#include <QApplication>
#include <QWidget>

#include "ProcessStart.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* BareWindowSwitch = "--bare-window";

// What one start took: seconds from the spawn to the first paint, and peak memory.
struct TStart {
    double Seconds = 0;
    double PeakMiB = 0;
};

// The environment of this process with the variables of the start replaced.
std::vector<std::string> StartEnvironment(const std::string& RuntimeFolder)
{
    return EnvironmentWith({ { "QT_QPA_PLATFORM", "offscreen" }, { "FOKALIS_PAINT_PROBE", "exit" },
        { "LD_PRELOAD", PAINT_PROBE }, { "LERNIX_RUNTIME_DIR", RuntimeFolder } });
}

// Starts Arguments (program first) once and waits for its end.
TStart StartOnce(std::vector<std::string> Arguments)
{
    std::string Folder = (std::filesystem::temp_directory_path() / "fokalis-startup-XXXXXX").string();
    if (!::mkdtemp(Folder.data()))
        throw std::runtime_error(std::string("mkdtemp: ") + std::strerror(errno));
    std::vector<std::string> Environment = StartEnvironment(Folder);
    int Pipe[2];
    if (::pipe(Pipe) != 0)
        throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    posix_spawn_file_actions_t Actions;
    ::posix_spawn_file_actions_init(&Actions);
    ::posix_spawn_file_actions_adddup2(&Actions, Pipe[1], STDOUT_FILENO);
    ::posix_spawn_file_actions_addclose(&Actions, Pipe[0]);
    ::posix_spawn_file_actions_addopen(&Actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const std::vector<char*> Argv = Pointers(Arguments);
    const std::vector<char*> Envp = Pointers(Environment);
    pid_t Pid = 0;
    const std::int64_t Spawned = MonotonicNs();
    const int Error = ::posix_spawn(&Pid, Argv[0], &Actions, nullptr, Argv.data(), Envp.data());
    ::posix_spawn_file_actions_destroy(&Actions);
    ::close(Pipe[1]);
    std::string Output;
    char Buffer[4096];
    for (ssize_t Got; Error == 0 && (Got = ::read(Pipe[0], Buffer, sizeof Buffer)) != 0;)
        if (Got > 0)
            Output.append(Buffer, static_cast<std::size_t>(Got));
        else if (errno != EINTR)
            break;
    ::close(Pipe[0]);
    int Status = 0;
    rusage Usage {};
    const bool Ended = Error == 0 && ::wait4(Pid, &Status, 0, &Usage) == Pid;
    std::filesystem::remove_all(Folder);
    if (Error != 0)
        throw std::runtime_error(Arguments[0] + ": " + std::strerror(Error));
    const std::size_t At = Output.find("painted ");
    if (!Ended || !WIFEXITED(Status) || WEXITSTATUS(Status) != 0 || At == std::string::npos)
        throw std::runtime_error(Arguments[0] + " ended without painting");
    const std::int64_t Painted = std::stoll(Output.substr(At + 8));
    return { static_cast<double>(Painted - Spawned) / 1e9, static_cast<double>(Usage.ru_maxrss) / 1024.0 };
}

// The seconds of every start of the program and of the bare window, for the ratio at the end.
std::vector<double> ProgramStarts;
std::vector<double> BareStarts;

void Startup(benchmark::State& State, std::vector<double>* Seconds, const std::vector<std::string>& Arguments)
{
    double PeakMiB = 0;
    for (auto _ : State) {
        try {
            const TStart Start = StartOnce(Arguments);
            State.SetIterationTime(Start.Seconds);
            Seconds->push_back(Start.Seconds);
            PeakMiB = std::max(PeakMiB, Start.PeakMiB);
        } catch (const std::exception& E) {
            State.SkipWithError(E.what());
            break;
        }
    }
    State.counters["peak_rss_MiB"] = PeakMiB;
}

// The bare window: what any Qt Widgets program of the main window's client size costs.
int BareWindow(int ArgC, char** ArgV)
{
    QApplication App(ArgC, ArgV);
    QWidget Window;
    Window.resize(770, 567);
    Window.show();
    return QApplication::exec();
}

} // namespace

int main(int ArgC, char** ArgV)
{
    if (ArgC > 1 && std::strcmp(ArgV[1], BareWindowSwitch) == 0)
        return BareWindow(ArgC, ArgV);
    const std::string Self = std::filesystem::read_symlink("/proc/self/exe").string();
    benchmark::RegisterBenchmark(
        "Startup/fokalis", Startup, &ProgramStarts, std::vector<std::string> { FOKALIS_PROGRAM })
        ->MinTime(3)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(
        "Startup/bare_window", Startup, &BareStarts, std::vector<std::string> { Self, BareWindowSwitch })
        ->MinTime(3)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&ArgC, ArgV);
    if (benchmark::ReportUnrecognizedArguments(ArgC, ArgV))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (!ProgramStarts.empty() && !BareStarts.empty()) {
        const double Program = Median(ProgramStarts);
        const double Bare = Median(BareStarts);
        std::printf("start-up median: fokalis %.1f ms, bare window %.1f ms, ratio %.2f (goal <= 1.30)\n",
            Program * 1e3, Bare * 1e3, Program / Bare);
    }
    return 0;
}
