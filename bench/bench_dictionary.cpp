// Loading grows linearly with the dictionary, lookups do not grow with the table.
#include "TTolkar2000.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <sstream>
#include <string>

namespace {

constexpr std::size_t KiB = 1024;
constexpr std::size_t MiB = 1024 * KiB;

// Entries like a real dictionary's captions, as many as fill Size bytes.
std::string Entries(std::size_t Size)
{
    std::string File;
    for (std::size_t I = 0; File.size() < Size; ++I)
        File += "[Caption number " + std::to_string(I) + "]=Beschriftung Nummer " + std::to_string(I)
            + "|$$\r\n";
    return File;
}

// One huge span that never ends: the loader must still read it in linear time.
std::string Unterminated(std::size_t Size)
{
    return "[k]=" + std::string(Size, 'x');
}

void Load(benchmark::State& State, const std::string& File)
{
    for (auto _ : State) {
        TTolkar2000 Engine;
        std::istringstream In(File);
        Engine.LoadFromStream(In);
        benchmark::DoNotOptimize(Engine.Keys().data());
    }
    State.SetBytesProcessed(static_cast<std::int64_t>(State.iterations() * File.size()));
}

void BM_LoadEntries(benchmark::State& State)
{
    Load(State, Entries(static_cast<std::size_t>(State.range(0))));
}

void BM_LoadUnterminated(benchmark::State& State)
{
    Load(State, Unterminated(static_cast<std::size_t>(State.range(0))));
}

void Lookup(benchmark::State& State, const std::string& Key)
{
    TTolkar2000 Engine;
    std::istringstream In(Entries(static_cast<std::size_t>(State.range(0))));
    Engine.LoadFromStream(In);
    State.counters["entries"] = static_cast<double>(Engine.Keys().size());
    for (auto _ : State)
        benchmark::DoNotOptimize(Engine.Translate(Key));
}

void BM_LookupPresent(benchmark::State& State)
{
    Lookup(State, "CAPTION NUMBER 42");
}

void BM_LookupAbsent(benchmark::State& State)
{
    Lookup(State, "No such caption");
}

} // namespace

BENCHMARK(BM_LoadEntries)->Arg(10 * KiB)->Arg(MiB)->Arg(10 * MiB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadUnterminated)->Arg(MiB)->Arg(10 * MiB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LookupPresent)->Arg(10 * KiB)->Arg(MiB)->Arg(10 * MiB);
BENCHMARK(BM_LookupAbsent)->Arg(10 * KiB)->Arg(MiB)->Arg(10 * MiB);

BENCHMARK_MAIN();
