// One play frame of a full wave against the raw pixel traffic of that frame,
// and the heap allocations a play frame makes.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "AllocationCounter.h"
#include "PlayRig.h"
#include "platform/PictureSize.h"
#include "platform/sdl/software/KeyedRow.h"

namespace {

// A wave is renewed after this many frames (about half a second of play),
// before the first shots reach the fleet or the ship, so that every measured
// frame draws the whole fleet, all three bunkers and a few bullets.
constexpr int kFramesPerWave = 30;

constexpr int kBackgroundWidth = 787;
constexpr int kBackgroundLeft = 7;

PlayRig& rig() {
    static PlayRig shared;
    return shared;
}

bool playing() { return rig().game().state() == Playing; }

// `vectors`: how keyed rows are copied; the widest the processor has is what
// the game uses, SSE2 is what every x86-64 processor has.
void BM_PlayFrame(benchmark::State& state, KeyedRowVectors vectors) {
    if (!rig().ready()) {
        state.SkipWithError("the game's pictures were not found");
        return;
    }
    if (!useKeyedRowVectors(vectors)) {
        state.SkipWithError("this processor cannot copy rows that way");
        return;
    }
    int sinceWave = kFramesPerWave;
    int framesOutOfPlay = 0;
    for (auto _ : state) {
        if (sinceWave == kFramesPerWave) {
            state.PauseTiming();
            rig().freshWave();
            sinceWave = 0;
            state.ResumeTiming();
        }
        rig().frame();
        ++sinceWave;
        framesOutOfPlay += playing() ? 0 : 1;
    }
    useKeyedRowVectors(KeyedRowVectors::Widest);
    if (framesOutOfPlay > 0) state.SkipWithError("a measured frame was not a play frame");
}
BENCHMARK_CAPTURE(BM_PlayFrame, widest, KeyedRowVectors::Widest)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_PlayFrame, sse2, KeyedRowVectors::Sse2)->Unit(benchmark::kMicrosecond);

// What the frame cannot do without: clear the back buffer, copy the
// background into it row by row, and write the bytes of every sprite and
// block it draws, as one copy.
void BM_PlayFrameFloor(benchmark::State& state) {
    if (!rig().ready()) {
        state.SkipWithError("the game's pictures were not found");
        return;
    }
    rig().freshWave();
    rig().frame();
    const std::size_t spriteBytes = rig().spriteBytesDrawn();
    state.counters["sprite_bytes"] = static_cast<double>(spriteBytes);

    std::vector<std::uint16_t> back(static_cast<std::size_t>(kPictureWidth) * kPictureHeight);
    std::vector<std::uint16_t> background(static_cast<std::size_t>(kBackgroundWidth) *
                                          kPictureHeight);
    std::vector<unsigned char> spriteSource(spriteBytes, 1);
    std::vector<unsigned char> spriteTarget(spriteBytes);
    const std::size_t rowBytes = kBackgroundWidth * sizeof(std::uint16_t);
    for (auto _ : state) {
        std::memset(back.data(), 0, back.size() * sizeof(std::uint16_t));
        for (int y = 0; y < kPictureHeight; ++y) {
            std::memcpy(&back[static_cast<std::size_t>(y) * kPictureWidth + kBackgroundLeft],
                        &background[static_cast<std::size_t>(y) * kBackgroundWidth], rowBytes);
        }
        std::memcpy(spriteTarget.data(), spriteSource.data(), spriteBytes);
        benchmark::DoNotOptimize(back.data());
        benchmark::DoNotOptimize(spriteTarget.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PlayFrameFloor)->Unit(benchmark::kMicrosecond);

// Allocations per play frame, beside the bullets spawned in it: a bullet is
// made with its chain link, two allocations; nothing else in a frame should
// reach the heap. The count is exact, so a frame that allocates more fails.
void BM_PlayFrameAllocations(benchmark::State& state) {
    if (!rig().ready()) {
        state.SkipWithError("the game's pictures were not found");
        return;
    }
    constexpr std::uint64_t kAllocationsPerBullet = 2;
    std::uint64_t frames = 0;
    std::uint64_t allocations = 0;
    std::uint64_t spawned = 0;
    std::uint64_t unexplained = 0;
    int sinceWave = kFramesPerWave;
    for (auto _ : state) {
        if (sinceWave == kFramesPerWave) {
            rig().freshWave();
            sinceWave = 0;
        }
        // Dead bullets go at the start of the update, new ones join after.
        const int before = rig().bulletsHeld() - rig().deadBullets();
        const std::uint64_t counted = allocationsSoFar();
        rig().frame();
        const std::uint64_t made = allocationsSoFar() - counted;
        const int bornNow = rig().bulletsHeld() - before;
        const std::uint64_t born = bornNow > 0 ? static_cast<std::uint64_t>(bornNow) : 0;
        ++sinceWave;
        ++frames;
        allocations += made;
        spawned += born;
        if (made > kAllocationsPerBullet * born) unexplained += made - kAllocationsPerBullet * born;
    }
    const double perFrame = frames ? 1.0 / static_cast<double>(frames) : 0.0;
    state.counters["allocs_per_frame"] = static_cast<double>(allocations) * perFrame;
    state.counters["spawns_per_frame"] = static_cast<double>(spawned) * perFrame;
    state.counters["other_allocs"] = static_cast<double>(unexplained);
    if (unexplained > 0) {
        // An error hides the counters: the figures go into its message.
        static std::string message;
        message = "play frames allocated " + std::to_string(unexplained) +
                  " times beyond their new bullets (" + std::to_string(allocations) +
                  " allocations, " + std::to_string(spawned) + " bullets, " +
                  std::to_string(frames) + " frames)";
        state.SkipWithError(message.c_str());
    }
}
BENCHMARK(BM_PlayFrameAllocations)->Iterations(3000);

}  // namespace
