#pragma once

#include <cstdint>

#include "base/ShellPlatform.h"
#include "platform/sdl/display/SdlWindowOptions.h"
#include "platform/sdl/shell/SdlEventLoop.h"

class SdlSoundOutput;

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
// The sound output, when there is one, carries out the player's mute and
// volume keys as each pump has taken them.
// A second quit request from the system (the window closed or SIGINT again)
// means the program is leaving: from then on each pump of the screens around
// play (deliverSentMessages) moves the tick count on by kLeavingSkipMs, so
// that every screen that waits for time (the intro, the game-over screen)
// ends at its next frame, as those that read keys end on the Escape a quit
// request holds. The run then ends between two frames, and the entry point
// leaves. Play never pumps that way: its frames and the score are as the
// first request left them. Nothing changes before a second request.
class SdlShell final : public ShellPlatform {
public:
    // Longer than any screen of the game waits.
    static constexpr std::uint32_t kLeavingSkipMs = 3600000;

    explicit SdlShell(const SdlWindowOptions& options, SdlSoundOutput* sound = nullptr)
        : options_(options), sound_(sound) {}

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

    // A second quit request has come: the program is leaving.
    bool leaving() const { return events_.quitRequests() >= 2; }
    // Before SDL is shut down.
    void closeGamepads() { events_.closeGamepads(); }

private:
    void pump();

    const SdlWindowOptions& options_;
    SdlSoundOutput* sound_;
    SdlEventLoop events_;
    SdlMessageQueue messages_;
    // How far the tick count has been moved on since the program began
    // leaving.
    std::uint32_t skipped_ = 0;
    WindowHandle window_ = nullptr;
    bool quitPosted_ = false;
    int quitCode_ = 0;
    int cursorCount_ = 0;
};

// Whether a quit request has come to the installed shell, or to the SDL
// shell behind a shell installed in front of it (the replays'), for the SDL
// layer's own screens between games; false where the installed shell is no
// SDL shell (a test's).
bool sdlQuitRequested();
// Names the SDL shell behind the installed one; null for none.
void setSdlShellBehind(const SdlShell* shell);
