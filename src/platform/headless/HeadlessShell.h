#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "base/ShellPlatform.h"
#include "platform/headless/HeadlessLog.h"

// The shell with no window system: a tick counter the test sets, one dummy
// window, a message queue the test fills, and a record of every call.
// DispatchMessageA calls the program's window procedure, as Windows does.
class HeadlessShell final : public ShellPlatform {
public:
    explicit HeadlessShell(HeadlessLog* log = nullptr) : log_(log) {}

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
    std::uint32_t GetTickCount() override { return tick_; }
    void PostQuitMessage(int exitCode) override;
    void BeginPaint(WindowHandle window) override;
    void EndPaint(WindowHandle window) override;
    std::intptr_t DefWindowProcA(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t lParam) override;

    // The clock. Game time is the tick count less the start tick taken at
    // static initialisation, so setting game time works whichever shell was
    // the default then.
    void setTickCount(std::uint32_t tick) { tick_ = tick; }
    void setGameTime(std::int32_t t);
    std::int32_t currentGameTime() const;
    void advance(std::int32_t ms) { tick_ += static_cast<std::uint32_t>(ms); }

    // Queues a message for the window, retrievable once game time has
    // reached `notBefore`. Messages come out in the order they were posted.
    void postMessage(std::uint32_t message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0,
                     std::int32_t notBefore = INT32_MIN);
    // Sends a message to the window as the system does (activation): it
    // reaches the window procedure, once game time has reached `notBefore`,
    // at the program's next PeekMessageA or deliverSentMessages, ahead of
    // any posted message, and never comes out of PeekMessageA.
    void sendMessage(std::uint32_t message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0,
                     std::int32_t notBefore = INT32_MIN);
    std::size_t pendingMessages() const { return queue_.size(); }
    bool quitPosted() const { return quitPosted_; }

    // Failure injection: createMainWindow answers null.
    void failWindowCreation(bool fail) { failWindow_ = fail; }

    WindowHandle window() const { return window_; }
    const std::string& windowName() const { return windowName_; }
    // The cursor display counter, as ShowCursor keeps it (shown while >= 0).
    int cursorCount() const { return cursorCount_; }
    int lastShowCommand() const { return lastShowCommand_; }

    void setLog(HeadlessLog* log) { log_ = log; }

private:
    struct Queued {
        ShellMessage message;
        std::int32_t notBefore;
    };
    void record(HeadlessEvent event, std::uint32_t message = 0, std::uintptr_t wParam = 0,
                bool retrieved = false, std::int64_t value = 0);

    HeadlessLog* log_;
    std::uint32_t tick_ = 0x1000;
    std::deque<Queued> queue_;
    std::deque<Queued> sent_;
    bool quitPosted_ = false;
    int quitCode_ = 0;
    bool failWindow_ = false;
    char windowObject_ = 0;
    WindowHandle window_ = nullptr;
    std::string windowName_;
    int cursorCount_ = 0;
    int lastShowCommand_ = -1;
};
