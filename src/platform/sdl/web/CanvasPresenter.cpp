#include "platform/sdl/web/CanvasPresenter.h"

#include <emmintrin.h>
#include <emscripten.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr int kBandRows = 24;
constexpr int kBlockPixels = 8;  // one 16-byte comparison

// Copies each box (x, y, width, height, four ints apiece) of the surface to
// the canvas. Returns 0 when the canvas is not there or not of the surface's
// size, and nothing was put.
// The body is JavaScript, left as written.
// clang-format off
EM_JS(int, zorbanix_put_canvas_boxes, (const void* pixels, int pitch, int width, int height,
                                       const int* boxes, int count), {
    var canvas = Module["canvas"];
    if (!canvas || canvas.width != width || canvas.height != height) return 0;
    if (!Module["canvasImage"]) {
        Module["canvasContext"] = canvas.getContext("2d");
        Module["canvasImage"] = Module["canvasContext"].createImageData(width, height);
    }
    var image = Module["canvasImage"];
    for (var i = 0; i < count; ++i) {
        var at = (boxes >> 2) + 4 * i;
        var x = HEAP32[at], y = HEAP32[at + 1], w = HEAP32[at + 2], h = HEAP32[at + 3];
        for (var row = y; row < y + h; ++row) {
            var from = pixels + row * pitch + x * 4;
            image.data.set(HEAPU8.subarray(from, from + w * 4), (row * width + x) * 4);
        }
        Module["canvasContext"].putImageData(image, 0, 0, x, y, w, h);
    }
    return 1;
});

// Module.onAnimationFrameWait, where the page sets one, hears of each wait
// before it yields: the page lays the canvas out once the game's window
// exists, and the first wait comes right after the first picture.
// The wait ends at the next animation frame, or at once when the page is
// hidden meanwhile; on a hidden page it ends after 250 ms (as the browser's
// timers allow), or at once when the page shows again.
EM_JS(void, zorbanix_wait_for_animation_frame, (), {
    if (Module["onAnimationFrameWait"]) Module["onAnimationFrameWait"]();
    Asyncify.handleSleep(function(wakeUp) {
        var hidden = document.hidden;
        var woken = false;
        var onChange;
        var wake = function() {
            if (woken) return;
            woken = true;
            document.removeEventListener("visibilitychange", onChange);
            wakeUp();
        };
        onChange = function() { if (document.hidden != hidden) wake(); };
        document.addEventListener("visibilitychange", onChange);
        if (hidden) {
            setTimeout(wake, 250);
        } else {
            requestAnimationFrame(wake);
        }
    });
});
// clang-format on

const std::uint8_t* rowOf(const SDL_Surface* surface, int y) {
    return static_cast<const std::uint8_t*>(surface->pixels) +
           static_cast<std::ptrdiff_t>(y) * surface->pitch;
}

// The first and one past the last block of `blocks` 16-byte blocks in which
// the rows differ; first == end when they are the same.
void changedBlocks(const std::uint8_t* a, const std::uint8_t* b, int blocks, int* first, int* end) {
    const auto same = [&](int i) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a) + i);
        const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b) + i);
        return _mm_movemask_epi8(_mm_cmpeq_epi8(x, y)) == 0xFFFF;
    };
    int i = 0;
    while (i < blocks && same(i)) ++i;
    int j = blocks;
    while (j > i && same(j - 1)) --j;
    *first = i;
    *end = j;
}

// A view of rows [top, top + rows) of a surface, as a surface of its own.
SDL_Surface* band(const SDL_Surface* surface, int top, int rows) {
    return SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint8_t*>(rowOf(surface, top)),
                                              surface->w, rows, surface->format->BitsPerPixel,
                                              surface->pitch, surface->format->format);
}

}  // namespace

bool CanvasPresenter::attachWindow(WindowHandle window) {
    SDL_Window* sdlWindow = reinterpret_cast<SDL_Window*>(window);
    if (!sdlWindow) return false;
    // The window's own surface, never a renderer (SDL is built without).
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (!SDL_GetWindowSurface(sdlWindow)) return false;
    if (sdlWindow != window_) shown_.clear();
    window_ = sdlWindow;
    return true;
}

void CanvasPresenter::detach() {
    window_ = nullptr;
    shown_.clear();
    scaler_.reset();
}

void CanvasPresenter::present(SDL_Surface* frame) {
    SDL_Surface* surface = window_ ? SDL_GetWindowSurface(window_) : nullptr;
    if (!surface || !frame || !frame->pixels || !LetterboxScaler::writes(surface) ||
        frame->w != surface->w || frame->h != surface->h || frame->w % kBlockPixels != 0) {
        return;
    }
    const int width = frame->w;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 2;
    const std::size_t frameBytes = rowBytes * static_cast<std::size_t>(frame->h);
    const bool whole = shown_.size() != frameBytes;
    shown_.resize(frameBytes);
    boxes_.clear();
    for (int top = 0; top < frame->h; top += kBandRows) {
        const int rows = std::min(kBandRows, frame->h - top);
        int left = whole ? 0 : width / kBlockPixels;
        int right = whole ? width / kBlockPixels : 0;
        for (int y = top; y < top + rows && !whole; ++y) {
            int first = 0;
            int end = 0;
            changedBlocks(rowOf(frame, y), &shown_[y * rowBytes], width / kBlockPixels, &first,
                          &end);
            if (first < end) left = std::min(left, first), right = std::max(right, end);
        }
        if (left >= right) continue;
        for (int y = top; y < top + rows; ++y) {
            std::memcpy(&shown_[y * rowBytes], rowOf(frame, y), rowBytes);
        }
        SDL_Surface* from = band(frame, top, rows);
        SDL_Surface* to = band(surface, top, rows);
        if (from && to) scaler_.draw(from, to);
        SDL_FreeSurface(from);
        SDL_FreeSurface(to);
        boxes_.insert(boxes_.end(),
                      {left * kBlockPixels, top, (right - left) * kBlockPixels, rows});
    }
    if (boxes_.empty()) return;
    if (!zorbanix_put_canvas_boxes(surface->pixels, surface->pitch, surface->w, surface->h,
                                   boxes_.data(), static_cast<int>(boxes_.size() / 4))) {
        // Nothing reached the canvas: the next frame goes whole.
        shown_.clear();
    }
}

void CanvasPresenter::waitForVerticalBlank() { zorbanix_wait_for_animation_frame(); }
