#include "RatioReport.h"

#include <cstdio>
#include <string>

namespace {

// CPU time per iteration in microseconds, whatever unit the run reported.
double microseconds(const benchmark::BenchmarkReporter::Run& run) {
    const double perUnit = benchmark::GetTimeUnitMultiplier(run.time_unit);
    return run.GetAdjustedCPUTime() / perUnit * 1e6;
}

}  // namespace

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred) continue;
        // A captured variant ("BM_PlayFrame/sse2") is filed under its family
        // with the variant's name as its arguments.
        std::string family = run.run_name.function_name;
        std::string arguments = run.run_name.args;
        const std::size_t slash = family.find('/');
        if (slash != std::string::npos) {
            std::string variant = family.substr(slash + 1);
            if (!arguments.empty()) variant += "/" + arguments;
            arguments = variant;
            family.resize(slash);
        }
        Figure& figure = figures_[family][arguments];
        if (run.run_type == Run::RT_Aggregate) {
            if (run.aggregate_name == "median") figure.median = microseconds(run);
        } else {
            figure.sum += microseconds(run);
            ++figure.count;
        }
    }
}

bool RatioReporter::printRatios() const {
    bool allMet = true;
    std::printf("\n%-28s %-12s %12s %12s %8s %8s\n", "figure", "arguments", "time us", "floor us",
                "ratio", "goal");
    for (const Goal& goal : goals_) {
        auto subject = figures_.find(goal.family);
        auto floor = figures_.find(goal.family + "Floor");
        if (subject == figures_.end() || floor == figures_.end() || floor->second.empty()) {
            continue;
        }
        const double floorTime = floor->second.begin()->second.time();
        for (const auto& entry : subject->second) {
            const double time = entry.second.time();
            const double ratio = floorTime > 0 ? time / floorTime : 0;
            const char* arguments = entry.first.empty() ? "-" : entry.first.c_str();
            if (!goal.args.empty() && entry.first != goal.args) {
                std::printf("%-28s %-12s %12.1f %12.1f %7.2fx %7s\n", goal.label.c_str(), arguments,
                            time, floorTime, ratio, "-");
                continue;
            }
            const bool met = ratio <= goal.atMost;
            allMet = allMet && met;
            std::printf("%-28s %-12s %12.1f %12.1f %7.2fx %6.1fx %s\n", goal.label.c_str(),
                        arguments, time, floorTime, ratio, goal.atMost, met ? "met" : "MISSED");
        }
    }
    std::fflush(stdout);
    return allMet;
}
