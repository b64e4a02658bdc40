// Presenting one 800 x 600 RGB565 frame through the SDL presenter under the
// software renderer, against one 800 x 600 32-bit copy.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/sdl/display/SdlPresenter.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// No display and no accelerated renderer unless the caller chose otherwise.
bool videoReady() {
    static const bool ready = [] {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_RENDER_DRIVER", "software", 0);
        return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    }();
    return ready;
}

// A frame with something in every pixel, so that no copy can skip zeros.
SDL_Surface* paintedFrame() {
    SDL_Surface* frame =
        SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 16, SDL_PIXELFORMAT_RGB565);
    if (!frame) return nullptr;
    for (int y = 0; y < kHeight; ++y) {
        auto* row =
            reinterpret_cast<std::uint16_t*>(static_cast<Uint8*>(frame->pixels) + y * frame->pitch);
        for (int x = 0; x < kWidth; ++x) row[x] = static_cast<std::uint16_t>(x * 31 + y * 977);
    }
    return frame;
}

// The window is the screen: 800 x 600 as the game's own mode, or the
// display's desktop size (arguments 0, 0), where the frame is letterboxed.
void BM_Present(benchmark::State& state) {
    if (!videoReady()) {
        state.SkipWithError(SDL_GetError());
        return;
    }
    int width = static_cast<int>(state.range(0));
    int height = static_cast<int>(state.range(1));
    SDL_DisplayMode desktop;
    if (width == 0 && SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
        width = desktop.w;
        height = desktop.h;
    }
    SDL_Window* window = SDL_CreateWindow("Zorbanix", 0, 0, width, height, 0);
    SDL_Surface* frame = paintedFrame();
    const SdlWindowRequests noRequests;
    const SdlWindowOptions options;
    SdlPacingClock clock;
    SdlPresenter presenter(clock, noRequests, options);
    if (!window || !frame || !presenter.attachWindow(reinterpret_cast<WindowHandle>(window))) {
        state.SkipWithError(SDL_GetError());
    } else {
        std::string how = "window surface";
        SDL_RendererInfo info;
        if (presenter.renderer() && SDL_GetRendererInfo(presenter.renderer(), &info) == 0) {
            how = std::string("renderer ") + info.name;
        }
        state.SetLabel(how + " " + std::to_string(width) + "x" + std::to_string(height));
        for (auto _ : state) presenter.present(frame);
    }
    presenter.detach();
    if (frame) SDL_FreeSurface(frame);
    if (window) SDL_DestroyWindow(window);
}
BENCHMARK(BM_Present)->Args({kWidth, kHeight})->Args({0, 0})->Unit(benchmark::kMicrosecond);

void BM_PresentFloor(benchmark::State& state) {
    const std::size_t bytes = static_cast<std::size_t>(kWidth) * kHeight * 4;
    std::vector<unsigned char> from(bytes, 1);
    std::vector<unsigned char> to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PresentFloor)->Unit(benchmark::kMicrosecond);

}  // namespace
