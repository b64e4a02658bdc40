#include "platform/headless/HeadlessShell.h"

#include "app/WindowProcedure.h"
#include "base/GameClock.h"

namespace {

std::int32_t toSigned(std::uint32_t difference) {
    if (difference <= 0x7FFFFFFFu) return static_cast<std::int32_t>(difference);
    return -static_cast<std::int32_t>(0xFFFFFFFFu - difference) - 1;
}

bool inFilter(std::uint32_t message, std::uint32_t filterMin, std::uint32_t filterMax) {
    // 0 to 0 asks for every message, as PeekMessageA does.
    if (filterMin == 0 && filterMax == 0) return true;
    return message >= filterMin && message <= filterMax;
}

}  // namespace

void HeadlessShell::record(HeadlessEvent event, std::uint32_t message, std::uintptr_t wParam,
                           bool retrieved, std::int64_t value) {
    if (!log_) return;
    HeadlessRecord entry;
    entry.event = event;
    entry.gameTime = currentGameTime();
    entry.message = message;
    entry.wParam = wParam;
    entry.retrieved = retrieved;
    entry.value = value;
    log_->add(entry);
}

void HeadlessShell::setGameTime(std::int32_t t) {
    tick_ = startTick() + static_cast<std::uint32_t>(t);
}

std::int32_t HeadlessShell::currentGameTime() const { return toSigned(tick_ - startTick()); }

WindowHandle HeadlessShell::createMainWindow(const char* name, InstanceHandle) {
    record(HeadlessEvent::CreateMainWindow);
    if (failWindow_) return nullptr;
    window_ = reinterpret_cast<WindowHandle>(&windowObject_);
    windowName_ = name ? name : "";
    // Windows sends WM_CREATE before CreateWindowExA returns.
    windowProcedure(window_, WM_CREATE, 0, 0);
    return window_;
}

void HeadlessShell::ShowWindow(WindowHandle, int showCommand) {
    lastShowCommand_ = showCommand;
    record(HeadlessEvent::ShowWindow, 0, 0, false, showCommand);
}

void HeadlessShell::UpdateWindow(WindowHandle) { record(HeadlessEvent::UpdateWindow); }

void HeadlessShell::SetFocus(WindowHandle) { record(HeadlessEvent::SetFocus); }

int HeadlessShell::ShowCursor(bool show) {
    cursorCount_ += show ? 1 : -1;
    record(HeadlessEvent::ShowCursor, 0, 0, false, show ? 1 : 0);
    return cursorCount_;
}

void HeadlessShell::deliverSentMessages() {
    const std::int32_t now = currentGameTime();
    // Each one is taken off before the procedure runs, which may send more.
    for (auto it = sent_.begin(); it != sent_.end();) {
        if (it->notBefore > now) {
            ++it;
            continue;
        }
        const ShellMessage sent = it->message;
        sent_.erase(it);
        record(HeadlessEvent::SentMessage, sent.message, sent.wParam);
        windowProcedure(window_, sent.message, sent.wParam, sent.lParam);
        it = sent_.begin();
    }
}

bool HeadlessShell::PeekMessageA(ShellMessage* message, WindowHandle, std::uint32_t filterMin,
                                 std::uint32_t filterMax, std::uint32_t removeFlags) {
    // As on Windows, a peek first delivers what was sent to the window.
    deliverSentMessages();
    const std::int32_t now = currentGameTime();
    const bool remove = (removeFlags & PM_REMOVE) != 0;
    for (auto it = queue_.begin(); it != queue_.end(); ++it) {
        if (it->notBefore > now || !inFilter(it->message.message, filterMin, filterMax)) continue;
        ShellMessage found = it->message;
        found.window = window_;
        if (remove) queue_.erase(it);
        if (message) *message = found;
        record(HeadlessEvent::PeekMessage, found.message, found.wParam, true);
        return true;
    }
    // As on Windows, the quit request comes out only once no posted message
    // is waiting before it.
    if (quitPosted_ && inFilter(WM_QUIT, filterMin, filterMax)) {
        ShellMessage quit = {nullptr, WM_QUIT,
                             static_cast<std::uintptr_t>(static_cast<std::intptr_t>(quitCode_)), 0};
        if (remove) quitPosted_ = false;
        if (message) *message = quit;
        record(HeadlessEvent::PeekMessage, WM_QUIT, quit.wParam, true);
        return true;
    }
    record(HeadlessEvent::PeekMessage);
    return false;
}

void HeadlessShell::TranslateMessage(const ShellMessage* message) {
    record(HeadlessEvent::TranslateMessage, message ? message->message : 0,
           message ? message->wParam : 0);
}

void HeadlessShell::DispatchMessageA(const ShellMessage* message) {
    if (!message) return;
    record(HeadlessEvent::DispatchMessage, message->message, message->wParam);
    // A message for no window has no procedure to go to.
    if (message->window) {
        windowProcedure(message->window, message->message, message->wParam, message->lParam);
    }
}

void HeadlessShell::PostQuitMessage(int exitCode) {
    quitPosted_ = true;
    quitCode_ = exitCode;
    record(HeadlessEvent::PostQuitMessage, WM_QUIT,
           static_cast<std::uintptr_t>(static_cast<std::intptr_t>(exitCode)));
}

void HeadlessShell::BeginPaint(WindowHandle) { record(HeadlessEvent::BeginPaint); }

void HeadlessShell::EndPaint(WindowHandle) { record(HeadlessEvent::EndPaint); }

std::intptr_t HeadlessShell::DefWindowProcA(WindowHandle window, std::uint32_t message,
                                            std::uintptr_t wParam, std::intptr_t) {
    record(HeadlessEvent::DefWindowProc, message, wParam);
    // Closing the window destroys it, which the procedure answers with its
    // quit request: the path that Alt+F4 or the close box takes on Windows.
    if (message == WM_CLOSE && window) {
        windowProcedure(window, WM_DESTROY, 0, 0);
    }
    return 0;
}

void HeadlessShell::sendMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                                std::int32_t notBefore) {
    sent_.push_back({{window_, message, wParam, lParam}, notBefore});
}

void HeadlessShell::postMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                                std::int32_t notBefore) {
    queue_.push_back({{window_, message, wParam, lParam}, notBefore});
}
