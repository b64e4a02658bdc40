#include "platform/win32/Win32ShellPlatform.h"

#include "app/WindowProcedure.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32WindowEnd.h"

namespace {

static_assert(sizeof(WPARAM) == sizeof(std::uintptr_t), "wParam passes unchanged");
static_assert(sizeof(LPARAM) == sizeof(std::intptr_t), "lParam passes unchanged");

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

class Win32ShellPlatform final : public ShellPlatform {
public:
    // The window procedure reports the window's end; play's message pump
    // is the first to read messages.
    void windowDestroyed(HWND window) {
        if (!playReadsMessages_) destroyedBeforePlay_ = window;
    }
    HWND destroyedBeforePlay() const { return destroyedBeforePlay_; }

    WindowHandle createMainWindow(const char* name, InstanceHandle instance) override {
        WNDCLASSA windowClass;
        ZeroMemory(&windowClass, sizeof(windowClass));
        windowClass.style = CS_OWNDC | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        windowClass.lpfnWndProc = mainWindowProc;
        windowClass.cbClsExtra = 0;
        windowClass.cbWndExtra = 0;
        windowClass.hInstance = toHinstance(instance);
        windowClass.hIcon = ::LoadIconA(nullptr, "IDI_ICON1");
        windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
        windowClass.lpszMenuName = nullptr;
        windowClass.lpszClassName = name;
        // A class left registered by an earlier window in this process is
        // just as good, so a refusal here is not a failure; only the window
        // itself counts.
        ::RegisterClassA(&windowClass);
        HWND window = ::CreateWindowExA(
            0, name, name, WS_POPUP | WS_VISIBLE, 0, 0, ::GetSystemMetrics(SM_CXSCREEN),
            ::GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, toHinstance(instance), nullptr);
        return toWindowHandle(window);
    }

    void ShowWindow(WindowHandle window, int showCommand) override {
        ::ShowWindow(toHwnd(window), showCommand);
    }

    void UpdateWindow(WindowHandle window) override { ::UpdateWindow(toHwnd(window)); }

    void SetFocus(WindowHandle window) override { ::SetFocus(toHwnd(window)); }

    int ShowCursor(bool show) override { return ::ShowCursor(show ? TRUE : FALSE); }

    bool PeekMessageA(ShellMessage* message, WindowHandle window, std::uint32_t filterMin,
                      std::uint32_t filterMax, std::uint32_t removeFlags) override {
        playReadsMessages_ = true;
        MSG peeked;
        if (!::PeekMessageA(&peeked, toHwnd(window), filterMin, filterMax, removeFlags)) {
            return false;
        }
        lastPeeked_ = peeked;
        if (message) {
            message->window = toWindowHandle(peeked.hwnd);
            message->message = peeked.message;
            message->wParam = peeked.wParam;
            message->lParam = peeked.lParam;
        }
        return true;
    }

    // A peek that removes nothing still delivers every message sent to this
    // thread (activation, restoring) to its window procedure, lets Wine
    // take in its window-system events, and counts as the window answering.
    // What it finds posted stays queued for the run loop.
    void deliverSentMessages() override {
        MSG peeked;
        ::PeekMessageA(&peeked, nullptr, 0, 0, PM_NOREMOVE);
    }

    void TranslateMessage(const ShellMessage* message) override {
        if (message == nullptr) return;
        MSG rebuilt = rebuild(*message);
        ::TranslateMessage(&rebuilt);
    }

    void DispatchMessageA(const ShellMessage* message) override {
        if (message == nullptr) return;
        MSG rebuilt = rebuild(*message);
        ::DispatchMessageA(&rebuilt);
    }

    std::uint32_t GetTickCount() override { return ::GetTickCount(); }

    void PostQuitMessage(int exitCode) override { ::PostQuitMessage(exitCode); }

    // BeginPaint and EndPaint share one PAINTSTRUCT; the window procedure
    // always calls them as a pair on the one window.
    void BeginPaint(WindowHandle window) override { ::BeginPaint(toHwnd(window), &paint_); }

    void EndPaint(WindowHandle window) override { ::EndPaint(toHwnd(window), &paint_); }

    std::intptr_t DefWindowProcA(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t lParam) override {
        return ::DefWindowProcA(toHwnd(window), message, wParam, lParam);
    }

private:
    // The message as Windows gave it: the core keeps only four fields, so
    // the time and cursor position come from the message last retrieved.
    MSG rebuild(const ShellMessage& message) const {
        MSG rebuilt = lastPeeked_;
        rebuilt.hwnd = toHwnd(message.window);
        rebuilt.message = message.message;
        rebuilt.wParam = message.wParam;
        rebuilt.lParam = message.lParam;
        return rebuilt;
    }

    MSG lastPeeked_{};
    PAINTSTRUCT paint_{};
    bool playReadsMessages_ = false;
    HWND destroyedBeforePlay_ = nullptr;
};

Win32ShellPlatform& theShell() {
    // Function-local, so that it is ready whenever it is first asked for,
    // including from static initialisers that read the tick counter.
    static Win32ShellPlatform platform;
    return platform;
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) theShell().windowDestroyed(window);
    return windowProcedure(toWindowHandle(window), message, wParam, lParam);
}

}  // namespace

ShellPlatform& win32ShellPlatform() { return theShell(); }

WindowHandle windowDestroyedBeforePlay() {
    return toWindowHandle(theShell().destroyedBeforePlay());
}

ShellPlatform& defaultShellPlatform() { return win32ShellPlatform(); }
