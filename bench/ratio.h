// Runs the registered benchmarks and prints, after the usual table, how their times compare:
// both sides of a ratio are measured in the same process, one after the other.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

// Benchmarks are found by their function name, whatever options their runs carry.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                // Of several repetitions the fastest is the one least disturbed by the machine.
                const double seconds = run.real_accumulated_time / static_cast<double>(run.iterations);
                const auto [it, fresh] = perIteration_.emplace(run.run_name.function_name, seconds);
                if (!fresh && seconds < it->second) {
                    it->second = seconds;
                }
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Seconds per iteration, or a negative value for a benchmark that did not run.
    double Seconds(const std::string& name) const
    {
        const auto it = perIteration_.find(name);
        return it == perIteration_.end() ? -1.0 : it->second;
    }

private:
    std::map<std::string, double> perIteration_;
};

struct Ratio {
    std::string measured;
    std::string baseline;
    double target = 0; // the highest acceptable measured/baseline; 0 only reports
};

// Returns 0 when every ratio meets its target, 1 otherwise, so a script can check it.
inline int RunAndCompare(int argc, char** argv, const std::vector<Ratio>& ratios)
{
    // The repetitions of both sides of a ratio take turns, so that a slow spell of the machine
    // falls on both rather than on one.
    std::vector<char*> args(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave.data());
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);
    benchmark::Initialize(&count, args.data());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    int status = 0;
    for (const Ratio& r : ratios) {
        const double measured = reporter.Seconds(r.measured);
        const double baseline = reporter.Seconds(r.baseline);
        if (measured < 0 || baseline <= 0) {
            std::printf("ratio %s / %s: not measured\n", r.measured.c_str(), r.baseline.c_str());
            continue;
        }
        const double ratio = measured / baseline;
        const bool ok = r.target <= 0 || ratio <= r.target;
        std::printf("ratio %s / %s = %.3f (%.4f ms / %.4f ms)", r.measured.c_str(), r.baseline.c_str(), ratio,
                    measured * 1e3, baseline * 1e3);
        if (r.target > 0) {
            std::printf(", target <= %.2f: %s", r.target, ok ? "met" : "MISSED");
        }
        std::printf("\n");
        if (!ok) {
            status = 1;
        }
    }
    return status;
}
