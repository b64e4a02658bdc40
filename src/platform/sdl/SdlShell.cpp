#include "platform/sdl/SdlShell.h"

#include <SDL.h>

#include "app/WindowProcedure.h"
#include "platform/sdl/SdlDesktopEvents.h"
#include "platform/sdl/SdlWindowOptions.h"

namespace {

constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 600;
constexpr int SW_HIDE = 0;

SDL_Window* sdlWindow(WindowHandle window) { return reinterpret_cast<SDL_Window*>(window); }

}  // namespace

void switchInputEvents(bool on) {
    // Joystick events stay on: while they are all off SDL stops updating the
    // joysticks at all.
    static const std::uint32_t kInputEvents[] = {
        SDL_KEYDOWN,     SDL_KEYUP,           SDL_TEXTEDITING,   SDL_TEXTINPUT,
        SDL_MOUSEMOTION, SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP, SDL_MOUSEWHEEL,
        SDL_FINGERDOWN,  SDL_FINGERUP,        SDL_FINGERMOTION,  SDL_MULTIGESTURE,
    };
    for (std::uint32_t type : kInputEvents) SDL_EventState(type, on ? SDL_ENABLE : SDL_IGNORE);
}

namespace {

// Whether the window is out of the player's reach now: without the keyboard,
// minimised or hidden. A focus event is read against this, because events
// wait in the queue while the screens before play run: a switch away and
// back again during the title must not pause the first wave.
bool inBackground(WindowHandle window) {
    if (!window) return false;
    const Uint32 flags = SDL_GetWindowFlags(sdlWindow(window));
    return (flags & SDL_WINDOW_INPUT_FOCUS) == 0 ||
           (flags & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN)) != 0;
}

// The message an event stands for, addressed to `window`.
ShellMessage messageFor(const SDL_Event& event, WindowHandle window) {
    ShellMessage message = {window, WM_NULL, 0, 0};
    if (event.type == SDL_QUIT) {
        message.message = WM_DESTROY;
    } else if (event.type == SDL_WINDOWEVENT) {
        switch (event.window.event) {
            case SDL_WINDOWEVENT_CLOSE:
                message.message = WM_DESTROY;
                break;
            case SDL_WINDOWEVENT_EXPOSED:
                message.message = WM_PAINT;
                break;
            case SDL_WINDOWEVENT_FOCUS_LOST:
            case SDL_WINDOWEVENT_MINIMIZED:
            case SDL_WINDOWEVENT_HIDDEN:
                // As Windows says it when another program takes the
                // foreground: WM_ACTIVATEAPP with false.
                if (inBackground(window)) message.message = WM_ACTIVATEAPP;
                break;
            case SDL_WINDOWEVENT_FOCUS_GAINED:
                message.message = WM_ACTIVATEAPP;
                message.wParam = 1;
                break;
            default:
                break;
        }
    }
    return message;
}

}  // namespace

SdlShell& sdlShellPlatform() {
    static SdlShell shell;
    return shell;
}

namespace {

// The size of the whole screen, as on Windows, so that the window covers the
// screen even where no window manager makes it full-screen.
SDL_Window* makeFullScreenWindow(const char* name) {
    int width = kWindowWidth;
    int height = kWindowHeight;
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(0, &desktop) == 0 && desktop.w > 0 && desktop.h > 0) {
        width = desktop.w;
        height = desktop.h;
    }
    return SDL_CreateWindow(name, 0, 0, width, height, SDL_WINDOW_FULLSCREEN_DESKTOP);
}

// A window the player can move and resize, its picture a whole multiple of
// 800 x 600, centred in the part of the desktop that panels leave free.
SDL_Window* makeWindow(const char* name, const SdlWindowOptions& options) {
    const SDL_Rect place = windowedPlace(0, options.scale);
    return SDL_CreateWindow(name, place.x, place.y, place.w, place.h, SDL_WINDOW_RESIZABLE);
}

}  // namespace

WindowHandle SdlShell::createMainWindow(const char* name, InstanceHandle) {
    if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return nullptr;
    const SdlWindowOptions& options = sdlWindowOptions();
    SDL_Window* window =
        options.fullScreen ? makeFullScreenWindow(name) : makeWindow(name, options);
    if (!window) return nullptr;
    switchInputEvents(false);
    installDesktopEvents();
    window_ = reinterpret_cast<WindowHandle>(window);
    // Windows sends WM_CREATE before CreateWindowExA returns.
    windowProcedure(window_, WM_CREATE, 0, 0);
    return window_;
}

void SdlShell::ShowWindow(WindowHandle window, int showCommand) {
    if (!window) return;
    if (showCommand == SW_HIDE) {
        SDL_HideWindow(sdlWindow(window));
    } else {
        SDL_ShowWindow(sdlWindow(window));
    }
}

// The window has nothing of its own to paint: every picture reaches it
// through the display's presenter.
void SdlShell::UpdateWindow(WindowHandle) {}

void SdlShell::SetFocus(WindowHandle window) {
    if (!window) return;
    SDL_RaiseWindow(sdlWindow(window));
    // Raising asks the window manager for focus; where there is none (a bare
    // X server) the keyboard focus has to be taken directly, or the keyboard
    // would never be acquired.
    SDL_SetWindowInputFocus(sdlWindow(window));
}

int SdlShell::ShowCursor(bool show) {
    // A display counter, as Windows keeps it: the pointer shows while >= 0.
    cursorCount_ += show ? 1 : -1;
    SDL_ShowCursor(cursorCount_ >= 0 ? SDL_ENABLE : SDL_DISABLE);
    return cursorCount_;
}

// The filters are not looked at: the run loop always asks for every message.
bool SdlShell::PeekMessageA(ShellMessage* message, WindowHandle, std::uint32_t, std::uint32_t,
                            std::uint32_t removeFlags) {
    const bool remove = (removeFlags & PM_REMOVE) != 0;
    if (quitPosted_) {
        if (remove) quitPosted_ = false;
        if (message) {
            *message = {nullptr, WM_QUIT,
                        static_cast<std::uintptr_t>(static_cast<std::intptr_t>(quitCode_)), 0};
        }
        return true;
    }
    SDL_Event event;
    if (remove) {
        pumpDesktopEvents();
        if (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) != 1) {
            return false;
        }
    } else {
        SDL_PumpEvents();
        if (SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) != 1) {
            return false;
        }
    }
    if (message) *message = messageFor(event, window_);
    return true;
}

// There are no character messages to make: text comes from nowhere.
void SdlShell::TranslateMessage(const ShellMessage*) {}

void SdlShell::DispatchMessageA(const ShellMessage* message) {
    if (message && message->window) {
        windowProcedure(message->window, message->message, message->wParam, message->lParam);
    }
}

std::uint32_t SdlShell::GetTickCount() { return SDL_GetTicks(); }

void SdlShell::PostQuitMessage(int exitCode) {
    quitPosted_ = true;
    quitCode_ = exitCode;
}

void SdlShell::BeginPaint(WindowHandle) {}

void SdlShell::EndPaint(WindowHandle) {}

std::intptr_t SdlShell::DefWindowProcA(WindowHandle window, std::uint32_t message, std::uintptr_t,
                                       std::intptr_t) {
    // As on Windows, closing the window destroys it.
    if (message == WM_CLOSE && window) windowProcedure(window, WM_DESTROY, 0, 0);
    return 0;
}
