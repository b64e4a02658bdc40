#include "platform/sdl/web/CanvasPresenter.h"

#include <emmintrin.h>
#include <emscripten.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/sdl/LetterboxScaler.h"

namespace {

constexpr int kBandRows = 24;
constexpr int kBlockPixels = 8;  // one 16-byte comparison

// Copies each box (x, y, width, height, four ints apiece) of the surface to
// the canvas, or the whole surface when the page has asked for a repaint.
// Returns 1 when it put the whole picture: the caller then draws it all.
// The body is JavaScript, left as written.
// clang-format off
EM_JS(int, zorbanix_put_canvas_boxes, (const void* pixels, int pitch, int width, int height,
                                       const int* boxes, int count, int dryRun), {
    var canvas = Module["canvas"];
    if (!canvas || canvas.width != width || canvas.height != height) return 0;
    var all = Module["repaintCanvas"] || !Module["canvasImage"];
    if (dryRun) return all ? 1 : 0;
    Module["repaintCanvas"] = false;
    if (!Module["canvasImage"]) {
        Module["canvasContext"] = canvas.getContext("2d");
        Module["canvasImage"] = Module["canvasContext"].createImageData(width, height);
    }
    var image = Module["canvasImage"];
    var put = function(x, y, w, h) {
        for (var row = y; row < y + h; ++row) {
            var from = pixels + row * pitch + x * 4;
            image.data.set(HEAPU8.subarray(from, from + w * 4), (row * width + x) * 4);
        }
        Module["canvasContext"].putImageData(image, 0, 0, x, y, w, h);
    };
    if (all) {
        put(0, 0, width, height);
        return 1;
    }
    for (var i = 0; i < count; ++i) {
        var at = (boxes >> 2) + 4 * i;
        put(HEAP32[at], HEAP32[at + 1], HEAP32[at + 2], HEAP32[at + 3]);
    }
    return 0;
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

// The last frame put on the canvas, RGB565 rows packed.
std::vector<std::uint8_t> shown;
const SDL_Surface* shownOn = nullptr;
std::vector<int> boxes;
LetterboxScaler scaler;

}  // namespace

void presentOnCanvas(const SDL_Surface* frame, SDL_Surface* surface) {
    if (!frame || !frame->pixels || !LetterboxScaler::writes(surface) || frame->w != surface->w ||
        frame->h != surface->h || frame->w % kBlockPixels != 0) {
        return;
    }
    const int width = frame->w;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 2;
    const bool whole = shownOn != surface ||
                       shown.size() != rowBytes * static_cast<std::size_t>(frame->h) ||
                       zorbanix_put_canvas_boxes(nullptr, 0, surface->w, surface->h, nullptr, 0, 1);
    shown.resize(rowBytes * static_cast<std::size_t>(frame->h));
    shownOn = surface;
    boxes.clear();
    for (int top = 0; top < frame->h; top += kBandRows) {
        const int rows = std::min(kBandRows, frame->h - top);
        int left = whole ? 0 : width / kBlockPixels;
        int right = whole ? width / kBlockPixels : 0;
        for (int y = top; y < top + rows && !whole; ++y) {
            int first = 0;
            int end = 0;
            changedBlocks(rowOf(frame, y), &shown[y * rowBytes], width / kBlockPixels, &first,
                          &end);
            if (first < end) left = std::min(left, first), right = std::max(right, end);
        }
        if (left >= right) continue;
        for (int y = top; y < top + rows; ++y)
            std::memcpy(&shown[y * rowBytes], rowOf(frame, y), rowBytes);
        SDL_Surface* from = band(frame, top, rows);
        SDL_Surface* to = band(surface, top, rows);
        if (from && to) scaler.draw(from, to);
        SDL_FreeSurface(from);
        SDL_FreeSurface(to);
        boxes.insert(boxes.end(), {left * kBlockPixels, top, (right - left) * kBlockPixels, rows});
    }
    zorbanix_put_canvas_boxes(surface->pixels, surface->pitch, surface->w, surface->h, boxes.data(),
                              static_cast<int>(boxes.size() / 4), 0);
}
