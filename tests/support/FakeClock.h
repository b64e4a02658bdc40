#pragma once

#include <cstdint>

#include "base/GameClock.h"
#include "base/ShellPlatform.h"
#include "support/ScopedPlatform.h"

// A shell whose tick counter is set by the test; every other call is inert.
// Install it for the duration of a test to drive game time.
class FakeClock : public ShellPlatform {
public:
    WindowHandle createMainWindow(const char*, InstanceHandle) override { return nullptr; }
    void ShowWindow(WindowHandle, int) override {}
    void UpdateWindow(WindowHandle) override {}
    void SetFocus(WindowHandle) override {}
    int ShowCursor(bool) override { return 0; }
    bool PeekMessageA(ShellMessage*, WindowHandle, std::uint32_t, std::uint32_t,
                      std::uint32_t) override {
        return false;
    }
    void TranslateMessage(const ShellMessage*) override {}
    void DispatchMessageA(const ShellMessage*) override {}
    std::uint32_t GetTickCount() override { return tick; }
    void PostQuitMessage(int) override {}
    void BeginPaint(WindowHandle) override {}
    void EndPaint(WindowHandle) override {}
    std::intptr_t DefWindowProcA(WindowHandle, std::uint32_t, std::uintptr_t,
                                 std::intptr_t) override {
        return 0;
    }

    // Makes gameTime() read t.
    void setGameTime(std::int32_t t) { tick = startTick() + static_cast<std::uint32_t>(t); }
    void advance(std::int32_t ms) { tick += static_cast<std::uint32_t>(ms); }

    std::uint32_t tick = 0;
};

// Installs a FakeClock for the lifetime of the object, starting at game time 0.
class ScopedFakeClock {
public:
    ScopedFakeClock() { clock_.setGameTime(0); }
    ScopedFakeClock(const ScopedFakeClock&) = delete;
    ScopedFakeClock& operator=(const ScopedFakeClock&) = delete;

    FakeClock& operator*() { return clock_; }
    FakeClock* operator->() { return &clock_; }

private:
    FakeClock clock_;
    ScopedShellPlatform installed_{&clock_};
};
