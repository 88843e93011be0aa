// Console output plus the ratio of each measured program to its reference in the same run.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace qz::bench {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    enum class Zeit { Cpu, Real };

    // ratio = reference time / measured time, so above 1 means faster than the reference.
    // CPU time suits pure computation (other work on the machine does not count against it);
    // wall-clock time suits work that waits on other threads.
    void compare(std::string measured, std::string reference, double target, Zeit zeit)
    {
        pairs_.push_back({std::move(measured), std::move(reference), target, zeit});
    }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                times_[run.benchmark_name()] = {run.GetAdjustedCPUTime(), run.GetAdjustedRealTime()};
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        for (const Pair& pair : pairs_) {
            auto measured = times_.find(pair.measured);
            auto reference = times_.find(pair.reference);
            if (measured == times_.end() || reference == times_.end()) continue;
            const bool cpu = pair.zeit == Zeit::Cpu;
            const double measuredTime = cpu ? measured->second.first : measured->second.second;
            const double referenceTime = cpu ? reference->second.first : reference->second.second;
            if (measuredTime <= 0) continue;
            const double ratio = referenceTime / measuredTime;
            std::printf("ratio %s / %s = %.2f by %s time (target at least %.2f)%s\n", pair.measured.c_str(),
                        pair.reference.c_str(), ratio, cpu ? "CPU" : "wall-clock", pair.target,
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
    std::vector<Pair> pairs_;
    std::map<std::string, std::pair<double, double>> times_;  // CPU, real
};

}  // namespace qz::bench
