// One whole game on the headless platform, from the intro to the end of the
// game-over screen: the run that memcheck watches. The soak bot plays it
// without keeping clear of shots, so that the game sees invaders shot,
// bunkers worn, a pause, ships lost and replaced and the game lost. Frames
// are 33 ms apart, half as many as at 60 Hz for the same play. Should the
// game still go on at frame LAST (default 5000), Escape ends it, to keep the
// run short under memcheck.
//
//   zorbanix_one_game PICTURE-FOLDER [LAST]
//
// Exits with the game's exit code; 3 when the game did not end the way a
// game ends, or left platform objects behind.
#include <SDL.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "app/EntryPoint.h"
#include "devices/DirectInputApi.h"
#include "platform/headless/HeadlessPlatform.h"
#include "soak/SoakBot.h"

int main(int argc, char** argv) {
    if (argc < 2 || chdir(argv[1]) != 0) {
        std::fprintf(stderr, "usage: %s PICTURE-FOLDER [LAST]\n", argv[0]);
        return 2;
    }
    const long lastFrame = argc > 2 ? std::atol(argv[2]) : 5000;
    ScreenReader reader(PixelLayout::Rgb565);
    if (!reader.ok()) {
        std::fprintf(stderr, "the game's pictures are not in %s\n", argv[1]);
        return 2;
    }
    SoakBot bot(reader, 1);
    bot.keepClearOfShots(false);
    int exitCode = 0;
    bool ended = false;
    int leftBehind = 0;
    std::size_t frames = 0;
    {
        HeadlessOptions options;
        options.keepPixels = [](const CapturedFrame&) { return false; };
        options.frameTime = 33;
        HeadlessPlatform* running = nullptr;
        options.onFrame = [&](const CapturedFrame& frame) {
            bot.onFrame(frame);
            // After the bot, which starts each frame from no key down.
            if (frame.index >= lastFrame) running->devices().forceDown(DIK_ESCAPE);
        };
        HeadlessPlatform platform(options);
        running = &platform;
        bot.play(&platform);
        exitCode = programMain(nullptr, 1);
        frames = platform.frames().size();
        // The last frames are the game-over screen, which ends the program.
        ended = !platform.budgetExhausted() && frames > 0;
        leftBehind = platform.devices().liveObjects() + platform.display().liveObjects();
    }
    // What SDL keeps for the calling thread (its error text), so that all
    // the heap that is left at exit would be the game's.
    SDL_Quit();
    const SoakTally& tally = bot.tally();
    std::printf("frames %zu waves %ld ships_lost %ld pauses %ld exit %d left_behind %d\n", frames,
                tally.waves, tally.shipsLost, tally.pauses, exitCode, leftBehind);
    if (!ended || leftBehind != 0) return 3;
    return exitCode;
}
