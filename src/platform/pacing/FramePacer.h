#pragma once

#include <cstdint>

// Keeps a frame loop at the display's refresh rate when the platform's wait
// for the vertical blank does not wait (Wine's returns at once, which would
// let the game redraw as fast as the processor allows and keep a core busy).
//
// The pacer is told, after every wait, the counter value read just before the
// wait and just after it. A wait that took a noticeable part of a refresh
// period really waited: its return is a vertical blank, and the pacer anchors
// its grid of refresh periods there, asking for no sleep. A wait that came
// back almost at once is answered with the sleep that reaches the first grid
// point after the wait was called (and after the last frame's), as a real
// wait would have done. A frame that takes longer than a period therefore
// waits for the following boundary, again as a real vertical blank would.
//
// Counter values are in ticks of a monotonic counter of the given frequency
// (QueryPerformanceCounter on Windows). The pacer does no clock reading and no
// sleeping itself.
class FramePacer {
public:
    static constexpr int kDefaultRefreshRate = 60;

    // The refresh rate to pace at for what the display reported: 0 and 1 are
    // "the hardware's default" and anything outside a plausible span is taken
    // as unknown too.
    static int usableRefreshRate(int reportedHz) {
        return (reportedHz >= 24 && reportedHz <= 500) ? reportedHz : kDefaultRefreshRate;
    }

    FramePacer(std::int64_t ticksPerSecond, int reportedHz)
        : ticksPerSecond_(ticksPerSecond > 0 ? ticksPerSecond : 1000) {
        setRefreshRate(reportedHz);
    }

    // After a display mode change the rate may differ; the old grid no longer
    // holds, so the next wait starts a new one.
    void setRefreshRate(int reportedHz) {
        refreshRate_ = usableRefreshRate(reportedHz);
        anchored_ = false;
    }

    int refreshRate() const { return refreshRate_; }
    // One refresh period in counter ticks, rounded down. The grid itself is
    // kept exact (see boundaryAfter), so that a coarse counter, where a
    // period is not a whole number of ticks, does not change the rate.
    std::int64_t period() const { return ticksPerSecond_ / refreshRate_; }

    // The milliseconds to sleep after a wait that was called at `called` and
    // returned at `returned`; 0 when no sleep is needed. The sleep is rounded
    // up so that the frame does not start before its boundary, and each frame
    // gets a boundary of its own: a frame that started a little early (a
    // sleep may end before its time) still waits for the next one, so two
    // frames never share a period.
    std::uint32_t afterWait(std::int64_t called, std::int64_t returned) {
        if (!anchored_ || returned - called >= waitedThreshold() || called < anchor_) {
            anchor(returned);
            return 0;
        }
        std::int64_t boundary = boundaryAfter(called > lastBoundary_ ? called : lastBoundary_);
        std::int64_t remaining = boundary - returned;
        if (remaining <= closeEnough()) {
            // A short wait that ended at (or just short of) a boundary looks
            // like a real wait that was called just before the blank. Taking
            // its return as the new anchor keeps a rate that the display
            // reports rounded (59 for 59.94 Hz) from drifting off the blanks.
            anchor(returned);
            return 0;
        }
        lastBoundary_ = boundary;
        return static_cast<std::uint32_t>((remaining * 1000 + ticksPerSecond_ - 1) /
                                          ticksPerSecond_);
    }

private:
    void anchor(std::int64_t blank) {
        anchor_ = blank;
        lastBoundary_ = blank;
        anchored_ = true;
    }

    // The first grid point later than `time` (which is not before the
    // anchor). Grid point k lies at anchor + k periods, rounded up to a whole
    // tick so that a frame never starts before its blank.
    std::int64_t boundaryAfter(std::int64_t time) const {
        std::int64_t k = (time - anchor_) * refreshRate_ / ticksPerSecond_;
        std::int64_t boundary = gridPoint(k);
        while (boundary <= time) boundary = gridPoint(++k);
        return boundary;
    }
    std::int64_t gridPoint(std::int64_t k) const {
        return anchor_ + (k * ticksPerSecond_ + refreshRate_ - 1) / refreshRate_;
    }

    // A wait shorter than an eighth of a period is taken as no wait at all; a
    // real one lasts half a period on average.
    std::int64_t waitedThreshold() const { return period() / 8; }
    // So little left before the boundary that sleeping would only lose time.
    std::int64_t closeEnough() const { return period() / 32; }

    std::int64_t ticksPerSecond_;
    int refreshRate_ = kDefaultRefreshRate;
    bool anchored_ = false;
    std::int64_t anchor_ = 0;
    // The boundary given to the last frame; always on the grid.
    std::int64_t lastBoundary_ = 0;
};
