// The sound mixer: its cost per audio buffer as a share of the time that
// buffer lasts, and the time from a cue to the first sample of its sound
// leaving the mixer, in buffers.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <random>
#include <thread>
#include <vector>

#include "AllocationCounter.h"
#include "platform/sdl/audio/Mixer.h"
#include "platform/sdl/audio/SdlSoundOutput.h"

namespace {

constexpr int kRate = SdlSoundOutput::kRate;
constexpr int kFrames = SdlSoundOutput::kBufferFrames;
constexpr int kChannels = 1;  // as the program opens its device
constexpr double kBufferSeconds = static_cast<double>(kFrames) / kRate;

// The worst case: every cue posted again before each buffer, so every kind
// has a voice starting and another fading out, and the limiter works.
// Posting and rendering must not touch the heap: the benchmark fails if they
// do.
void BM_MixBuffer(benchmark::State& state) {
    Mixer mixer(kRate);
    std::vector<float> out(static_cast<std::size_t>(kFrames) * kChannels);
    const std::uint64_t allocationsBefore = allocationsSoFar();
    for (auto _ : state) {
        for (int c = 0; c < kSoundCueCount; ++c) {
            if (static_cast<SoundCue>(c) != SoundCue::Pause) mixer.post(static_cast<SoundCue>(c));
        }
        mixer.render(out.data(), kFrames, kChannels);
        benchmark::DoNotOptimize(out.data());
    }
    if (allocationsSoFar() != allocationsBefore) {
        state.SkipWithError("the mixer allocated while posting or rendering");
    }
    // CPU time per buffer over the buffer's own duration, in per cent.
    state.counters["pct_of_buffer"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kBufferSeconds / 100.0,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_MixBuffer);

// A stand-in audio thread renders a buffer every buffer period, as SDL's
// does; the game thread posts a shot at a random moment and the time to the
// end of the render that carries the shot's first sample is taken.
void BM_CueToFirstSample(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    constexpr int kCues = 60;
    for (auto _ : state) {
        Mixer mixer(kRate);
        std::atomic<bool> stop{false};
        std::atomic<Clock::rep> postedAt{0};
        std::atomic<int> heard{0};
        std::atomic<int> silentBuffers{0};
        std::vector<double> latencies;
        latencies.reserve(kCues);
        // How late the stand-in thread woke at the most: the scheduler's share
        // of the figures, not the mixer's.
        double wokeLate = 0.0;
        std::thread audio([&] {
            std::vector<float> out(static_cast<std::size_t>(kFrames) * kChannels);
            const auto period = std::chrono::duration_cast<Clock::duration>(
                std::chrono::duration<double>(kBufferSeconds));
            auto next = Clock::now();
            while (!stop.load()) {
                std::this_thread::sleep_until(next);
                wokeLate =
                    std::max(wokeLate, std::chrono::duration<double>(Clock::now() - next).count() /
                                           kBufferSeconds);
                next += period;
                mixer.render(out.data(), kFrames, kChannels);
                const bool sound =
                    std::any_of(out.begin(), out.end(), [](float s) { return s != 0.0f; });
                silentBuffers.store(sound ? 0 : silentBuffers.load() + 1);
                const Clock::rep posted = postedAt.load();
                if (sound && posted != 0) {
                    const auto waited = Clock::now().time_since_epoch().count() - posted;
                    latencies.push_back(
                        std::chrono::duration<double>(Clock::duration(waited)).count() /
                        kBufferSeconds);
                    postedAt.store(0);
                    heard.fetch_add(1);
                }
            }
        });
        std::mt19937 random(7);
        std::uniform_int_distribution<int> offset(0, 10000);
        for (int i = 0; i < kCues; ++i) {
            std::this_thread::sleep_for(std::chrono::microseconds(offset(random)));
            postedAt.store(Clock::now().time_since_epoch().count());
            mixer.post(SoundCue::Shot);
            while (heard.load() <= i) std::this_thread::sleep_for(std::chrono::microseconds(200));
            mixer.post(SoundCue::Pause);
            while (silentBuffers.load() < 2) {
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
        }
        stop.store(true);
        audio.join();
        std::sort(latencies.begin(), latencies.end());
        state.counters["median_buffers"] = latencies[latencies.size() / 2];
        state.counters["p95_buffers"] = latencies[latencies.size() * 95 / 100];
        state.counters["max_buffers"] = latencies.back();
        state.counters["woke_late_max_buffers"] = wokeLate;
    }
}
BENCHMARK(BM_CueToFirstSample)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
