#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// The console report, and after it each measured figure as a ratio to its
// floor from the same run: benchmark "BM_X" (with any arguments) is set
// against "BM_XFloor". Times are CPU times; with repetitions the median is
// taken. The machines these run on are shared, so only ratios are compared
// between runs, never absolute times.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    struct Goal {
        std::string family;  // "BM_PlayFrame"
        std::string label;   // what the figure is
        double atMost;       // the goal, as a ratio to the floor
        std::string args;    // the arguments the goal is for; others are shown only
    };

    explicit RatioReporter(std::vector<Goal> goals) : goals_(std::move(goals)) {}

    void ReportRuns(const std::vector<Run>& runs) override;
    // Prints the ratio table; false when a figure with a goal missed it.
    // Runs with other arguments than the goal's are listed without one.
    bool printRatios() const;

private:
    struct Figure {
        double sum = 0;
        int count = 0;
        double median = -1;
        double time() const { return median >= 0 ? median : (count ? sum / count : 0); }
    };

    std::vector<Goal> goals_;
    // By family, then by arguments ("" for none).
    std::map<std::string, std::map<std::string, Figure>> figures_;
};
