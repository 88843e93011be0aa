// Console output plus the ratio of each measured program to its reference in the same run.
// Runs are short, repeated and interleaved at random (unless the command line says otherwise),
// and the ratio compares the fastest repetition of each side: other work on the machine only
// ever adds time, so the fastest run is the truest measure of the code itself.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace qz::bench {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    enum class Zeit { Cpu, Real };

    // ratio = reference time / measured time, so above 1 means faster than the reference.
    // CPU time suits pure computation (other work on the machine does not count against it);
    // wall-clock time suits work that waits on other threads. Names are the benchmark
    // functions' names.
    void compare(std::string measured, std::string reference, double target, Zeit zeit)
    {
        pairs_.push_back({std::move(measured), std::move(reference), target, zeit});
    }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
            cpu_[run.run_name.function_name].push_back(run.GetAdjustedCPUTime());
            real_[run.run_name.function_name].push_back(run.GetAdjustedRealTime());
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        for (const Pair& pair : pairs_) {
            auto& times = pair.zeit == Zeit::Cpu ? cpu_ : real_;
            const double measured = fastest(times[pair.measured]);
            const double reference = fastest(times[pair.reference]);
            if (measured <= 0 || reference <= 0) continue;
            const double ratio = reference / measured;
            std::printf("ratio %s / %s = %.2f by fastest %s time (target at least %.2f)%s\n", pair.measured.c_str(),
                        pair.reference.c_str(), ratio, pair.zeit == Zeit::Cpu ? "CPU" : "wall-clock", pair.target,
                        ratio >= pair.target ? "" : "  BELOW TARGET");
        }
    }

private:
    struct Pair {
        std::string measured;
        std::string reference;
        double target;
        Zeit zeit;
    };

    static double fastest(const std::vector<double>& values)
    {
        return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
    }

    std::vector<Pair> pairs_;
    std::map<std::string, std::vector<double>> cpu_;
    std::map<std::string, std::vector<double>> real_;
};

// Initialises the library with repeated, randomly interleaved runs as the default.
inline void initialize(int& argc, char**& argv, const char* repetitions)
{
    static std::vector<char*> arguments;
    static std::string repeat = std::string("--benchmark_repetitions=") + repetitions;
    static std::string interleave = "--benchmark_enable_random_interleaving=true";
    arguments.assign(argv, argv + argc);
    arguments.insert(arguments.begin() + 1, {repeat.data(), interleave.data()});
    argc = static_cast<int>(arguments.size());
    argv = arguments.data();
    benchmark::Initialize(&argc, argv);
}

}  // namespace qz::bench
