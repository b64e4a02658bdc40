#pragma once

#include <SDL.h>

#include <cstdint>

#include "platform/sdl/display/LetterboxScaler.h"
#include "platform/sdl/display/SdlDisplayPacing.h"
#include "platform/sdl/display/SdlWindowOptions.h"
#include "platform/sdl/display/SoundNote.h"
#include "platform/sdl/shell/PlayerChoices.h"
#include "platform/sdl/shell/SdlEventState.h"
#include "platform/sdl/software/SoftwareDisplay.h"

// Shows the software display's frames in the game window, letterboxed and
// scaled nearest-neighbour. Where graphics hardware draws, through an SDL
// renderer with an 800 x 600 logical size and a streaming texture that each
// newly visible buffer is copied into. Where nothing but the processor would
// draw (SDL's software renderer, or OpenGL on a software rasterizer such as
// llvmpipe, as on a bare X server), a renderer costs several copies and
// blends per frame, so the frame is written straight into the window's own
// surface instead. DirectDraw's SetCooperativeLevel hands over the window, a
// WindowHandle that is the SDL_Window* itself.
//
// At each frame the presenter carries out what the player asked for since
// the last, as the shell's event loop counts the requests (SdlEventState.h;
// the presenter only reads them, and keeps its own count of those it has
// carried out): full screen or a window, whole-number scaling on or off; and
// after a resize it paints the bars again. While the window is minimised or hidden nothing is
// shown and the wait for the blank lasts a quarter of a second, so the game
// goes on at a few frames a second on next to no processor time; its clock
// is the tick counter, so its pace does not change.
// What the player changed is told, once carried out, to whoever keeps it
// (PlayerChoices.h).

class SdlSoundOutput;

class SdlPresenter final : public FramePresenter {
public:
    // `options`: how the window was made, read when a window is attached
    // and when it leaves full screen.
    SdlPresenter(PacingClock& clock, const SdlWindowRequests& requests,
                 const SdlWindowOptions& options);
    ~SdlPresenter() override;
    SdlPresenter(const SdlPresenter&) = delete;
    SdlPresenter& operator=(const SdlPresenter&) = delete;

    bool attachWindow(WindowHandle window) override;
    void present(SDL_Surface* visible) override;
    void waitForVerticalBlank() override;
    // The frame goes out as soon as it is drawn, the pacing sleep follows.
    bool waitsAfterPresent() const override { return true; }

    // Gives up the renderer; to be called before the window is destroyed.
    void detach();

    // The sound whose changes are noted over the frame, and the folders
    // the note's letters are read from; none notes nothing.
    void noteSoundOf(const SdlSoundOutput* sound, const std::vector<std::string>* folders) {
        sound_ = sound;
        soundNote_.readLettersFrom(folders);
    }
    // Whoever keeps the player's changes; none keeps nothing.
    void tellChoices(PlayerChoices* choices) { choices_ = choices; }
    // How many frames a window's size must stay as it is before a resize
    // counts as settled, and how many frames the presenter goes on putting
    // a window back where it was (see settlePlace).
    static constexpr int kSettleFrames = 30;

    // The renderer in use; null while frames go to the window's surface.
    SDL_Renderer* renderer() const { return renderer_; }
    bool showsOnWindowSurface() const { return onSurface_; }
    bool attached() const { return window_ != nullptr; }
    int refreshRate() const { return pacing_.refreshRate(); }

    // How long the wait for the blank lasts while the window is out of sight.
    static constexpr std::uint32_t kOutOfSightWaitMs = 250;

private:
    bool textureFits(const SDL_Surface* visible);
    void presentOnSurface(SDL_Surface* visible);
    bool outOfSight() const;
    void takeRequests();
    void switchFullScreen();
    void settlePlace();
    void adoptKeptPlace();
    void setIntegerScale(bool on);

    PacingClock& clock_;
    const SdlWindowRequests& requests_;
    const SdlWindowOptions& options_;
    // The requests carried out so far.
    SdlWindowRequests done_;
    VerticalBlankPacing pacing_;
    SDL_Window* window_ = nullptr;
    std::uint32_t windowId_ = 0;
    SDL_Renderer* renderer_ = nullptr;
    bool ownsRenderer_ = false;
    SDL_Texture* texture_ = nullptr;
    bool onSurface_ = false;
    LetterboxScaler scaler_;
    // Set when the window's surface may have been made anew since the last
    // frame (a resize, even one undone before the frame, or a switch of the
    // presenter's own), whose bars are then painted again.
    bool surfaceChanged_ = false;
    // Where the window was, and how large, before it went full screen.
    SDL_Rect windowed_ = {0, 0, 0, 0};
    PlayerChoices* choices_ = nullptr;
    // Frames left in which a window is put back at windowed_ when the window
    // manager placed it elsewhere, and until a resize counts as settled.
    int placeFrames_ = 0;
    int resizeFrames_ = 0;
    const SdlSoundOutput* sound_ = nullptr;
    SoundNote soundNote_;
};
