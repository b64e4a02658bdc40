#pragma once

#include <cstdint>

#include "platform/pacing/FramePacer.h"

// The counter and the sleep that frame pacing uses; tests give a simulated
// one so that pacing is checked without real time passing.
class PacingClock {
public:
    virtual ~PacingClock() = default;
    virtual std::int64_t ticksPerSecond() const = 0;
    virtual std::int64_t now() = 0;
    virtual void sleepMilliseconds(std::uint32_t milliseconds) = 0;
};

// SDL's high-resolution counter and SDL_Delay.
class SdlPacingClock final : public PacingClock {
public:
    std::int64_t ticksPerSecond() const override;
    std::int64_t now() override;
    void sleepMilliseconds(std::uint32_t milliseconds) override;
};

// DirectDraw's "wait for the vertical blank" on a presentation that may or
// may not wait for the display itself. Where presenting a frame blocks until
// the blank (vsync honoured), the wait adds nothing, so the two never cost two
// refreshes per frame. Where it does not (the software renderer, drivers that
// ignore vsync), the wait sleeps until the refresh boundary the frame belongs
// to, so the frame loop runs at the refresh rate and never keeps a core busy.
// A present that merely takes long (the software renderer scaling a frame)
// looks like one that waited; but a presentation that waits for blanks never
// lets frames through faster than the display refreshes, so once several in
// a row came quicker than that, its presents are no longer taken as waits.
// A wait with no frame presented since the last one (a flip that was
// refused) sleeps until the next boundary, as a real wait would.
class VerticalBlankPacing {
public:
    VerticalBlankPacing(PacingClock& clock, int reportedRefreshHz);

    // 0 or an implausible value means the display did not say: 60 Hz.
    // A new rate (a new window) is judged afresh.
    void setRefreshRate(int reportedRefreshHz);
    int refreshRate() const { return pacer_.refreshRate(); }

    void waitForVerticalBlank();
    // Counter values read just before and just after a frame was presented.
    void presented(std::int64_t called, std::int64_t returned);

    // True once presents have shown that they do not wait for blanks.
    bool pacingItself() const { return pacingItself_; }

private:
    // Frames quicker than three quarters of a refresh count 4 each, others
    // take 1 off: four quick ones in a row (more than a swap chain queues
    // after a stall), or quick ones among slow ones often enough, show that
    // the presentation does not wait.
    static constexpr int kQuickFrameScore = 4;
    static constexpr int kScoreToDecide = 16;

    PacingClock& clock_;
    FramePacer pacer_;
    bool presentedSinceWait_ = false;
    std::int64_t nextFrame_ = 0;
    bool pacingItself_ = false;
    bool havePreviousPresent_ = false;
    std::int64_t previousPresent_ = 0;
    int quickScore_ = 0;
};
