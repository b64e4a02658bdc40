#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "platform/sdl/display/LetterboxScaler.h"
#include "platform/sdl/software/SoftwareDisplay.h"

// The browser's presenter: frames go onto the page's canvas, and the wait
// for the vertical blank is a yield to the browser until its next animation
// frame.
//
// Frames: the window's surface (800 x 600, like the canvas, which SDL keeps
// at that size since the window cannot be resized) is the canvas's copy, but
// only the parts of a frame that changed since the frame before are put on
// the canvas: the picture is cut into bands of rows, and of each band that
// changed only the columns between its first and last changed pixel are
// widened into the surface and put with putImageData. A still screen (title,
// get ready, paused) then costs the browser no copy at all, and play only
// the small boxes where things move. SDL's own copy would put the whole
// window at every frame.
//
// Pacing: the browser shows the canvas only when control goes back to it, so
// the wait yields (Asyncify keeps the game's stack) until the next
// requestAnimationFrame: one frame per display refresh, and the tab never
// freezes. The wait comes after the present (waitsAfterPresent), so within
// one animation frame the game takes the page's key events, reads the keys,
// draws and puts the frame on the canvas, all before the browser composites.
// A hidden page gets no animation frames, so the wait ends as soon as the
// page is hidden, and while it stays hidden it lasts a quarter of a second
// (which the browser stretches to about a second). The game thus
// sees its window hidden at once, as SDL reports it, and pauses play as a
// desktop build does when minimised; and it goes on at the next animation
// frame once the page shows again. This is the one place that knows of a
// hidden page.
class CanvasPresenter final : public FramePresenter {
public:
    bool attachWindow(WindowHandle window) override;
    void present(SDL_Surface* frame) override;
    void waitForVerticalBlank() override;
    // The frame is put on the canvas before the yield, so that it is drawn
    // from the keys read at the animation frame and shown at that frame.
    bool waitsAfterPresent() const override { return true; }

    void detach();

private:
    SDL_Window* window_ = nullptr;
    // The last frame put on the canvas, RGB565 rows packed; empty when the
    // canvas must be put whole.
    std::vector<std::uint8_t> shown_;
    std::vector<int> boxes_;
    LetterboxScaler scaler_;
};
