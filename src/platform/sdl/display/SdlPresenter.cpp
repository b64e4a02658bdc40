#include "platform/sdl/display/SdlPresenter.h"

#include <algorithm>
#include <cstring>

#include "platform/PictureSize.h"
#include "platform/sdl/audio/SdlSoundOutput.h"
#include "platform/sdl/display/SdlWindowOptions.h"

#if defined(__linux__)
#include <dirent.h>
#include <unistd.h>
#endif

namespace {

int reportedRefreshRate(SDL_Window* window) {
    const int display = SDL_GetWindowDisplayIndex(window);
    SDL_DisplayMode mode;
    if (display < 0 || SDL_GetCurrentDisplayMode(display, &mode) != 0) return 0;
    return mode.refresh_rate;
}

// Whether a renderer could draw with graphics hardware at all. On Linux that
// takes a kernel graphics device; without one (a bare X server, a container)
// OpenGL can only be a software rasterizer, and merely making its renderer
// costs a third of a second of start-up (the rasterizer compiles its shaders)
// before it is thrown away. A renderer asked for by name is always tried.
bool mayDrawInHardware() {
    const char* chosen = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
    if (chosen && *chosen) return true;
#if defined(__linux__)
    if (access("/dev/nvidiactl", F_OK) == 0) return true;
    DIR* devices = opendir("/dev/dri");
    if (!devices) return false;
    bool found = false;
    while (const dirent* entry = readdir(devices)) {
        if (std::strncmp(entry->d_name, "card", 4) == 0 ||
            std::strncmp(entry->d_name, "renderD", 7) == 0) {
            found = true;
            break;
        }
    }
    closedir(devices);
    return found;
#else
    return true;
#endif
}

// Whether the renderer draws with nothing but the processor: SDL's software
// renderer, or an OpenGL one whose driver is a software rasterizer (its
// context is current right after the renderer was made).
bool drawsInSoftware(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0) return true;
    if (info.flags & SDL_RENDERER_SOFTWARE) return true;
    if (std::strncmp(info.name, "opengl", 6) != 0 || !SDL_GL_GetCurrentContext()) return false;
    using GetString = const unsigned char* (*)(unsigned int);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    constexpr unsigned int kGlRenderer = 0x1F01;
    const auto* name = getString ? reinterpret_cast<const char*>(getString(kGlRenderer)) : nullptr;
    if (!name) return false;
    for (const char* software : {"llvmpipe", "softpipe", "Software Rasterizer", "SWR"}) {
        if (std::strstr(name, software)) return true;
    }
    return false;
}

}  // namespace

SdlPresenter::SdlPresenter(PacingClock& clock, const SdlWindowRequests& requests,
                           const SdlWindowOptions& options)
    : clock_(clock), requests_(requests), options_(options), done_(requests), pacing_(clock, 0) {}

SdlPresenter::~SdlPresenter() { detach(); }

void SdlPresenter::detach() {
    // After SDL_Quit, or once the window is gone, SDL has freed the renderer
    // with it; only a window SDL still knows may be touched.
    const bool windowAlive =
        window_ && SDL_WasInit(SDL_INIT_VIDEO) && SDL_GetWindowFromID(windowId_) == window_;
    if (windowAlive) {
        if (texture_) SDL_DestroyTexture(texture_);
        if (renderer_ && ownsRenderer_) SDL_DestroyRenderer(renderer_);
    }
    texture_ = nullptr;
    renderer_ = nullptr;
    ownsRenderer_ = false;
    onSurface_ = false;
    scaler_.reset();
    window_ = nullptr;
    windowId_ = 0;
    windowed_ = {0, 0, 0, 0};
    placeFrames_ = 0;
    resizeFrames_ = 0;
}

// A window opened where an earlier run left it stays there, and a game
// started full screen goes back there on leaving it.
void SdlPresenter::adoptKeptPlace() {
    if (!options_.placed) return;
    windowed_ = options_.place;
    if ((SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) == 0) placeFrames_ = kSettleFrames;
}

bool SdlPresenter::attachWindow(WindowHandle window) {
    SDL_Window* sdlWindow = reinterpret_cast<SDL_Window*>(window);
    if (!sdlWindow) return false;
    if (sdlWindow == window_ && (renderer_ || onSurface_)) return true;
    detach();

    // Pixels stay square and sharp at any window size.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
    SDL_Renderer* renderer = SDL_GetRenderer(sdlWindow);
    bool owns = false;
    if (!renderer) {
        if (mayDrawInHardware()) {
            renderer = SDL_CreateRenderer(sdlWindow, -1,
                                          SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
        }
        if (renderer && drawsInSoftware(renderer)) {
            SDL_DestroyRenderer(renderer);
            renderer = nullptr;
        }
        if (!renderer) {
            // The window's own surface, in the platform's native pixels
            // (SDL would otherwise back it with a renderer again).
            SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
            if (SDL_GetWindowSurface(sdlWindow)) {
                window_ = sdlWindow;
                windowId_ = SDL_GetWindowID(sdlWindow);
                onSurface_ = true;
                pacing_.setRefreshRate(reportedRefreshRate(sdlWindow));
                setIntegerScale(options_.integerScale);
                adoptKeptPlace();
                return true;
            }
            renderer = SDL_CreateRenderer(sdlWindow, -1, SDL_RENDERER_SOFTWARE);
        }
        if (!renderer) return false;
        owns = true;
    }
    if (SDL_RenderSetLogicalSize(renderer, kPictureWidth, kPictureHeight) != 0) {
        if (owns) SDL_DestroyRenderer(renderer);
        return false;
    }
    window_ = sdlWindow;
    windowId_ = SDL_GetWindowID(sdlWindow);
    renderer_ = renderer;
    ownsRenderer_ = owns;
    pacing_.setRefreshRate(reportedRefreshRate(sdlWindow));
    setIntegerScale(options_.integerScale);
    adoptKeptPlace();
    return true;
}

bool SdlPresenter::outOfSight() const {
    return window_ && (SDL_GetWindowFlags(window_) & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN));
}

void SdlPresenter::setIntegerScale(bool on) {
    scaler_.setIntegerScale(on);
    if (renderer_) SDL_RenderSetIntegerScale(renderer_, on ? SDL_TRUE : SDL_FALSE);
}

void SdlPresenter::takeRequests() {
    if (!window_) return;
    // Every toggle counts, however many came since the last frame: an even
    // number of them leaves the window as it was, an odd number switches it
    // once. Resizes since the last frame are one resize.
    const SdlWindowRequests asked = requests_;
    if (asked.resizes != done_.resizes) {
        surfaceChanged_ = true;
        resizeFrames_ = kSettleFrames;
    }
    if (((asked.fullScreenToggles - done_.fullScreenToggles) & 1u) != 0) switchFullScreen();
    if (((asked.integerScaleToggles - done_.integerScaleToggles) & 1u) != 0) {
        setIntegerScale(!scaler_.integerScale());
        if (choices_) choices_->integerScaleSwitched(scaler_.integerScale());
    }
    done_ = asked;
    settlePlace();
    if (resizeFrames_ > 0 && --resizeFrames_ == 0 && placeFrames_ == 0 && choices_) {
        choices_->windowSettled(window_);
    }
}

// A window manager that frames windows (openbox, and most others) takes a
// place asked for at once after leaving full screen, or before the window is
// first shown, as its frame's place rather than the window's: SDL learns the
// frame's size only from the window manager's answer, which comes later.
// Each round trip to full screen would then move the window down and right
// by the frame's top and left. Until the window stands where it was, for a
// few frames, it is put back there again, once SDL knows the frame.
void SdlPresenter::settlePlace() {
    if (placeFrames_ == 0) return;
    --placeFrames_;
    if (SDL_GetWindowFlags(window_) & (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_MAXIMIZED)) {
        placeFrames_ = 0;
        return;
    }
    int x = 0;
    int y = 0;
    SDL_GetWindowPosition(window_, &x, &y);
    if (x == windowed_.x && y == windowed_.y) {
        placeFrames_ = 0;
    } else {
        SDL_SetWindowPosition(window_, windowed_.x, windowed_.y);
    }
}

void SdlPresenter::switchFullScreen() {
    const int display = std::max(SDL_GetWindowDisplayIndex(window_), 0);
    if ((SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) == 0) {
        SDL_GetWindowPosition(window_, &windowed_.x, &windowed_.y);
        SDL_GetWindowSize(window_, &windowed_.w, &windowed_.h);
        // Where no window manager makes the window full-screen, it covers the
        // screen by its own size and place.
        SDL_Rect screen;
        if (SDL_GetDisplayBounds(display, &screen) == 0) {
            SDL_SetWindowPosition(window_, screen.x, screen.y);
            SDL_SetWindowSize(window_, screen.w, screen.h);
        }
        SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
        placeFrames_ = 0;
        resizeFrames_ = 0;
        if (choices_) choices_->fullScreenSwitched(true, windowed_);
    } else {
        SDL_SetWindowFullscreen(window_, 0);
        SDL_SetWindowResizable(window_, SDL_TRUE);
        // Full screen from the start: the window the player would have got
        // with a window from the start.
        if (windowed_.w <= 0 || windowed_.h <= 0) {
            windowed_ = windowedPlace(display, options_.scale);
        }
        SDL_SetWindowSize(window_, windowed_.w, windowed_.h);
        SDL_SetWindowPosition(window_, windowed_.x, windowed_.y);
        placeFrames_ = kSettleFrames;
        if (choices_) choices_->fullScreenSwitched(false, windowed_);
    }
    surfaceChanged_ = true;
}

bool SdlPresenter::textureFits(const SDL_Surface* visible) {
    if (texture_) {
        Uint32 format = 0;
        int width = 0;
        int height = 0;
        SDL_QueryTexture(texture_, &format, nullptr, &width, &height);
        if (format == visible->format->format && width == visible->w && height == visible->h) {
            return true;
        }
        SDL_DestroyTexture(texture_);
    }
    texture_ = SDL_CreateTexture(renderer_, visible->format->format, SDL_TEXTUREACCESS_STREAMING,
                                 visible->w, visible->h);
    if (!texture_) return false;
    // Whatever the hint says by now, the frame is scaled without blending.
    SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
    return true;
}

void SdlPresenter::presentOnSurface(SDL_Surface* visible) {
    // Asked for at every frame: a resized window has a new surface, which
    // may even be where the last one was, so the bars are painted again.
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (!surface) return;
    if (surfaceChanged_) scaler_.reset();
    surfaceChanged_ = false;
    if (LetterboxScaler::writes(surface)) {
        scaler_.draw(visible, surface);
    } else {
        // A window in some other layout: SDL converts, slowly but right.
        SDL_Rect area = LetterboxScaler::placement(visible->w, visible->h, surface->w, surface->h,
                                                   scaler_.integerScale());
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
        SDL_BlitScaled(visible, nullptr, surface, &area);
    }
    SDL_UpdateWindowSurface(window_);
}

void SdlPresenter::present(SDL_Surface* visible) {
    takeRequests();
    // Out of sight the frame is not shown at all; the wait that follows
    // sleeps instead.
    if (outOfSight()) return;
    const std::int64_t called = clock_.now();
    // A change of the sound is noted over a copy of the frame, never in it.
    if (sound_ != nullptr) {
        visible = soundNote_.over(visible, sound_->muted(), sound_->volume(), SDL_GetTicks());
    }
    if (onSurface_ && visible) {
        presentOnSurface(visible);
    } else if (renderer_ && visible && textureFits(visible)) {
        SDL_UpdateTexture(texture_, nullptr, visible->pixels, visible->pitch);
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
        SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
        SDL_RenderPresent(renderer_);
    }
    pacing_.presented(called, clock_.now());
}

void SdlPresenter::waitForVerticalBlank() {
    if (outOfSight()) {
        clock_.sleepMilliseconds(kOutOfSightWaitMs);
    } else {
        pacing_.waitForVerticalBlank();
    }
}
