#include "platform/sdl/shell/SdlEventLoop.h"

#include "base/ShellPlatform.h"

namespace {

// The page's keys travel as user events whose code carries both the
// scancode and what became of the key: scancode * kPageKeyKinds + kind.
enum PageKey : int { kPageKeyUp, kPageKeyDown, kPageKeysReleased, kPageKeyKinds };

void sendPageEvent(int scancode, PageKey what) {
    SDL_Event event = {};
    event.type = SDL_USEREVENT;
    event.user.code = scancode * kPageKeyKinds + what;
    SDL_PushEvent(&event);
}

bool isAltEnter(const SDL_Keysym& key) {
    return (key.scancode == SDL_SCANCODE_RETURN || key.scancode == SDL_SCANCODE_KP_ENTER) &&
           (key.mod & KMOD_ALT) != 0;
}

}  // namespace

void sendPageKey(SDL_Scancode scancode, bool down) {
    sendPageEvent(scancode, down ? kPageKeyDown : kPageKeyUp);
}

void sendPageKeysReleased() { sendPageEvent(SDL_SCANCODE_UNKNOWN, kPageKeysReleased); }

// The window's own keys are taken here, each press a request, and never
// reach the game.
void SdlEventLoop::onKeyDown(const SDL_KeyboardEvent& key) {
    if (key.repeat) return;
    const SDL_Scancode code = key.keysym.scancode;
    if (isAltEnter(key.keysym) || code == SDL_SCANCODE_F11) {
        ++requests_.fullScreenToggles;
    } else if (code == SDL_SCANCODE_F10) {
        ++requests_.integerScaleToggles;
    } else if (code == SDL_SCANCODE_M) {
        ++requests_.muteToggles;
    } else if (code == SDL_SCANCODE_MINUS || code == SDL_SCANCODE_KP_MINUS) {
        ++requests_.volumeDowns;
    } else if (code == SDL_SCANCODE_EQUALS || code == SDL_SCANCODE_KP_PLUS) {
        ++requests_.volumeUps;
    } else {
        keys_.keyPressed(code);
    }
}

void SdlEventLoop::onWindowEvent(const SDL_WindowEvent& window, SdlMessageQueue& messages) {
    switch (window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            messages.post(WM_DESTROY);
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            messages.post(WM_PAINT);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
        case SDL_WINDOWEVENT_MINIMIZED:
        case SDL_WINDOWEVENT_HIDDEN:
            // As Windows says it when another program takes the foreground.
            messages.post(WM_ACTIVATEAPP, 0);
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            messages.post(WM_ACTIVATEAPP, 1);
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            ++requests_.resizes;
            break;
        default:
            break;
    }
}

void SdlEventLoop::dispatch(const SDL_Event& event, SdlMessageQueue& messages) {
    switch (event.type) {
        case SDL_KEYDOWN:
            onKeyDown(event.key);
            break;
        case SDL_QUIT:
            keys_.quitRequested();
            messages.post(WM_DESTROY);
            break;
        case SDL_APP_TERMINATING:
            keys_.quitRequested();
            break;
        case SDL_WINDOWEVENT:
            onWindowEvent(event.window, messages);
            break;
        case SDL_USEREVENT: {
            const auto what = static_cast<PageKey>(event.user.code % kPageKeyKinds);
            if (what == kPageKeysReleased) {
                keys_.releaseKeys(KeyHolder::Page);
            } else {
                keys_.holdKey(KeyHolder::Page,
                              static_cast<SDL_Scancode>(event.user.code / kPageKeyKinds),
                              what == kPageKeyDown);
            }
            break;
        }
        case SDL_CONTROLLERDEVICEADDED:
        case SDL_CONTROLLERDEVICEREMOVED:
        case SDL_CONTROLLERBUTTONDOWN:
            pads_.note(event, keys_);
            break;
        default:
            break;
    }
}

void SdlEventLoop::selectEvents() {
    // Closing the one window is a quit request of its own (SDL_QUIT follows
    // the window's close event), and only counts once.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "1");
    // Joystick and controller events stay on: while they are all off SDL
    // stops updating the joysticks at all.
    static const std::uint32_t kUnread[] = {
        SDL_KEYUP,           SDL_TEXTEDITING,   SDL_TEXTINPUT,    SDL_MOUSEMOTION,
        SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP, SDL_MOUSEWHEEL,   SDL_FINGERDOWN,
        SDL_FINGERUP,        SDL_FINGERMOTION,  SDL_MULTIGESTURE,
    };
    for (std::uint32_t type : kUnread) SDL_EventState(type, SDL_IGNORE);
    SDL_EventState(SDL_KEYDOWN, SDL_ENABLE);
}

void SdlEventLoop::drain(SdlMessageQueue& messages) {
    SDL_PumpEvents();
    SDL_Event events[32];
    int taken = 0;
    while ((taken = SDL_PeepEvents(events, 32, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT)) > 0) {
        for (int i = 0; i < taken; ++i) dispatch(events[i], messages);
    }
    pads_.refreshKeys(keys_);
}
