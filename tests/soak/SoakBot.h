#pragma once

#include <cstdint>
#include <functional>
#include <random>

#include "platform/headless/HeadlessPlatform.h"
#include "soak/ScreenReader.h"

// What the bot has done so far, over every game it played.
struct SoakTally {
    long waves = 0;      // waves begun
    long shipsLost = 0;  // get-ready pauses that followed a lost ship
    long pauses = 0;     // times it paused the game
    long holds = 0;      // times it stopped firing to let the fleet come down
    long frames = 0;
};

// A player for long unattended runs on the headless platform. At every frame
// it looks at the screen and holds keys for the next poll: it moves under the
// lowest invader it can reach and fires, and steps out of the way of a shot
// about to hit it (unless told not to); now and then it pauses for a while,
// or stops firing and lets the fleet come down, and it loses ships that way.
// Its random choices all follow from the number it is given, so a run can be
// repeated.
class SoakBot {
public:
    SoakBot(const ScreenReader& reader, std::uint32_t choices);

    // The game the bot plays from now on; the tally carries over.
    void play(HeadlessPlatform* platform);
    // Called with every frame shown (HeadlessOptions::onFrame).
    void onFrame(const CapturedFrame& frame);

    // Once this many waves have begun the bot holds Escape, which ends the
    // game; 0 plays on until the game is lost.
    void stopAfter(long waves) { stopAfter_ = waves; }
    // A bot that does not keep out of the way of shots loses its ships soon.
    void keepClearOfShots(bool keep) { dodge_ = keep; }
    // Called at the first frame of every wave with the tally so far.
    std::function<void(const SoakTally&)> onWaveStart;

    const SoakTally& tally() const { return tally_; }

private:
    enum class Mode { Hunt, Hold, Pause };

    void press(int key);
    void hunt(const ScreenReader::Sight& sight);
    void pause(const ScreenReader::Sight& sight);
    void chooseMode(const ScreenReader::Sight& sight);

    const ScreenReader& reader_;
    std::mt19937 random_;
    HeadlessPlatform* platform_ = nullptr;
    SoakTally tally_;
    long stopAfter_ = 0;
    bool dodge_ = true;

    std::int32_t now_ = 0;
    Mode mode_ = Mode::Hunt;
    std::int32_t modeUntil_ = 0;
    std::int32_t nextChoice_ = 0;
    std::int32_t lastPauseTap_ = 0;
    bool clocksSet_ = false;
    bool seenPaused_ = false;
    bool wasFresh_ = false;
    bool wasGetReady_ = false;
    int shipX_ = 0;
};
