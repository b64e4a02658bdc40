// Plays game after game on the headless platform with the soak bot until a
// number of waves has begun, and checks the whole run: every game ends on its
// own with exit code 0, gives back every platform object and all of its heap,
// and the memory in use when a wave begins does not grow from wave 10 to the
// end. Built with the sanitizers, any report of theirs also fails the run.
//
//   zorbanix_soak [--waves N] [--pictures DIR] [--choices N] [--frame-time MS]
//                 [--layout 565|555] [--snapshots DIR EVERY]
//
// --snapshots writes every EVERY-th frame as a .bmp file into DIR, to see
// what the bot saw when a run goes wrong.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/EntryPoint.h"
#include "devices/DirectInputApi.h"
#include "platform/headless/HeadlessPlatform.h"
#include "soak/HeapUsage.h"
#include "soak/SoakBot.h"

namespace {

// Milliseconds between the start times of one game and the next.
constexpr std::int32_t kStartSpacing = 7919;

struct Options {
    long waves = 500;
    std::string pictures = ".";
    std::uint32_t choices = 1;
    std::int32_t frameTime = 16;
    PixelLayout layout = PixelLayout::Rgb565;
    std::string snapshots;
    long snapshotEvery = 0;
};

bool parse(int argc, char** argv, Options* options) {
    int i = 1;
    while (i < argc) {
        const std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (!value) return false;
        i += 2;
        if (arg == "--waves") {
            options->waves = std::atol(value);
        } else if (arg == "--pictures") {
            options->pictures = value;
        } else if (arg == "--choices") {
            options->choices = static_cast<std::uint32_t>(std::strtoul(value, nullptr, 10));
        } else if (arg == "--frame-time") {
            options->frameTime = std::atoi(value);
        } else if (arg == "--layout") {
            options->layout =
                std::string(value) == "555" ? PixelLayout::Rgb555 : PixelLayout::Rgb565;
        } else if (arg == "--snapshots" && i < argc) {
            options->snapshots = value;
            options->snapshotEvery = std::atol(argv[i++]);
        } else {
            return false;
        }
    }
    return options->waves > 0 && options->frameTime > 0;
}

// One reading of memory when a wave begins. The harness keeps a record of
// every frame shown, which grows with the length of a game; it is not the
// game's memory and is left out.
struct Sample {
    long wave;
    long game;
    std::size_t heap;
    std::size_t resident;
};

std::size_t harnessRecords(HeadlessPlatform& platform) {
    return platform.frames().capacity() * sizeof(CapturedFrame) +
           platform.log().records().capacity() * sizeof(HeadlessRecord);
}

// The smallest reading over `count` waves from `first`: a wave may begin
// with a few bullets still in flight, which a window of waves smooths out.
std::size_t lowest(const std::vector<Sample>& samples, std::size_t first, std::size_t count) {
    std::size_t least = SIZE_MAX;
    for (std::size_t i = first; i < first + count && i < samples.size(); ++i) {
        least = std::min(least, samples[i].heap);
    }
    return least;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, &options)) {
        std::fprintf(stderr,
                     "usage: %s [--waves N] [--pictures DIR] [--choices N] [--frame-time MS] "
                     "[--layout 565|555]\n",
                     argv[0]);
        return 2;
    }
    if (chdir(options.pictures.c_str()) != 0) {
        std::fprintf(stderr, "cannot enter %s\n", options.pictures.c_str());
        return 2;
    }
    ScreenReader reader(options.layout);
    if (!reader.ok()) {
        std::fprintf(stderr, "the game's pictures are not in %s\n", options.pictures.c_str());
        return 2;
    }

    std::vector<Sample> samples;
    samples.reserve(static_cast<std::size_t>(options.waves) + 1);
    std::vector<std::string> failures;
    failures.reserve(64);
    HeadlessPlatform* current = nullptr;
    long games = 0;

    SoakBot bot(reader, options.choices);
    bot.stopAfter(options.waves);
    bot.onWaveStart = [&](const SoakTally& tally) {
        if (!current || samples.size() == samples.capacity()) return;
        samples.push_back(
            {tally.waves, games + 1, heapBytesInUse() - harnessRecords(*current), residentBytes()});
    };

    std::size_t heapAfterFirstGame = 0;
    std::size_t mostHeapBetweenGames = 0;
    while (bot.tally().waves < options.waves) {
        const long wavesBefore = bot.tally().waves;
        {
            HeadlessOptions headless;
            headless.layout = options.layout;
            headless.frameTime = options.frameTime;
            // The bot reads each frame as it is shown; none is kept.
            headless.keepPixels = [](const CapturedFrame&) { return false; };
            headless.onFrame = [&bot, &options](const CapturedFrame& frame) {
                bot.onFrame(frame);
                if (options.snapshotEvery > 0 && bot.tally().frames % options.snapshotEvery == 0) {
                    const std::string path =
                        options.snapshots + "/frame-" + std::to_string(bot.tally().frames) + ".bmp";
                    frame.saveBmp(path.c_str());
                }
            };
            headless.frameBudget = 1 << 30;
            // Each game from another moment, so that the fleet's shots,
            // drawn from a generator started from the tick count, differ.
            headless.startTime = static_cast<std::int32_t>(games % 1000) * kStartSpacing;
            HeadlessPlatform platform(headless);
            // The bot scripts at most three keys a frame; with room for four
            // from the start, the script's own storage stays the same size
            // all game and does not look like the game's memory growing.
            for (int i = 0; i < 4; ++i) platform.press(DIK_P, INT32_MIN, INT32_MIN);
            platform.devices().clearKeys();
            current = &platform;
            bot.play(&platform);
            const int exitCode = programMain(nullptr, 1);
            bot.play(nullptr);
            current = nullptr;
            ++games;

            char note[160];
            if (exitCode != 0) {
                std::snprintf(note, sizeof note, "game %ld: exit code %d", games, exitCode);
                failures.emplace_back(note);
            }
            if (platform.devices().liveObjects() != 0 || platform.display().liveObjects() != 0) {
                std::snprintf(note, sizeof note,
                              "game %ld: %d device and %d display objects left behind", games,
                              platform.devices().liveObjects(), platform.display().liveObjects());
                failures.emplace_back(note);
            }
        }
        const std::size_t heap = heapBytesInUse();
        if (games == 1) heapAfterFirstGame = heap;
        mostHeapBetweenGames = std::max(mostHeapBetweenGames, heap);
        const SoakTally& tally = bot.tally();
        std::fprintf(stderr, "game %ld: waves %ld, ships lost %ld, frames %ld, heap %zu\n", games,
                     tally.waves, tally.shipsLost, tally.frames, heap);
        if (tally.waves == wavesBefore) {
            failures.emplace_back("a game passed without a wave: the bot cannot see the fleet");
            break;
        }
    }

    // A growth the measure cannot tell from its own noise is only noted.
    auto report = [&failures](bool fails, const char* what) {
        if (fails) {
            failures.emplace_back(what);
        } else {
            std::printf("note (inexact measure): %s\n", what);
        }
    };
    const SoakTally& tally = bot.tally();
    std::printf("measure: %s\n", heapMeasure());
    std::printf("games %ld waves %ld ships_lost %ld pauses %ld holds %ld frames %ld\n", games,
                tally.waves, tally.shipsLost, tally.pauses, tally.holds, tally.frames);
    std::printf("heap_between_games first %zu most %zu\n", heapAfterFirstGame,
                mostHeapBetweenGames);
    const bool exact = heapMeasureIsExact();
    if (mostHeapBetweenGames > heapAfterFirstGame) {
        report(exact, "the heap left after a game grew from one game to the next");
    }

    // Wave 10 against the end, each as the least over a window of waves.
    constexpr std::size_t kTenth = 9;
    if (samples.size() > kTenth + 1) {
        const std::size_t window = std::min<std::size_t>(10, (samples.size() - kTenth) / 2);
        const std::size_t atTen = lowest(samples, kTenth, window);
        const std::size_t atEnd = lowest(samples, samples.size() - window, window);
        std::printf("wave_10 heap %zu resident %zu\n", samples[kTenth].heap,
                    samples[kTenth].resident);
        std::printf("last_wave %ld heap %zu resident %zu\n", samples.back().wave,
                    samples.back().heap, samples.back().resident);
        std::printf("least_over_%zu_waves from_wave_10 %zu at_end %zu\n", window, atTen, atEnd);
        if (atEnd > atTen) report(exact, "memory at the end is above memory at wave 10");
    } else {
        failures.emplace_back("too few waves to compare memory at wave 10 with the end");
    }

    for (const std::string& failure : failures) std::printf("FAILED: %s\n", failure.c_str());
    std::printf("%s\n", failures.empty() ? "soak passed" : "soak failed");
    return failures.empty() ? 0 : 1;
}
