// Plays one scripted game on the headless platform and saves the screens a
// player sees along the way as PNG files: the intro, the title, the pause
// before the first wave, play, the paused game and the game-over screen.
//
//     zorbanix_screenshots <picture folder> <output folder>
//
// The game reads its pictures from the working directory, so the tool moves
// into the picture folder first.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "devices/DirectInputApi.h"
#include "platform/headless/HeadlessPlatform.h"
#include "png/PngFile.h"

namespace {

struct Shot {
    const char* name;
    // The first frame shown from this game time on that `wanted` accepts is
    // saved; failing that, the first frame from `until` on.
    std::int32_t at;
    std::int32_t until;
    bool (*wanted)(const CapturedFrame&);
    bool taken = false;
};

bool anyFrame(const CapturedFrame&) { return true; }

// COLORREF packing, red in the low byte, from the usual 0xRRGGBB.
constexpr std::uint32_t colourRef(std::uint32_t rrggbb) {
    return ((rrggbb & 0xFF) << 16) | (rrggbb & 0xFF00) | ((rrggbb >> 16) & 0xFF);
}

// Whether some pixel between the fleet and the ground has one of the colours.
bool showsAny(const CapturedFrame& frame, std::initializer_list<std::uint32_t> colours) {
    for (int y = 330; y < 546; ++y) {
        for (int x = 32; x <= 509; ++x) {
            const std::uint16_t raw = frame.raw(x, y);
            for (std::uint32_t colour : colours) {
                if (raw == frame.rawOf(colourRef(colour))) return true;
            }
        }
    }
    return false;
}

// Play is worth a picture when shots of both sides are in the air: the
// white core of the player's shot and the light tone of an invader's.
bool shotsInFlight(const CapturedFrame& frame) {
    return showsAny(frame, {0xFFFFFF}) && showsAny(frame, {0xF4C47C, 0xF2FF84, 0xA8E0FF});
}

// Game times in milliseconds. The intro lasts 3000 ms and shows its last
// line after 2000; Space leaves the title; each wave opens with a 3000 ms
// pause; P pauses; Escape ends the game and the closing screen stays 5000 ms.
constexpr std::int32_t kLeaveTitle = 4000;
constexpr std::int32_t kPlayFrom = kLeaveTitle + 3100;
constexpr std::int32_t kPauseAt = kPlayFrom + 9000;
constexpr std::int32_t kQuitAt = kPauseAt + 1500;

void script(HeadlessPlatform& platform) {
    platform.press(DIK_SPACE, kLeaveTitle, kLeaveTitle + 100);
    // Fire every 450 ms and weave along the row.
    for (std::int32_t t = kPlayFrom; t < kPauseAt - 300; t += 450) {
        platform.press(DIK_SPACE, t, t + 40);
    }
    platform.press(DIK_RIGHT, kPlayFrom + 300, kPlayFrom + 900);
    platform.press(DIK_LEFT, kPlayFrom + 3000, kPlayFrom + 4200);
    // Back into the gap left of the middle bunker, so the last shots fly.
    platform.press(DIK_RIGHT, kPlayFrom + 6000, kPlayFrom + 6600);
    platform.press(DIK_P, kPauseAt, kPauseAt + 100);
    platform.press(DIK_ESCAPE, kQuitAt, kQuitAt + 100);
}

std::vector<std::uint8_t> rgbBytes(const CapturedFrame& frame) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(CapturedFrame::kWidth * CapturedFrame::kHeight * 3);
    for (int y = 0; y < CapturedFrame::kHeight; ++y) {
        for (int x = 0; x < CapturedFrame::kWidth; ++x) {
            const std::uint32_t rgb = frame.rgb(x, y);  // red in the low byte
            bytes.push_back(static_cast<std::uint8_t>(rgb & 0xFF));
            bytes.push_back(static_cast<std::uint8_t>((rgb >> 8) & 0xFF));
            bytes.push_back(static_cast<std::uint8_t>((rgb >> 16) & 0xFF));
        }
    }
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <picture folder> <output folder>\n", argv[0]);
        return 2;
    }
    const std::string output = argv[2];
    if (chdir(argv[1]) != 0) {
        std::fprintf(stderr, "screenshots: cannot enter %s\n", argv[1]);
        return 1;
    }

    std::vector<Shot> shots = {
        {"intro", 2600, 2600, anyFrame},
        {"title", 3600, 3600, anyFrame},
        {"getready", kLeaveTitle + 1500, kLeaveTitle + 1500, anyFrame},
        {"play", kPlayFrom + 6700, kPauseAt - 50, shotsInFlight},
        {"paused", kPauseAt + 700, kPauseAt + 700, anyFrame},
        {"gameover", kQuitAt + 2000, kQuitAt + 2000, anyFrame},
    };
    bool failed = false;

    HeadlessOptions options;
    options.keepPixels = [](const CapturedFrame&) { return false; };
    options.onFrame = [&](const CapturedFrame& frame) {
        for (Shot& shot : shots) {
            if (shot.taken || frame.gameTime < shot.at || !frame.hasPixels()) continue;
            if (frame.gameTime < shot.until && !shot.wanted(frame)) continue;
            shot.taken = true;
            std::string error;
            const std::string path = output + "/" + shot.name + ".png";
            if (!writePng(path, CapturedFrame::kWidth, CapturedFrame::kHeight, rgbBytes(frame),
                          &error)) {
                std::fprintf(stderr, "screenshots: %s\n", error.c_str());
                failed = true;
            }
        }
    };
    HeadlessPlatform platform(options);
    script(platform);
    const HeadlessRun run = runGame(platform);

    for (const Shot& shot : shots) {
        if (!shot.taken) {
            std::fprintf(stderr, "screenshots: the game ended before the %s screen\n", shot.name);
            failed = true;
        }
    }
    if (run.budgetExhausted) {
        std::fprintf(stderr, "screenshots: the game did not end when the script said\n");
        failed = true;
    }
    return failed ? 1 : 0;
}
