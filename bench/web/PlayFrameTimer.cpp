// Times one play frame of a full wave (the frame of bench/PlayFrameBench.cpp,
// on the same PlayRig) with nothing but the standard clock, so that the same
// source runs natively and as WebAssembly under Node.js. scripts/bench-web
// runs both builds in turn and compares them.
//
//   zorbanix_play_frame_timer [rounds]
//
// Prints one line per round, "round <microseconds per frame>", then
// "median <microseconds per frame>". Exit 1 when the pictures are missing or
// a timed frame was not a play frame.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "PlayRig.h"

namespace {

// As in the benchmark: a fresh wave every 30 frames, before shots reach the
// fleet or the ship, so every frame draws the whole fleet and all bunkers.
constexpr int kFramesPerWave = 30;
constexpr int kWavesPerRound = 20;

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    PlayRig rig;
    if (!rig.ready()) return 1;
    std::vector<double> perFrame;
    for (int round = 0; round < rounds; ++round) {
        std::chrono::steady_clock::duration spent{};
        for (int wave = 0; wave < kWavesPerRound; ++wave) {
            rig.freshWave();
            const auto start = std::chrono::steady_clock::now();
            for (int frame = 0; frame < kFramesPerWave; ++frame) rig.frame();
            spent += std::chrono::steady_clock::now() - start;
            if (rig.game().state() != Playing) {
                std::fprintf(stderr, "a timed frame was not a play frame\n");
                return 1;
            }
        }
        const double micros = std::chrono::duration<double, std::micro>(spent).count();
        perFrame.push_back(micros / (kFramesPerWave * kWavesPerRound));
        std::printf("round %.1f\n", perFrame.back());
    }
    std::sort(perFrame.begin(), perFrame.end());
    std::printf("median %.1f\n", perFrame[perFrame.size() / 2]);
    return 0;
}
