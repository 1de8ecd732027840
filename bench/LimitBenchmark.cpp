// Reading one limit definition (head and 39 rows of class A) from the limit database, as every
// run of the harmonic analysis does; and the same through a store that opens the file first, as
// the first run after start does.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "Fastest.h"
#include "harmonics/LimitStore.h"

using namespace ql;

namespace {

using ql::bench::fastest;
#define QL_BENCHMARK(fn) \
    BENCHMARK(fn)->Unit(benchmark::kMicrosecond)->Repetitions(12)->ComputeStatistics("min", fastest)

// A database made from the shipped script in a folder of its own, removed afterwards.
struct Folder {
    Folder()
        : path(std::filesystem::temp_directory_path() /
               ("ql240-bench-limits-" + std::to_string(::getpid())))
    {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~Folder() { std::filesystem::remove_all(path); }
    std::string database() const { return (path / "obwlimit.db").string(); }
    std::filesystem::path path;
};

void readingOneDefinition(benchmark::State& state)
{
    Folder folder;
    LimitStore store(folder.database(), QL240_LIMIT_SCRIPT);
    if (!store.open()) state.SkipWithError("the database cannot be made");
    for (auto _ : state) {
        auto definition = store.definition("Class A");
        if (!definition || definition->limits.size() != 39) state.SkipWithError("not class A");
        benchmark::DoNotOptimize(definition);
    }
}
QL_BENCHMARK(readingOneDefinition);

void openingAndReadingOneDefinition(benchmark::State& state)
{
    Folder folder;
    {
        LimitStore made(folder.database(), QL240_LIMIT_SCRIPT);
        if (!made.open()) state.SkipWithError("the database cannot be made");
    }
    for (auto _ : state) {
        LimitStore store(folder.database(), QL240_LIMIT_SCRIPT);
        auto definition = store.definition("Class A");
        if (!definition || definition->limits.size() != 39) state.SkipWithError("not class A");
        benchmark::DoNotOptimize(definition);
    }
}
QL_BENCHMARK(openingAndReadingOneDefinition);

}  // namespace
