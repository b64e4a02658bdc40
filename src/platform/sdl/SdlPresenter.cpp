#include "platform/sdl/SdlPresenter.h"

namespace {

constexpr int kLogicalWidth = 800;
constexpr int kLogicalHeight = 600;

int reportedRefreshRate(SDL_Window* window) {
    const int display = SDL_GetWindowDisplayIndex(window);
    SDL_DisplayMode mode;
    if (display < 0 || SDL_GetCurrentDisplayMode(display, &mode) != 0) return 0;
    return mode.refresh_rate;
}

}  // namespace

SdlPresenter::SdlPresenter(PacingClock& clock) : clock_(clock), pacing_(clock, 0) {}

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
    window_ = nullptr;
    windowId_ = 0;
}

bool SdlPresenter::attachWindow(WindowHandle window) {
    SDL_Window* sdlWindow = reinterpret_cast<SDL_Window*>(window);
    if (!sdlWindow) return false;
    if (sdlWindow == window_ && renderer_) return true;
    detach();

    // Pixels stay square and sharp at any window size.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
    SDL_Renderer* renderer = SDL_GetRenderer(sdlWindow);
    bool owns = false;
    if (!renderer) {
        renderer =
            SDL_CreateRenderer(sdlWindow, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
        if (!renderer) renderer = SDL_CreateRenderer(sdlWindow, -1, SDL_RENDERER_SOFTWARE);
        if (!renderer) return false;
        owns = true;
    }
    if (SDL_RenderSetLogicalSize(renderer, kLogicalWidth, kLogicalHeight) != 0) {
        if (owns) SDL_DestroyRenderer(renderer);
        return false;
    }
    window_ = sdlWindow;
    windowId_ = SDL_GetWindowID(sdlWindow);
    renderer_ = renderer;
    ownsRenderer_ = owns;
    pacing_.setRefreshRate(reportedRefreshRate(sdlWindow));
    return true;
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

void SdlPresenter::present(SDL_Surface* visible) {
    const std::int64_t called = clock_.now();
    if (renderer_ && visible && textureFits(visible)) {
        SDL_UpdateTexture(texture_, nullptr, visible->pixels, visible->pitch);
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
        SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
        SDL_RenderPresent(renderer_);
    }
    pacing_.presented(called, clock_.now());
}

void SdlPresenter::waitForVerticalBlank() { pacing_.waitForVerticalBlank(); }
