#include "soak/SoakBot.h"

#include <algorithm>
#include <cstdlib>

#include "devices/DirectInputApi.h"

namespace {

// Where the ship's centre can go, less a little.
constexpr int kShipLeftmost = 76;
constexpr int kShipRightmost = 466;
// Close enough under the target to fire.
constexpr int kAim = 2;
// Too near a wall to get out of a shot's way on that side.
constexpr int kWallRoom = 24;
// A shot closer across than this would hit the ship (half the ship, half a
// shot and a little more).
constexpr int kDodge = 17;
constexpr int kFarAway = 1 << 20;

// The pause key is only taken more than 500 ms after the last toggle.
constexpr std::int32_t kPauseTapSpacing = 600;

// How often the bot thinks of doing something else than hunting, and for how
// long it does it.
constexpr std::int32_t kChoiceSpacing = 1000;
constexpr int kPauseOdds = 40;  // one chance in this many at each choice
constexpr int kHoldOdds = 60;
constexpr std::int32_t kShortestPause = 700, kLongestPause = 3000;
constexpr std::int32_t kShortestHold = 3000, kLongestHold = 12000;

// Game time from `from` to `to`, and `ms` after `t`, across the clock's wrap.
std::int32_t elapsed(std::int32_t from, std::int32_t to) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(to) -
                                     static_cast<std::uint32_t>(from));
}
std::int32_t after(std::int32_t t, std::int32_t ms) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(t) +
                                     static_cast<std::uint32_t>(ms));
}

}  // namespace

SoakBot::SoakBot(const ScreenReader& reader, std::uint32_t choices)
    : reader_(reader), random_(choices) {}

void SoakBot::play(HeadlessPlatform* platform) {
    platform_ = platform;
    mode_ = Mode::Hunt;
    wasFresh_ = false;
    wasGetReady_ = false;
    seenPaused_ = false;
    shipX_ = 0;
    // The clocks start again from the game's first frame.
    clocksSet_ = false;
}

void SoakBot::press(int key) {
    // Down for the next poll only: the clock moves on at the next flip.
    platform_->press(key, now_, after(now_, 1));
}

void SoakBot::onFrame(const CapturedFrame& frame) {
    if (!platform_) return;
    ++tally_.frames;
    now_ = frame.gameTime;
    if (!clocksSet_) {
        nextChoice_ = after(now_, kChoiceSpacing);
        lastPauseTap_ = after(now_, -kPauseTapSpacing);
        clocksSet_ = true;
    }
    // Only this frame's keys: the script would otherwise grow with every
    // frame, and so would the log, which nobody reads here.
    platform_->devices().clearKeys();
    platform_->log().clear();

    const ScreenReader::Sight sight = reader_.look(frame, shipX_);
    if (sight.shipSeen) shipX_ = sight.shipX;
    // The fleet stands in its opening formation only while a wave gets
    // ready; a lost ship's get-ready pause finds it elsewhere.
    if (sight.freshFleet && !wasFresh_) {
        ++tally_.waves;
        if (onWaveStart) onWaveStart(tally_);
    } else if (sight.getReady && !wasGetReady_ && !sight.freshFleet) {
        ++tally_.shipsLost;
    }
    wasFresh_ = sight.freshFleet;
    wasGetReady_ = sight.getReady;

    if (stopAfter_ > 0 && tally_.waves >= stopAfter_) {
        press(DIK_ESCAPE);
        return;
    }
    switch (mode_) {
        case Mode::Pause:
            pause(sight);
            break;
        case Mode::Hold:
            if (elapsed(modeUntil_, now_) >= 0) mode_ = Mode::Hunt;
            break;
        case Mode::Hunt:
            hunt(sight);
            chooseMode(sight);
            break;
    }
}

void SoakBot::hunt(const ScreenReader::Sight& sight) {
    // Space also leaves the title screen.
    press(DIK_SPACE);
    if (!sight.shipSeen) return;
    const bool shotNear = dodge_ && sight.shotSeen;
    const int shotDistance = shotNear ? std::abs(sight.shotX - shipX_) : kFarAway;
    if (shotDistance < kDodge) {
        // Out of its way, unless a wall is in the way there.
        bool right = sight.shotX <= shipX_;
        if (right && shipX_ > kShipRightmost - kWallRoom) right = false;
        if (!right && shipX_ < kShipLeftmost + kWallRoom) right = true;
        press(right ? DIK_RIGHT : DIK_LEFT);
        return;
    }
    if (!sight.targetSeen) return;
    const int goal = std::clamp(sight.targetX, kShipLeftmost, kShipRightmost);
    int step = 0;
    if (shipX_ < goal - kAim) step = 1;
    if (shipX_ > goal + kAim) step = -1;
    // Not towards a shot that is still falling nearby.
    if (shotNear && step != 0 && (sight.shotX - shipX_) * step > 0) step = 0;
    if (step > 0) press(DIK_RIGHT);
    if (step < 0) press(DIK_LEFT);
}

void SoakBot::pause(const ScreenReader::Sight& sight) {
    if (sight.paused) seenPaused_ = true;
    const bool over = elapsed(modeUntil_, now_) >= 0;
    if (seenPaused_ && !sight.paused) {
        // Resumed.
        mode_ = Mode::Hunt;
        return;
    }
    const bool wantToggle = (!seenPaused_) || (over && sight.paused);
    if (wantToggle && elapsed(lastPauseTap_, now_) >= kPauseTapSpacing) {
        press(DIK_P);
        lastPauseTap_ = now_;
    }
}

void SoakBot::chooseMode(const ScreenReader::Sight& sight) {
    // Only in play: the ship is on the screen and no sign is up.
    if (!sight.shipSeen || sight.getReady || sight.paused) return;
    if (elapsed(nextChoice_, now_) < 0) return;
    nextChoice_ = after(now_, kChoiceSpacing);
    if (std::uniform_int_distribution<int>(1, kPauseOdds)(random_) == 1) {
        mode_ = Mode::Pause;
        seenPaused_ = false;
        modeUntil_ = after(now_, std::uniform_int_distribution<std::int32_t>(
                                     kShortestPause, kLongestPause)(random_));
        ++tally_.pauses;
    } else if (std::uniform_int_distribution<int>(1, kHoldOdds)(random_) == 1) {
        mode_ = Mode::Hold;
        modeUntil_ = after(now_, std::uniform_int_distribution<std::int32_t>(
                                     kShortestHold, kLongestHold)(random_));
        ++tally_.holds;
    }
}
