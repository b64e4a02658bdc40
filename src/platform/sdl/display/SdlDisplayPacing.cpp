#include "platform/sdl/display/SdlDisplayPacing.h"

#include <SDL.h>

#include <algorithm>

std::int64_t SdlPacingClock::ticksPerSecond() const {
    return static_cast<std::int64_t>(SDL_GetPerformanceFrequency());
}

std::int64_t SdlPacingClock::now() {
    return static_cast<std::int64_t>(SDL_GetPerformanceCounter());
}

void SdlPacingClock::sleepMilliseconds(std::uint32_t milliseconds) { SDL_Delay(milliseconds); }

VerticalBlankPacing::VerticalBlankPacing(PacingClock& clock, int reportedRefreshHz)
    : clock_(clock), pacer_(clock.ticksPerSecond(), reportedRefreshHz) {}

void VerticalBlankPacing::setRefreshRate(int reportedRefreshHz) {
    pacer_.setRefreshRate(reportedRefreshHz);
    pacingItself_ = false;
    havePreviousPresent_ = false;
    quickScore_ = 0;
}

void VerticalBlankPacing::waitForVerticalBlank() {
    const std::int64_t now = clock_.now();
    if (!presentedSinceWait_) {
        // Nothing was shown since the last wait: this wait itself stands for
        // one that returned at once.
        const std::uint32_t sleep = pacer_.afterWait(now, now);
        if (sleep > 0) clock_.sleepMilliseconds(sleep);
        return;
    }
    presentedSinceWait_ = false;
    if (nextFrame_ <= now) return;
    const std::int64_t perSecond = clock_.ticksPerSecond();
    const std::int64_t remaining = nextFrame_ - now;
    clock_.sleepMilliseconds(
        static_cast<std::uint32_t>((remaining * 1000 + perSecond - 1) / perSecond));
}

void VerticalBlankPacing::presented(std::int64_t called, std::int64_t returned) {
    if (!pacingItself_) {
        const bool quick =
            havePreviousPresent_ && (returned - previousPresent_) * 4 < pacer_.period() * 3;
        quickScore_ = quick ? quickScore_ + kQuickFrameScore : std::max(quickScore_ - 1, 0);
        pacingItself_ = quickScore_ >= kScoreToDecide;
    }
    havePreviousPresent_ = true;
    previousPresent_ = returned;
    // A present that does not wait tells nothing about the blank, however
    // long it took: the frame is paced as if it had returned at once.
    const std::uint32_t sleep =
        pacingItself_ ? pacer_.afterWait(returned, returned) : pacer_.afterWait(called, returned);
    const std::int64_t perSecond = clock_.ticksPerSecond();
    nextFrame_ = returned + (std::int64_t{sleep} * perSecond + 999) / 1000;
    presentedSinceWait_ = true;
}
