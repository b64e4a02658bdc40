#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/replay/ReplayFormat.h"

// The one place the seams' decorators (ReplaySeams.h) put what the game read
// and, on playback, take it back from. Idle it passes every read on as it is,
// so a game that is neither recorded nor replayed runs exactly as without it.
//
// Recording keeps each tick count less the start tick, so a replay plays in
// a later run whose clock started elsewhere. Playing answers each read with
// the next recorded event; at the first event that does not fit, or frame
// whose hash differs, or when the player presses Escape, it stops and the
// run is unwound: ticks leap far ahead (every screen's wait ends), Escape is
// held and WM_QUIT is retrieved. Leading in does the same without WM_QUIT:
// the run's first game ends on its title and asks for the next, where a
// replay that starts at a get-ready is then played.
class ReplayTape {
public:
    enum class Mode { Idle, Recording, Playing, LeadingIn, Unwinding };

    explicit ReplayTape(std::uint32_t startTick) : startTick_(startTick) {}

    Mode mode() const { return mode_; }
    // `fromRunStart`: the recording holds the intro and the title too.
    void startRecording(bool fromRunStart = false);
    // Ends a recording and gives the whole file.
    std::vector<std::uint8_t> finishRecording(const ReplayHeader& header);
    // Plays the events of a loaded replay; a fingerprint other than
    // `expectedFingerprint` is refused with the line a player is shown.
    // Without `endsRun`, a replay stopped early ends its game only: the
    // unwinding retrieves no WM_QUIT, so the run asks for another game.
    bool startPlaying(ReplayData replay, std::uint64_t expectedFingerprint, bool endsRun = true);
    // Ends the run's first game at once, to play a replay after it.
    void leadIn();
    // Stops whatever it does and goes back to passing reads on.
    void stop();

    // The events recorded since the get-ready of the game being recorded,
    // as a game started by the run's hook (no intro, no title) reads them.
    const std::vector<std::uint8_t>& gameEvents() const;

    // Set once playing stopped at a mismatch: the line a player is shown.
    const std::string& mismatch() const { return mismatch_; }
    // Game time since the replay's first tick, in ms.
    std::int32_t replayTime() const;
    // The player stopped the replay (Escape).
    bool stoppedByPlayer() const { return stoppedByPlayer_; }
    // Replayed to the end of its events without a mismatch.
    bool playedToEnd() const {
        return playedToEnd_ || (mode_ == Mode::Playing && reader_ && reader_->atEnd());
    }

    // What the decorators call: each takes what the real platform answered
    // and gives what the game is to see.
    std::uint32_t tick(std::uint32_t real);
    std::int32_t state(int device, std::int32_t real, void* data, std::size_t size);
    std::int32_t result(int device, ReplayCall call, std::int32_t real);
    // The message PeekMessageA hands the game; false for none.
    bool message(bool realFound, std::uint32_t& message, std::uintptr_t& wParam,
                 std::intptr_t& lParam);
    // A frame was shown: its 16-bit pixels, hashed only where a check falls.
    void frameShown(const void* pixels, std::size_t bytes);

    // Game time between frame checks.
    static constexpr std::int32_t kCheckEvery = 1000;

private:
    bool nextEvent(ReplayEventKind kind, ReplayEvent& event);
    void failAt(const std::string& line);
    void unwind();

    std::uint32_t startTick_;
    Mode mode_ = Mode::Idle;
    std::unique_ptr<ReplayEventWriter> writer_;
    // For a recording from the run's start: the events since the last frame
    // shown before the run loop's first message, made afresh at each frame
    // until then (the intro's and the title's frames), so that it holds the
    // first game from its get-ready on.
    std::unique_ptr<ReplayEventWriter> gameWriter_;
    bool inGame_ = false;
    // The tick counts a game reads as it is made (its ship's and its fleet's
    // clocks), the first of the run's reads.
    static constexpr std::size_t kGameMakingTicks = 3;
    std::vector<std::uint32_t> madeTicks_;
    bool readOtherThanTicks_ = false;
    bool endsRun_ = true;
    bool firstTickSeen_ = false;
    std::uint32_t firstTick_ = 0;
    std::uint32_t lastTick_ = 0;
    std::uint32_t lastCheck_ = 0;
    bool checked_ = false;
    ReplayData replay_;
    std::unique_ptr<ReplayEventReader> reader_;
    std::string mismatch_;
    bool playedToEnd_ = false;
    bool stoppedByPlayer_ = false;
};

// The hash kept of a shown frame.
std::uint32_t replayFrameHash(const void* pixels, std::size_t bytes);
