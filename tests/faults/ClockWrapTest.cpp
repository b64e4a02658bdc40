// The clock across its two wraps, falling in each screen in turn: the tick
// counter passing 2^32 (every 49.7 days of uptime) and game time passing the
// top of its signed range (24.8 days after the program started). Game time
// is the unsigned difference from the start tick taken as signed, so the
// first wrap does not reach the game at all; every timer compares
// differences of game time, so the second does not either. Across both,
// each screen lasts as long as ever, the fleet marches and the ship keeps
// its speed.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "base/GameClock.h"
#include "faults/ScriptedGame.h"

namespace {

using faults::Screen;

enum class Wrap { TickCounter, GameTime };

struct WrapCase {
    Wrap wrap;
    Screen during;
    // Where the wrap falls, in ms from the start of the script.
    std::int32_t at;
};

// What each frame showed, without keeping its pixels.
struct FrameNote {
    CapturedFrame frame;  // time and index only
    int shipX;
    int fleetLeft;  // leftmost pixel of the top row of invaders
};

int fleetLeft(const CapturedFrame& frame) {
    for (int x = 0; x < 520; ++x) {
        if (faults::shows(frame, x, 151, "drippy.bmp")) return x;
    }
    return -1;
}

class ClockWrap : public faults::ScriptTest<WrapCase> {
protected:
    // Runs the script from a start chosen so that the wrap falls `at` ms in.
    void play(const WrapCase& c) {
        start = c.wrap == Wrap::TickCounter
                    // The tick at the start lies `at` ms below 2^32.
                    ? static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(c.at) - startTick())
                    // Game time at the start lies `at` ms below the top.
                    : faults::after(INT32_MAX, 1 - c.at);
        HeadlessOptions options;
        options.startTime = start;
        options.keepPixels = [](const CapturedFrame&) { return false; };
        options.onFrame = [this](const CapturedFrame& frame) {
            CapturedFrame bare = frame;
            bare.pixels.reset();
            notes.push_back({bare, faults::shipX(frame), fleetLeft(frame)});
            log.note(frame);
        };
        HeadlessPlatform platform(options);
        faults::scriptGame(platform, start);
        run = runGame(platform);
    }

    std::int32_t start = 0;
    std::vector<FrameNote> notes;
    faults::ScreenLog log;
    HeadlessRun run;
};

TEST_P(ClockWrap, EveryScreenKeepsItsLengthAndPlayGoesOn) {
    const WrapCase c = GetParam();
    play(c);
    ASSERT_FALSE(run.budgetExhausted) << "a screen never ended";
    EXPECT_EQ(run.exitCode, 0);

    // The wrap fell where it was meant to.
    const std::int32_t wrapTime = faults::after(start, c.at);
    Screen atWrap = Screen::Other;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        if (faults::between(notes[i].frame.gameTime, wrapTime) <= 0) {
            atWrap = log.screens[i];
            break;
        }
    }
    EXPECT_EQ(atWrap, c.during);

    const std::vector<faults::Stretch> seen = log.stretches();
    SCOPED_TRACE(faults::describe(seen));
    ASSERT_GE(seen.size(), 6u);
    EXPECT_EQ(seen[0].screen, Screen::Intro);
    EXPECT_EQ(seen[0].frames, 188);
    EXPECT_EQ(seen[1].screen, Screen::Title);
    EXPECT_EQ(seen[2].screen, Screen::GetReady);
    EXPECT_EQ(seen[3].screen, Screen::Play);
    EXPECT_EQ(seen.back().screen, Screen::GameOver);
    EXPECT_EQ(seen.back().frames, 313);
    bool paused = false;
    for (std::size_t i = 0; i + 1 < seen.size(); ++i) {
        const faults::Stretch& s = seen[i];
        // The first get-ready, and any after a lost ship, last 3000 ms,
        // unless Escape ends the game before.
        if (s.screen == Screen::GetReady && seen[i + 1].screen != Screen::GameOver) {
            EXPECT_NEAR(s.length(), 3000, 16);
        }
        if (s.screen == Screen::Paused) {
            paused = true;
            EXPECT_NEAR(s.length(), faults::kResume - faults::kPause, 32);
        }
    }
    EXPECT_TRUE(paused);

    // While Right is held the ship moves 4 pixels a frame (250 per second),
    // neither standing still nor jumping.
    int steps = 0;
    for (std::size_t i = 1; i < notes.size(); ++i) {
        const std::int32_t t = faults::between(start, notes[i].frame.gameTime);
        if (t <= faults::kHoldRight + 32 || t > faults::kReleaseRight) continue;
        if (notes[i].shipX < 0 || notes[i - 1].shipX < 0) continue;
        EXPECT_EQ(notes[i].shipX - notes[i - 1].shipX, 4) << "at " << t << " ms";
        ++steps;
    }
    EXPECT_GT(steps, 20);

    // The fleet marches about once a second in play: it must have moved
    // after the wrap too, and never by more than a step at a time.
    int marches = 0;
    int marchesAfterWrap = 0;
    for (std::size_t i = 1; i < notes.size(); ++i) {
        if (notes[i].fleetLeft < 0 || notes[i - 1].fleetLeft < 0) continue;
        const int moved = notes[i].fleetLeft - notes[i - 1].fleetLeft;
        if (moved == 0) continue;
        EXPECT_LE(std::abs(moved), 8);
        ++marches;
        if (faults::between(wrapTime, notes[i].frame.gameTime) > 0) ++marchesAfterWrap;
    }
    EXPECT_GE(marches, 2);
    if (c.during != Screen::GameOver) {
        EXPECT_GE(marchesAfterWrap, 1);
    }
}

std::vector<WrapCase> wrapCases() {
    // Times inside each screen of the script; none puts a frame exactly on
    // the top of game time.
    const std::pair<Screen, std::int32_t> places[] = {
        {Screen::Intro, 1500}, {Screen::Title, 3250},  {Screen::GetReady, 5000},
        {Screen::Play, 7250},  {Screen::Paused, 8500}, {Screen::GameOver, 12500},
    };
    std::vector<WrapCase> cases;
    for (Wrap wrap : {Wrap::TickCounter, Wrap::GameTime}) {
        for (const auto& place : places) cases.push_back({wrap, place.first, place.second});
    }
    return cases;
}

std::string caseName(const ::testing::TestParamInfo<WrapCase>& info) {
    return std::string(info.param.wrap == Wrap::TickCounter ? "TickCounter" : "GameTime") +
           "WrapsIn" + faults::nameOf(info.param.during);
}

INSTANTIATE_TEST_SUITE_P(EachScreen, ClockWrap, ::testing::ValuesIn(wrapCases()), caseName);

}  // namespace
