#pragma once

#include <cstdint>

#include "app/ShellPlatform.h"

// The shell on SDL: one window, full screen on the desktop or a window of its
// own as the command line asked (SdlWindowOptions.h), SDL's event queue as the
// message queue, SDL's millisecond counter as the tick count. A WindowHandle
// is the SDL_Window* itself.
//
// Events become messages one at a time, as PeekMessageA takes them:
// - SDL_QUIT and the window's close event become WM_DESTROY for the window,
//   so the window procedure answers with PostQuitMessage(0) as on Windows;
// - the window's exposed event becomes WM_PAINT;
// - the window losing the keyboard focus, or being minimised or hidden,
//   becomes WM_ACTIVATEAPP with wParam 0, as Windows says it when another
//   program takes the foreground, if the window is still out of reach when
//   the message is taken (the event may have waited in the queue through the
//   screens before play); regaining the focus becomes WM_ACTIVATEAPP with 1;
// - anything else becomes WM_NULL, which the window procedure hands to
//   DefWindowProcA and which does nothing.
// Keyboard, mouse, touch and text events are switched off when the window is
// made: the game reads the keyboard as a snapshot, and those events
// would otherwise pile up faster than the one message per frame the run loop
// takes (Windows merges mouse moves; SDL does not).
// A quit request (PostQuitMessage) comes out as WM_QUIT with its code at the
// next PeekMessageA, before any further event.
class SdlShell final : public ShellPlatform {
public:
    WindowHandle createMainWindow(const char* name, InstanceHandle instance) override;
    void ShowWindow(WindowHandle window, int showCommand) override;
    void UpdateWindow(WindowHandle window) override;
    void SetFocus(WindowHandle window) override;
    int ShowCursor(bool show) override;
    bool PeekMessageA(ShellMessage* message, WindowHandle window, std::uint32_t filterMin,
                      std::uint32_t filterMax, std::uint32_t removeFlags) override;
    void TranslateMessage(const ShellMessage* message) override;
    void DispatchMessageA(const ShellMessage* message) override;
    std::uint32_t GetTickCount() override;
    void PostQuitMessage(int exitCode) override;
    void BeginPaint(WindowHandle window) override;
    void EndPaint(WindowHandle window) override;
    std::intptr_t DefWindowProcA(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t lParam) override;

    WindowHandle window() const { return window_; }
    int cursorCount() const { return cursorCount_; }

private:
    WindowHandle window_ = nullptr;
    bool quitPosted_ = false;
    int quitCode_ = 0;
    int cursorCount_ = 0;
};

// Turns SDL's keyboard, mouse, touch and text events on or off at the source.
// The key snapshot is kept either way.
void switchInputEvents(bool on);

// The program's one SDL shell.
SdlShell& sdlShellPlatform();
