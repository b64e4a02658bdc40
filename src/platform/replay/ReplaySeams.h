#pragma once

#include "base/ShellPlatform.h"
#include "devices/DevicePlatform.h"
#include "platform/replay/ReplayTape.h"

// The shell and the devices as the game sees them while a game may be
// recorded or replayed: each call goes on to the real platform, and what the
// game reads (tick counts, device states and results, retrieved messages)
// passes through the tape, which keeps it or, on playback, answers instead.
// Display and sound are not touched. Install these in place of the real
// seams before the program starts; the tape decides what they do.
class ReplayShell final : public ShellPlatform {
public:
    ReplayShell(ShellPlatform& real, ReplayTape& tape) : real_(real), tape_(tape) {}

    WindowHandle createMainWindow(const char* name, InstanceHandle instance) override {
        window_ = real_.createMainWindow(name, instance);
        return window_;
    }
    void ShowWindow(WindowHandle window, int showCommand) override {
        real_.ShowWindow(window, showCommand);
    }
    void UpdateWindow(WindowHandle window) override { real_.UpdateWindow(window); }
    void SetFocus(WindowHandle window) override { real_.SetFocus(window); }
    int ShowCursor(bool show) override { return real_.ShowCursor(show); }
    bool PeekMessageA(ShellMessage* message, WindowHandle window, std::uint32_t filterMin,
                      std::uint32_t filterMax, std::uint32_t removeFlags) override;
    void deliverSentMessages() override { real_.deliverSentMessages(); }
    void TranslateMessage(const ShellMessage* message) override { real_.TranslateMessage(message); }
    void DispatchMessageA(const ShellMessage* message) override { real_.DispatchMessageA(message); }
    std::uint32_t GetTickCount() override { return tape_.tick(real_.GetTickCount()); }
    void PostQuitMessage(int exitCode) override { real_.PostQuitMessage(exitCode); }
    void BeginPaint(WindowHandle window) override { real_.BeginPaint(window); }
    void EndPaint(WindowHandle window) override { real_.EndPaint(window); }
    std::intptr_t DefWindowProcA(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t lParam) override {
        return real_.DefWindowProcA(window, message, wParam, lParam);
    }

private:
    ShellPlatform& real_;
    ReplayTape& tape_;
    // Where a replayed message is addressed.
    WindowHandle window_ = nullptr;
};

class ReplayDevices final : public DevicePlatform {
public:
    ReplayDevices(DevicePlatform& real, ReplayTape& tape) : real_(real), tape_(tape) {}

    DiResult DirectInputCreateA(InstanceHandle instance, std::uint32_t version,
                                DirectInput** out) override;
    DsResult DirectSoundCreate(const SoundDeviceGuid* device, DirectSound** out) override {
        return real_.DirectSoundCreate(device, out);
    }

private:
    DevicePlatform& real_;
    ReplayTape& tape_;
};
