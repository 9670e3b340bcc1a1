// What the benchmarks share: keeping each benchmark's time so that its goals
// can be checked once all have run, and printing how a goal stands.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

class GoalReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            seconds[run.run_name.function_name] =
                run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        }
    }
    std::map<std::string, double> seconds;  // per iteration, by benchmark name
};

// below: the goal is ratio < goal; else ratio <= goal.
inline void ReportGoal(const char* what, double ratio, double goal, bool below) {
    const bool met = below ? ratio < goal : ratio <= goal;
    std::printf("%-48s %8.4f  goal %s %.2f: %s\n", what, ratio, below ? "<" : "<=", goal,
                met ? "met" : "MISSED");
}
