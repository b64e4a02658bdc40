#pragma once

#include <cstdint>

#include "base/Handles.h"

// The shell's seam to the platform: the one window, the message pump, the
// pointer and the millisecond tick counter, with the Win32 values the shell
// relies on.

constexpr std::uint32_t WM_NULL = 0x0000;
constexpr std::uint32_t WM_CREATE = 0x0001;
constexpr std::uint32_t WM_DESTROY = 0x0002;
constexpr std::uint32_t WM_PAINT = 0x000F;
constexpr std::uint32_t WM_CLOSE = 0x0010;
constexpr std::uint32_t WM_QUIT = 0x0012;
constexpr std::uint32_t WM_ACTIVATEAPP = 0x001C;
constexpr std::uint32_t PM_REMOVE = 0x0001;

constexpr std::uint32_t CS_VREDRAW = 0x0001;
constexpr std::uint32_t CS_HREDRAW = 0x0002;
constexpr std::uint32_t CS_DBLCLKS = 0x0008;
constexpr std::uint32_t CS_OWNDC = 0x0020;
constexpr std::uint32_t WS_POPUP = 0x80000000;
constexpr std::uint32_t WS_VISIBLE = 0x10000000;

// The fields of a window message that the run loop reads.
struct ShellMessage {
    WindowHandle window;
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
};

class ShellPlatform {
public:
    // Registers the window class and creates the full-screen popup window,
    // both under the given name; null when the window cannot be made.
    virtual WindowHandle createMainWindow(const char* name, InstanceHandle instance) = 0;
    virtual void ShowWindow(WindowHandle window, int showCommand) = 0;
    virtual void UpdateWindow(WindowHandle window) = 0;
    virtual void SetFocus(WindowHandle window) = 0;
    virtual int ShowCursor(bool show) = 0;
    // Retrieves at most one pending message without waiting.
    virtual bool PeekMessageA(ShellMessage* message, WindowHandle window, std::uint32_t filterMin,
                              std::uint32_t filterMax, std::uint32_t removeFlags) = 0;
    // Has the system deliver to the window procedure the messages it sends
    // (activation, restoring a minimised window) while every posted message
    // stays queued: the screens before and after play call it once a frame,
    // so the window still answers the system while they run. On Windows,
    // PeekMessageA with PM_NOREMOVE. A shell that makes its window messages
    // only as PeekMessageA takes them has nothing to deliver here.
    virtual void deliverSentMessages() {}
    virtual void TranslateMessage(const ShellMessage* message) = 0;
    virtual void DispatchMessageA(const ShellMessage* message) = 0;
    virtual std::uint32_t GetTickCount() = 0;

    // What the window procedure calls.
    virtual void PostQuitMessage(int exitCode) = 0;
    virtual void BeginPaint(WindowHandle window) = 0;
    virtual void EndPaint(WindowHandle window) = 0;
    virtual std::intptr_t DefWindowProcA(WindowHandle window, std::uint32_t message,
                                         std::uintptr_t wParam, std::intptr_t lParam) = 0;

protected:
    ~ShellPlatform() = default;
};

// The platform layer linked into the program provides its shell through
// defaultShellPlatform(), so that the start tick can be read during static
// initialisation. Tests may install another one.
ShellPlatform& defaultShellPlatform();
void installShellPlatform(ShellPlatform* platform);
ShellPlatform& shellPlatform();
