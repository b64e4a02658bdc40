#pragma once

#include <cstdint>
#include <functional>

#include "base/ShellPlatform.h"
#include "platform/sdl/shell/SdlEventLoop.h"

// The shell on SDL: one window, full screen on the desktop or a window of its
// own as the command line asked (SdlWindowOptions.h), SDL's window events as
// the messages, SDL's millisecond counter as the tick count. A WindowHandle
// is the SDL_Window* itself.
//
// The shell takes SDL's events (SdlEventLoop.h) where the run loop asks the
// system for its messages: at each PeekMessageA in play, and at each
// deliverSentMessages, the once-a-frame call of the screens before and
// after play. The messages they make are handed out one at a time, as
// PeekMessageA takes them:
// - SDL_QUIT and the window's close event are WM_DESTROY for the window, so
//   the window procedure answers with PostQuitMessage(0) as on Windows;
// - the window's exposed event is WM_PAINT;
// - the window losing the keyboard focus, or being minimised or hidden, is
//   WM_ACTIVATEAPP with wParam 0, as Windows says it when another program
//   takes the foreground, if the window is still out of reach when the
//   message is taken (it may have waited through the screens before play,
//   which take no messages; a switch away and back during the title must not
//   pause the first wave), and WM_NULL otherwise; regaining the focus is
//   WM_ACTIVATEAPP with 1.
// Other events make no message. SDL queues key presses, for the taps and the
// window's own keys, but no key releases, mouse, touch or text events (see
// SdlEventLoop::selectEvents): the game reads the keyboard as a snapshot.
// A quit request (PostQuitMessage) comes out as WM_QUIT with its code at the
// next PeekMessageA, before any further message.
// A second quit request from the system (the window closed or SIGINT again)
// ends the program at once, in the pump: between two frames, never inside
// a display's or a device's call.
class SdlShell final : public ShellPlatform {
public:
    WindowHandle createMainWindow(const char* name, InstanceHandle instance) override;
    void ShowWindow(WindowHandle window, int showCommand) override;
    void UpdateWindow(WindowHandle window) override;
    void SetFocus(WindowHandle window) override;
    int ShowCursor(bool show) override;
    bool PeekMessageA(ShellMessage* message, WindowHandle window, std::uint32_t filterMin,
                      std::uint32_t filterMax, std::uint32_t removeFlags) override;
    void deliverSentMessages() override;
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

    // What the events changed, for the input side and the presenter to read.
    const SdlKeyState& keys() const { return events_.keys(); }
    const SdlWindowRequests& windowRequests() const { return events_.windowRequests(); }

    // What a second quit request does: end the program at once, tidily (the
    // final score printed, the devices and SDL shut down). Handed in by the
    // entry point, which knows the application; none means the second
    // request changes nothing more than the first.
    void endOnSecondQuit(std::function<void()> end) { endNow_ = std::move(end); }
    // Before SDL is shut down.
    void closeGamepads() { events_.closeGamepads(); }

private:
    void pump();

    SdlEventLoop events_;
    SdlMessageQueue messages_;
    std::function<void()> endNow_;
    WindowHandle window_ = nullptr;
    bool quitPosted_ = false;
    int quitCode_ = 0;
    int cursorCount_ = 0;
};

// The program's one SDL shell.
SdlShell& sdlShellPlatform();
