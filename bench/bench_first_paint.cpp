// Start-up as the user sees it: from the exec of a program to the first paint of its window
// on a real X server, told from outside the process by the server's DAMAGE extension, so
// the programs run unchanged. Three programs are started in turn, round after round, so a
// change of load on the machine hits all of them alike: the program, the same window
// written in plain Qt, and a bare window of the same size (both bench_plain_window). Each
// start gets a fresh private runtime folder; the program is killed at its first paint and
// its CPU time and peak resident memory come from wait4's rusage (the CPU time is the
// figure that a busy machine disturbs least). The summary gives the medians and
// the ratios of the program to the two baselines. One more start of the program each round
// waits for its About box, which opens over the main window by itself: the time until the
// user has both before him.
//
//   dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/bench_first_paint --rounds=36
//
// More starts are asked for with --rounds (12 by default), not with repetitions: the
// summary takes the medians over all starts. Each --compare=PATH adds a program with a
// window of the same size (the code before a change, say) to every round, so all meet the
// same load.
#include "ProcessStart.h"
#include "TDamageWatch.h"
#include "TPrivateRuntimeFolder.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <map>
#include <memory>
#include <optional>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* RoundsSwitch = "--rounds=";
constexpr const char* CompareSwitch = "--compare=";
constexpr int TimeoutMs = 20000;
constexpr int MainWidth = 770;
constexpr int MainHeight = 567;

struct TProgram {
    std::string Name;
    std::vector<std::string> Arguments;
    // Which window's first paint ends the start: the Window-th mapped, of that size.
    std::size_t Window;
    int Width;
    int Height;
    std::vector<double> Ms {};
    std::vector<double> CpuMs {};
    std::vector<double> MiB {};
};

// The program first, then its two baselines; the ratios are taken to these.
std::vector<TProgram> Programs { { "fokalis", { FOKALIS_PROGRAM }, 0, MainWidth, MainHeight },
    { "plain Qt window", { PLAIN_WINDOW }, 0, MainWidth, MainHeight },
    { "bare window", { PLAIN_WINDOW, "--bare" }, 0, MainWidth, MainHeight },
    { "fokalis, About box open", { FOKALIS_PROGRAM }, 1, 543, 332 } };
// The programs of every run; --compare adds others after them.
const std::size_t StandardPrograms = Programs.size();

// The environment of this process on the X server, with its own runtime folder.
std::vector<std::string> StartEnvironment(const std::string& RuntimeFolder)
{
    return EnvironmentWith({ { "QT_QPA_PLATFORM", "xcb" }, { "XDG_RUNTIME_DIR", RuntimeFolder },
                               { "LERNIX_RUNTIME_DIR", RuntimeFolder } },
        { "LD_PRELOAD" });
}

double Milliseconds(const timeval& Time)
{
    return static_cast<double>(Time.tv_sec) * 1e3 + static_cast<double>(Time.tv_usec) / 1e3;
}

// Starts Program once, up to its first paint, and records its time and peak memory.
void StartOnce(TDamageWatch& Watch, TProgram& Program)
{
    const TPrivateRuntimeFolder Folder;
    std::vector<std::string> Arguments = Program.Arguments;
    std::vector<std::string> Environment = StartEnvironment(Folder.Path());
    const std::vector<char*> Argv = Pointers(Arguments);
    const std::vector<char*> Envp = Pointers(Environment);
    posix_spawn_file_actions_t Actions;
    ::posix_spawn_file_actions_init(&Actions);
    ::posix_spawn_file_actions_addopen(&Actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    ::posix_spawn_file_actions_addopen(&Actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    Watch.Arm();
    pid_t Pid = 0;
    const std::int64_t Spawned = MonotonicNs();
    const int Error = ::posix_spawn(&Pid, Argv[0], &Actions, nullptr, Argv.data(), Envp.data());
    ::posix_spawn_file_actions_destroy(&Actions);
    if (Error != 0) {
        throw std::runtime_error(Arguments[0] + ": " + std::strerror(Error));
    }
    std::string Failure;
    TDamageWatch::TFirstPaint Paint;
    try {
        Paint = Watch.WaitForFirstPaint(Pid, TimeoutMs, Program.Window);
    } catch (const std::exception& E) {
        Failure = E.what();
    }
    ::kill(Pid, SIGKILL);
    int Status = 0;
    rusage Usage {};
    while (::wait4(Pid, &Status, 0, &Usage) < 0 && errno == EINTR) { }
    if (!Failure.empty())
        throw std::runtime_error(Program.Name + ": " + Failure);
    if (Paint.Width != Program.Width || Paint.Height != Program.Height)
        throw std::runtime_error(Program.Name + ": the window painted is " + std::to_string(Paint.Width) + "x"
            + std::to_string(Paint.Height) + ", not the one awaited");
    Program.Ms.push_back(static_cast<double>(Paint.PaintedNs - Spawned) / 1e6);
    Program.CpuMs.push_back(Milliseconds(Usage.ru_utime) + Milliseconds(Usage.ru_stime));
    Program.MiB.push_back(static_cast<double>(Usage.ru_maxrss) / 1024.0);
}

// One iteration is one round: each program started once, the first one moving on by one
// every round. The iteration's time is the program's. A start that fails is reported and
// left out; the round goes on, so every repetition has the same number of iterations.
void FirstPaint(benchmark::State& State)
{
    std::unique_ptr<TDamageWatch> Watch;
    try {
        Watch = std::make_unique<TDamageWatch>();
    } catch (const std::exception& E) {
        State.SkipWithError(E.what());
        return;
    }
    std::size_t Round = 0;
    int Failed = 0;
    for (auto _ : State) {
        const std::size_t Before = Programs[0].Ms.size();
        for (std::size_t K = 0; K < Programs.size(); ++K) {
            try {
                StartOnce(*Watch, Programs[(Round + K) % Programs.size()]);
            } catch (const std::exception& E) {
                std::fprintf(stderr, "start failed: %s\n", E.what());
                ++Failed;
            }
        }
        State.SetIterationTime(Programs[0].Ms.size() > Before ? Programs[0].Ms.back() / 1e3 : 0);
        ++Round;
    }
    State.counters["failed_starts"] = Failed;
    if (Programs[0].Ms.empty() || Programs[1].Ms.empty() || Programs[2].Ms.empty()) {
        State.SkipWithError("no start of a program painted");
        return;
    }
    const double Program = Median(Programs[0].Ms), Plain = Median(Programs[1].Ms);
    State.counters["to_plain"] = Program / Plain;
    State.counters["to_bare"] = Program / Median(Programs[2].Ms);
    State.counters["rss_to_plain"] = Median(Programs[0].MiB) / Median(Programs[1].MiB);
}

void PrintSummary()
{
    if (Programs[0].Ms.empty())
        return;
    std::printf("\nfirst paint under X, medians of %zu starts each, alternating\n", Programs[0].Ms.size());
    std::printf("| program | first paint | CPU time | peak RSS |\n|---|---|---|---|\n");
    for (const TProgram& Program : Programs)
        std::printf("| %s | %.1f ms | %.1f ms | %.1f MiB |\n", Program.Name.c_str(), Median(Program.Ms),
            Median(Program.CpuMs), Median(Program.MiB));
    // The program, and each compared one, to each baseline.
    std::vector<std::size_t> Owns { 0 };
    for (std::size_t Compared = StandardPrograms; Compared < Programs.size(); ++Compared)
        Owns.push_back(Compared);
    for (const std::size_t Own : Owns)
        for (std::size_t Base = 1; Base <= 2; ++Base)
            std::printf("%s to %s: first paint %.2f, CPU time %.2f, peak RSS %.2f\n",
                Programs[Own].Name.c_str(), Programs[Base].Name.c_str(),
                Median(Programs[Own].Ms) / Median(Programs[Base].Ms),
                Median(Programs[Own].CpuMs) / Median(Programs[Base].CpuMs),
                Median(Programs[Own].MiB) / Median(Programs[Base].MiB));
    std::printf("goal: at most 1.15 to the plain Qt window for both\n");
}

// Takes the value of the first argument that starts with Switch out of the arguments.
std::optional<std::string> TakeSwitch(int& ArgC, char** ArgV, const char* Switch)
{
    for (int I = 1; I < ArgC; ++I)
        if (std::strncmp(ArgV[I], Switch, std::strlen(Switch)) == 0) {
            std::string Value = ArgV[I] + std::strlen(Switch);
            std::copy(ArgV + I + 1, ArgV + ArgC, ArgV + I);
            --ArgC;
            return Value;
        }
    return std::nullopt;
}

} // namespace

int main(int ArgC, char** ArgV)
{
    int Rounds = 12;
    if (const auto Value = TakeSwitch(ArgC, ArgV, RoundsSwitch))
        Rounds = std::max(1, std::atoi(Value->c_str()));
    while (const auto Path = TakeSwitch(ArgC, ArgV, CompareSwitch))
        Programs.push_back({ "compared " + *Path, { *Path }, 0, MainWidth, MainHeight });
    benchmark::RegisterBenchmark("FirstPaint/alternating", FirstPaint)
        ->Iterations(Rounds)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&ArgC, ArgV);
    if (benchmark::ReportUnrecognizedArguments(ArgC, ArgV))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintSummary();
    return 0;
}
