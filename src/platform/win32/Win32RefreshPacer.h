#pragma once

#include "platform/pacing/FramePacer.h"
#include "platform/win32/Win32Api.h"

// Wraps each wait for the vertical blank: measures it on the performance
// counter and, when it did not wait, sleeps to the next refresh boundary of
// the current display mode. See FramePacer.
class Win32RefreshPacer {
public:
    Win32RefreshPacer();
    ~Win32RefreshPacer();
    Win32RefreshPacer(const Win32RefreshPacer&) = delete;
    Win32RefreshPacer& operator=(const Win32RefreshPacer&) = delete;

    // Reads the display's refresh rate again; called after a mode change.
    void displayModeChanged();

    // The counter value to pass to afterWait once the wait has returned.
    static std::int64_t beforeWait();
    void afterWait(std::int64_t called);

private:
    static std::int64_t counterFrequency();
    static std::int64_t counter();
    static int reportedRefreshRate();

    FramePacer pacer_;
    // The system timer is made fine enough for millisecond sleeps only once
    // a sleep is needed, and put back when the pacer goes.
    bool fineTimer_ = false;
};
