#pragma once

#include <SDL.h>

#include <cstdint>

#include "platform/sdl/SdlDisplayPacing.h"
#include "platform/sdl/software/SoftwareDisplay.h"

// Shows the software display's frames in the game window: an SDL renderer
// with an 800 x 600 logical size (letterboxed, scaled nearest-neighbour) and
// a streaming texture that each newly visible buffer is copied into.
// DirectDraw's SetCooperativeLevel hands over the window, a WindowHandle that
// is the SDL_Window* itself.
class SdlPresenter final : public FramePresenter {
public:
    explicit SdlPresenter(PacingClock& clock = sdlPacingClock());
    ~SdlPresenter() override;
    SdlPresenter(const SdlPresenter&) = delete;
    SdlPresenter& operator=(const SdlPresenter&) = delete;

    bool attachWindow(WindowHandle window) override;
    void present(SDL_Surface* visible) override;
    void waitForVerticalBlank() override;

    // Gives up the renderer; to be called before the window is destroyed.
    void detach();

    SDL_Renderer* renderer() const { return renderer_; }
    int refreshRate() const { return pacing_.refreshRate(); }

private:
    bool textureFits(const SDL_Surface* visible);

    PacingClock& clock_;
    VerticalBlankPacing pacing_;
    SDL_Window* window_ = nullptr;
    std::uint32_t windowId_ = 0;
    SDL_Renderer* renderer_ = nullptr;
    bool ownsRenderer_ = false;
    SDL_Texture* texture_ = nullptr;
};
