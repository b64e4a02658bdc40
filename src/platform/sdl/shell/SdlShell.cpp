#include "platform/sdl/shell/SdlShell.h"

#include <SDL.h>

#include "app/WindowProcedure.h"
#include "platform/PictureSize.h"
#include "platform/sdl/audio/SdlSoundOutput.h"

namespace {

constexpr int SW_HIDE = 0;

SDL_Window* sdlWindow(WindowHandle window) { return reinterpret_cast<SDL_Window*>(window); }

// Whether the window is out of the player's reach now: without the keyboard,
// minimised or hidden.
bool inBackground(WindowHandle window) {
    if (!window) return false;
    const Uint32 flags = SDL_GetWindowFlags(sdlWindow(window));
    return (flags & SDL_WINDOW_INPUT_FOCUS) == 0 ||
           (flags & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN)) != 0;
}

}  // namespace

namespace {
const SdlShell* shellBehind = nullptr;
}  // namespace

void setSdlShellBehind(const SdlShell* shell) { shellBehind = shell; }

bool sdlQuitRequested() {
    const auto* shell = dynamic_cast<const SdlShell*>(&shellPlatform());
    if (!shell) shell = shellBehind;
    return shell != nullptr && shell->keys().quitRequests() > 0;
}

namespace {

// The size of the whole screen, as on Windows, so that the window covers the
// screen even where no window manager makes it full-screen.
SDL_Window* makeFullScreenWindow(const char* name) {
    int width = kPictureWidth;
    int height = kPictureHeight;
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(0, &desktop) == 0 && desktop.w > 0 && desktop.h > 0) {
        width = desktop.w;
        height = desktop.h;
    }
    return SDL_CreateWindow(name, 0, 0, width, height, SDL_WINDOW_FULLSCREEN_DESKTOP);
}

// A window the player can move and (unless told otherwise) resize: where an
// earlier run left it, or with its picture a whole multiple of 800 x 600,
// centred in the part of the desktop that panels leave free.
SDL_Window* makeWindow(const char* name, const SdlWindowOptions& options) {
    const SDL_Rect place = options.placed ? options.place : windowedPlace(0, options.scale);
    return SDL_CreateWindow(name, place.x, place.y, place.w, place.h,
                            options.resizable ? SDL_WINDOW_RESIZABLE : 0);
}

}  // namespace

WindowHandle SdlShell::createMainWindow(const char* name, InstanceHandle) {
    if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return nullptr;
    SDL_Window* window =
        options_.fullScreen ? makeFullScreenWindow(name) : makeWindow(name, options_);
    if (!window) return nullptr;
    if (options_.resizable)
        SDL_SetWindowMinimumSize(window, kMinimumWindowWidth, kMinimumWindowHeight);
    SdlEventLoop::selectEvents();
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

void SdlShell::pump() {
    events_.drain(messages_);
    if (sound_) sound_->takeRequests(events_.windowRequests());
}

void SdlShell::deliverSentMessages() {
    pump();
    if (leaving()) skipped_ += kLeavingSkipMs;
}

// The filters are not looked at: the run loop always asks for every message.
bool SdlShell::PeekMessageA(ShellMessage* message, WindowHandle, std::uint32_t, std::uint32_t,
                            std::uint32_t removeFlags) {
    pump();
    const bool remove = (removeFlags & PM_REMOVE) != 0;
    if (quitPosted_) {
        if (remove) quitPosted_ = false;
        if (message) {
            *message = {nullptr, WM_QUIT,
                        static_cast<std::uintptr_t>(static_cast<std::intptr_t>(quitCode_)), 0};
        }
        return true;
    }
    PendingMessage pending = {};
    if (!messages_.peek(&pending)) return false;
    if (remove) messages_.drop();
    if (message) {
        *message = {window_, pending.message, pending.wParam, 0};
        // A loss that waited while the screens before play ran counts only
        // if the window is still out of reach: a switch away and back during
        // the title must not pause the first wave.
        if (pending.message == WM_ACTIVATEAPP && pending.wParam == 0 && !inBackground(window_)) {
            message->message = WM_NULL;
        }
    }
    return true;
}

// There are no character messages to make: text comes from nowhere.
void SdlShell::TranslateMessage(const ShellMessage*) {}

void SdlShell::DispatchMessageA(const ShellMessage* message) {
    if (message && message->window) {
        windowProcedure(message->window, message->message, message->wParam, message->lParam);
    }
}

std::uint32_t SdlShell::GetTickCount() { return SDL_GetTicks() + skipped_; }

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
