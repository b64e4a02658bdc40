#include "platform/win32/Win32RefreshPacer.h"

Win32RefreshPacer::Win32RefreshPacer() : pacer_(counterFrequency(), reportedRefreshRate()) {}

Win32RefreshPacer::~Win32RefreshPacer() {
    if (fineTimer_) timeEndPeriod(1);
}

void Win32RefreshPacer::displayModeChanged() { pacer_.setRefreshRate(reportedRefreshRate()); }

std::int64_t Win32RefreshPacer::beforeWait() { return counter(); }

void Win32RefreshPacer::afterWait(std::int64_t called) {
    std::uint32_t sleep = pacer_.afterWait(called, counter());
    if (sleep == 0) return;
    if (!fineTimer_) fineTimer_ = timeBeginPeriod(1) == TIMERR_NOERROR;
    Sleep(sleep);
}

std::int64_t Win32RefreshPacer::counterFrequency() {
    LARGE_INTEGER frequency;
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) return 1000;
    return frequency.QuadPart;
}

std::int64_t Win32RefreshPacer::counter() {
    LARGE_INTEGER now;
    if (QueryPerformanceCounter(&now)) return now.QuadPart;
    // Without a performance counter the millisecond tick stands in; the
    // frequency fallback above matches it.
    return GetTickCount();
}

int Win32RefreshPacer::reportedRefreshRate() {
    DEVMODEA mode;
    ZeroMemory(&mode, sizeof(mode));
    mode.dmSize = sizeof(mode);
    if (EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) {
        int hz = static_cast<int>(mode.dmDisplayFrequency);
        if (FramePacer::usableRefreshRate(hz) == hz) return hz;
    }
    int hz = 0;
    if (HDC screen = GetDC(nullptr)) {
        hz = GetDeviceCaps(screen, VREFRESH);
        ReleaseDC(nullptr, screen);
    }
    return FramePacer::usableRefreshRate(hz);
}
