#pragma once

#include <cstdint>

#include "platform/win32/FramePacer.h"

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
PacingClock& sdlPacingClock();

// DirectDraw's "wait for the vertical blank" on a presentation that may or
// may not wait for the display itself. Where presenting a frame blocks until
// the blank (vsync honoured), the wait adds nothing, so the two never cost two
// refreshes per frame. Where it returns at once (Xvfb, the software renderer,
// drivers that ignore vsync), the wait sleeps until the refresh boundary the
// frame belongs to, so the frame loop runs at the refresh rate and never
// keeps a core busy. A wait with no frame presented since the last one (a
// flip that was refused) sleeps until the next boundary, as a real wait would.
class VerticalBlankPacing {
public:
    VerticalBlankPacing(PacingClock& clock, int reportedRefreshHz);

    // 0 or an implausible value means the display did not say: 60 Hz.
    void setRefreshRate(int reportedRefreshHz);
    int refreshRate() const { return pacer_.refreshRate(); }

    void waitForVerticalBlank();
    // Counter values read just before and just after a frame was presented.
    void presented(std::int64_t called, std::int64_t returned);

private:
    PacingClock& clock_;
    FramePacer pacer_;
    bool presentedSinceWait_ = false;
    std::int64_t nextFrame_ = 0;
};
