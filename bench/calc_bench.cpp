// The largest Start run (start 100, degenerate triangles on) through a window of plain
// strings, against writing its two final texts once.
#include "bench/ratio.h"
#include "calc/run.h"
#include "tests/support/stringwindow.h"

#include <benchmark/benchmark.h>

namespace {

StringWindow LargestRunWindow()
{
    StringWindow window;
    window.start = "100";
    window.degenerate = 1;
    return window;
}

void BM_LargestRun(benchmark::State& bench)
{
    std::size_t chars = 0;
    for (auto _ : bench) {
        StringWindow window = LargestRunWindow();
        RunState state;
        RunPerimeters(state, window);
        chars = window.list.size() + window.table.size();
        benchmark::DoNotOptimize(window.list.data());
    }
    bench.counters["chars"] = static_cast<double>(chars);
}

void BM_FinalTextsOnce(benchmark::State& bench)
{
    StringWindow done = LargestRunWindow();
    RunState state;
    RunPerimeters(state, done);
    for (auto _ : bench) {
        StringWindow window = LargestRunWindow();
        window.SetListText(done.list);
        window.SetTableText(done.table);
        benchmark::DoNotOptimize(window.list.data());
    }
}

BENCHMARK(BM_LargestRun);
BENCHMARK(BM_FinalTextsOnce);

} // namespace

int main(int argc, char** argv)
{
    // Against plain strings, writing the final texts is a bare copy, so this ratio mostly shows
    // what computing and formatting the 5,300 lines costs; the window benchmark holds the target.
    return RunAndCompare(argc, argv, {{"BM_LargestRun", "BM_FinalTextsOnce"}});
}
