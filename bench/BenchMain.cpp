// Runs the benchmarks and prints each figure as a ratio to its floor.
#include <benchmark/benchmark.h>

#include "RatioReport.h"

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    // The present's goal is for the game's own 800 x 600 screen; the
    // letterboxed desktop-sized window is shown beside it.
    RatioReporter reporter({
        {"BM_PlayFrame", "play frame (update + draw)", 1.5, "widest"},
        {"BM_Present", "present, window surface", 1.5, "800/600"},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
