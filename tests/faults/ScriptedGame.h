#pragma once

// One game with a fixed script on the headless platform and the stand-in
// pictures (each a solid colour), and what a run showed, screen by screen.
// The fault tests run it with something going wrong at a chosen moment and
// check that the game still goes through its screens as it should.
//
// Script, in game time from the start of the run (16 ms frames):
//   0     intro, 3000 ms
//   3008  title, until Space at 3500
//   3520  get-ready, 3000 ms
//   6520  play; Right held from 7000 to 7500, Space at 7600
//   8000  P: paused until P again at 9000
//   10000 Escape: game-over screen, 5000 ms
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "devices/DirectInputApi.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/TestPictures.h"

namespace faults {

constexpr std::int32_t kLeaveTitle = 3500;
constexpr std::int32_t kHoldRight = 7000, kReleaseRight = 7500;
constexpr std::int32_t kFire = 7600;
constexpr std::int32_t kPause = 8000, kResume = 9000;
constexpr std::int32_t kEscape = 10000;

enum class Screen { Other, Intro, Title, GetReady, Play, Paused, GameOver };

// Game time `ms` after `t`, wrapping as game time does.
inline std::int32_t after(std::int32_t t, std::int32_t ms) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(t) +
                                     static_cast<std::uint32_t>(ms));
}

// Game time from `from` to `to`, across a wrap.
inline std::int32_t between(std::int32_t from, std::int32_t to) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(to) -
                                     static_cast<std::uint32_t>(from));
}

// Holds a key for `length` ms from `from`; the harness takes intervals of
// plain signed game time, so one that runs over the top is given in two.
inline void hold(HeadlessPlatform& platform, int key, std::int32_t from, std::int32_t length) {
    const std::int32_t to = after(from, length);
    if (to > from) {
        platform.press(key, from, to);
    } else {
        platform.press(key, from, INT32_MAX);
        platform.press(key, INT32_MIN, to);
    }
}

// The script above, with every time counted from `start`.
inline void scriptGame(HeadlessPlatform& platform, std::int32_t start) {
    hold(platform, DIK_SPACE, after(start, kLeaveTitle), 100);
    hold(platform, DIK_RIGHT, after(start, kHoldRight), kReleaseRight - kHoldRight);
    hold(platform, DIK_SPACE, after(start, kFire), 16);
    hold(platform, DIK_P, after(start, kPause), 16);
    hold(platform, DIK_P, after(start, kResume), 16);
    hold(platform, DIK_ESCAPE, after(start, kEscape), 30000);
}

inline bool shows(const CapturedFrame& frame, int x, int y, const char* picture) {
    return frame.raw(x, y) == frame.rawOf(testPictureColour(picture));
}

// Which screen a frame shows, by the pictures at places only that screen
// draws them.
inline Screen screenOf(const CapturedFrame& frame) {
    if (!frame.hasPixels()) return Screen::Other;
    if (shows(frame, 40, 40, "gameover.bmp")) return Screen::GameOver;
    if (shows(frame, 200, 150, "bird.bmp")) return Screen::Intro;
    if (shows(frame, 100, 190, "title.bmp")) return Screen::Title;
    if (shows(frame, 150, 320, "getready.bmp")) return Screen::GetReady;
    if (shows(frame, 200, 295, "paused.bmp")) return Screen::Paused;
    if (shows(frame, 20, 590, "background.bmp")) return Screen::Play;
    return Screen::Other;
}

// A run of consecutive frames on one screen.
struct Stretch {
    Screen screen;
    int frames;
    std::int32_t from;  // game time of its first frame
    std::int32_t to;    // and of its last
    std::int32_t length() const { return between(from, to); }
};

inline const char* nameOf(Screen screen) {
    static const char* const names[] = {"Other", "Intro",  "Title",   "GetReady",
                                        "Play",  "Paused", "GameOver"};
    return names[static_cast<int>(screen)];
}

// "Intro 188 frames 2992 ms, Title ..." for failure messages.
inline std::string describe(const std::vector<Stretch>& stretches) {
    std::string text;
    for (const Stretch& s : stretches) {
        text += std::string(text.empty() ? "" : ", ") + nameOf(s.screen) + " " +
                std::to_string(s.frames) + " frames " + std::to_string(s.length()) + " ms";
    }
    return text;
}

// Each frame's screen and time, noted as it is shown; pixels are not kept.
struct ScreenLog {
    std::vector<Screen> screens;
    std::vector<std::int32_t> times;

    void note(const CapturedFrame& frame) {
        screens.push_back(screenOf(frame));
        times.push_back(frame.gameTime);
    }
    std::vector<Stretch> stretches() const {
        std::vector<Stretch> out;
        for (std::size_t i = 0; i < screens.size(); ++i) {
            if (out.empty() || out.back().screen != screens[i]) {
                out.push_back({screens[i], 0, times[i], times[i]});
            }
            ++out.back().frames;
            out.back().to = times[i];
        }
        return out;
    }
};

// What one run of the script showed, screen by screen.
struct LoggedRun {
    HeadlessRun run;
    ScreenLog log;
    // How often the program looked for a window message.
    std::size_t messagePeeks = 0;
    // When each message sent to the window reached its procedure.
    std::vector<std::int32_t> sentDelivered;
};

// Plays the script from game time 0 with what `addToScript` puts on the
// platform besides; pixels are not kept.
template <typename AddToScript>
LoggedRun playScript(AddToScript addToScript) {
    LoggedRun played;
    HeadlessOptions options;
    options.keepPixels = [](const CapturedFrame&) { return false; };
    options.onFrame = [&played](const CapturedFrame& frame) { played.log.note(frame); };
    HeadlessPlatform platform(options);
    scriptGame(platform, 0);
    addToScript(platform);
    played.run = runGame(platform);
    played.messagePeeks = platform.log().count(HeadlessEvent::PeekMessage);
    for (const HeadlessRecord& record : platform.log().records()) {
        if (record.event == HeadlessEvent::SentMessage) {
            played.sentDelivered.push_back(record.gameTime);
        }
    }
    return played;
}

// The script with `message` posted for the window, to be taken once game
// time reaches `at`.
inline LoggedRun playScriptWithMessage(std::uint32_t message, std::uintptr_t wParam,
                                       std::int32_t at) {
    return playScript(
        [=](HeadlessPlatform& platform) { platform.postMessage(message, wParam, at); });
}

// A fault test over parameters, run in a fresh folder of the stand-in
// pictures.
template <typename Param>
class ScriptTest : public ::testing::TestWithParam<Param> {
protected:
    void SetUp() override { ASSERT_TRUE(pictures.ok()); }
    ScopedTestPictures pictures;
};

// The ship's centre from its picture on the ship's row; -1 when not shown.
inline int shipX(const CapturedFrame& frame) {
    for (int x = 0; x < CapturedFrame::kWidth; ++x) {
        if (shows(frame, x, 558, "nanite.bmp")) return x + 11;
    }
    return -1;
}

}  // namespace faults
