// Runs the benchmarks and prints each figure as a ratio to its floor.
#include <benchmark/benchmark.h>

#include "RatioReport.h"

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter({
        {"BM_PlayFrame", "play frame (update + draw)", 1.5},
        {"BM_Present", "present on SDL (software)", 1.5},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
