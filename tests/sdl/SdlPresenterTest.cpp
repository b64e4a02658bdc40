// The SDL presenter: vertical-blank pacing on a simulated counter (whether
// presenting waits for the display or not), and frames shown letterboxed
// and scaled nearest-neighbour in a window of the dummy video driver, which
// follows the window as the player changes it.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/sdl/display/SdlDisplayPacing.h"
#include "platform/sdl/display/SdlPresenter.h"
#include "platform/sdl/shell/SdlEventState.h"
#include "platform/sdl/software/SoftwareDisplay.h"

namespace {

// A counter in microseconds that moves only when told to, or by sleeping.
class SimulatedClock : public PacingClock {
public:
    std::int64_t ticksPerSecond() const override { return 1'000'000; }
    std::int64_t now() override { return now_; }
    void sleepMilliseconds(std::uint32_t milliseconds) override {
        sleeps.push_back(milliseconds);
        now_ += std::int64_t{milliseconds} * 1000;
    }
    void advance(double milliseconds) { now_ += static_cast<std::int64_t>(milliseconds * 1000); }

    std::int64_t now_ = 7'654'321;
    std::vector<std::uint32_t> sleeps;
};

// A frame loop as the display runs it: draw, wait for the blank, present.
// A present costs `presentMs` of work; with `blankHz` set it then blocks
// until the next blank of a display refreshing at that rate, as a renderer
// with working vsync does, except for the first `queued` presents, which a
// swap chain takes at once.
struct FrameLoop {
    explicit FrameLoop(int reportedHz) : pacing(clock, reportedHz) {}

    void run(int frames, double drawMs) {
        for (int i = 0; i < frames; ++i) {
            clock.advance(drawMs);
            pacing.waitForVerticalBlank();
            const std::int64_t called = clock.now();
            clock.advance(costs.empty() ? presentMs : costs[i % costs.size()]);
            if (blankHz > 0 && queued-- <= 0) {
                const std::int64_t period = static_cast<std::int64_t>(1e6 / blankHz);
                clock.now_ = (clock.now_ / period + 1) * period;
            }
            pacing.presented(called, clock.now());
            presents.push_back(clock.now());
        }
    }
    double spanMs(std::size_t from = 0) const {
        return (presents.back() - presents[from]) / 1000.0;
    }

    SimulatedClock clock;
    VerticalBlankPacing pacing;
    double presentMs = 0;
    std::vector<double> costs;  // cycled through instead of presentMs
    double blankHz = 0;
    int queued = 0;
    std::vector<std::int64_t> presents;
};

TEST(VerticalBlankPacing, PresentsThatReturnAtOnceRunAtTheRefreshRate) {
    const struct {
        int reported;
        int paced;
    } rates[] = {{60, 60}, {75, 75}, {0, 60}};
    for (const auto& rate : rates) {
        SCOPED_TRACE(rate.reported);
        FrameLoop loop(rate.reported);
        loop.run(2 * rate.paced + 1, 3.0);
        EXPECT_NEAR(loop.spanMs(), 2000.0, 2.0);
        for (std::size_t i = 2; i < loop.presents.size(); ++i) {
            ASSERT_GT(loop.presents[i] - loop.presents[i - 1], 1e6 / rate.paced - 1500) << i;
        }
        // Every frame but the first slept rather than spun.
        EXPECT_GE(loop.clock.sleeps.size(), loop.presents.size() - 2);
    }
}

TEST(VerticalBlankPacing, PresentsThatTakeLongWithoutWaitingAreStillPaced) {
    // The software renderer: presents cost 6 ms, or vary on a busy machine;
    // none waits. A few quick frames decide it, then one frame per refresh.
    const std::vector<std::vector<double>> patterns = {{6.0}, {3.0, 12.0, 5.0}};
    for (const auto& costs : patterns) {
        FrameLoop loop(60);
        loop.costs = costs;
        loop.run(121, 2.0);
        EXPECT_TRUE(loop.pacing.pacingItself());
        EXPECT_NEAR(loop.spanMs(20), 100 * 1000.0 / 60, 2.0);
    }
}

TEST(VerticalBlankPacing, PresentsThatWaitForTheBlankAreNotSlowedFurther) {
    // The display reports 59 Hz for a 59.94 Hz mode; the blanks still rule,
    // also after two presents the swap chain took at once.
    FrameLoop loop(59);
    loop.blankHz = 59.94;
    loop.presentMs = 1.0;
    loop.queued = 2;
    loop.run(123, 4.0);
    EXPECT_FALSE(loop.pacing.pacingItself());
    EXPECT_NEAR(loop.spanMs(2), 120 * 1000.0 / 59.94, 1.0);
    // Only the frames after the two quick presents were paced by sleeping.
    EXPECT_LE(loop.clock.sleeps.size(), 2u);
}

TEST(VerticalBlankPacing, WaitsWithNothingShownStillTakeARefreshEach) {
    SimulatedClock clock;
    VerticalBlankPacing pacing(clock, 60);
    const std::int64_t start = clock.now();
    for (int i = 0; i < 61; ++i) {
        clock.advance(0.1);
        pacing.waitForVerticalBlank();
    }
    EXPECT_NEAR((clock.now() - start) / 1000.0, 1000.0, 3.0);
}

class SdlPresenterTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        frame_ = SDL_CreateRGBSurfaceWithFormat(0, 800, 600, 16, SDL_PIXELFORMAT_RGB565);
        ASSERT_NE(frame_, nullptr);
        // Green, with a red and blue checkerboard of single pixels top-left.
        SDL_FillRect(frame_, nullptr, 0x07E0);
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 4; ++x) {
                static_cast<std::uint16_t*>(frame_->pixels)[y * frame_->pitch / 2 + x] =
                    (x + y) % 2 ? 0x001F : 0xF800;
            }
        }
    }
    void TearDown() override {
        SDL_FreeSurface(frame_);
        for (SDL_Window* window : windows_) SDL_DestroyWindow(window);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    WindowHandle window(int width, int height) {
        SDL_Window* window = SDL_CreateWindow("Zorbanix", 0, 0, width, height, SDL_WINDOW_SHOWN);
        EXPECT_NE(window, nullptr) << SDL_GetError();
        windows_.push_back(window);
        return reinterpret_cast<WindowHandle>(window);
    }
    // The colour the window shows at (x, y), as 0xRRGGBB, each channel
    // rounded down to a multiple of 16 (how 5 and 6 bits are widened to 8
    // is the renderer's business).
    static std::uint32_t shown(WindowHandle handle, int x, int y) {
        SDL_Surface* surface = SDL_GetWindowSurface(reinterpret_cast<SDL_Window*>(handle));
        const auto* row = static_cast<const std::uint8_t*>(surface->pixels) + y * surface->pitch;
        std::uint32_t raw = 0;
        std::memcpy(&raw, row + x * surface->format->BytesPerPixel, surface->format->BytesPerPixel);
        std::uint8_t r, g, b;
        SDL_GetRGB(raw, surface->format, &r, &g, &b);
        return (std::uint32_t{r} << 16 | std::uint32_t{g} << 8 | b) & 0xF0F0F0;
    }

    SimulatedClock clock_;
    SdlWindowRequests requests_;
    SdlWindowOptions options_;
    SDL_Surface* frame_ = nullptr;
    std::vector<SDL_Window*> windows_;
};

TEST_F(SdlPresenterTest, ShowsFramesLetterboxedAndSharp) {
    SdlPresenter presenter(clock_, requests_, options_);
    EXPECT_FALSE(presenter.attachWindow(nullptr));

    // Wider than 4:3: black bars left and right, the frame unscaled between.
    WindowHandle wide = window(1000, 600);
    ASSERT_TRUE(presenter.attachWindow(wide));
    presenter.present(frame_);
    EXPECT_EQ(shown(wide, 50, 300), 0x000000u);
    EXPECT_EQ(shown(wide, 950, 300), 0x000000u);
    EXPECT_EQ(shown(wide, 100, 0), 0xF00000u);
    EXPECT_EQ(shown(wide, 101, 0), 0x0000F0u);
    EXPECT_EQ(shown(wide, 899, 599), 0x00F000u);

    // Twice the size: each pixel becomes a 2 x 2 block, never a blend.
    WindowHandle large = window(1600, 1200);
    ASSERT_TRUE(presenter.attachWindow(large));
    presenter.present(frame_);
    EXPECT_EQ(shown(large, 0, 0), 0xF00000u);
    EXPECT_EQ(shown(large, 1, 1), 0xF00000u);
    EXPECT_EQ(shown(large, 2, 1), 0x0000F0u);
    EXPECT_EQ(shown(large, 3, 0), 0x0000F0u);

    // The software renderer does not wait for the blank: the wait before
    // the next frame does.
    clock_.sleeps.clear();
    presenter.present(frame_);
    presenter.waitForVerticalBlank();
    EXPECT_FALSE(clock_.sleeps.empty());
    presenter.detach();
}

TEST_F(SdlPresenterTest, FollowsScalingAsAskedAndShowsNothingWhileHidden) {
    SdlPresenter presenter(clock_, requests_, options_);
    WindowHandle handle = window(1000, 700);
    SDL_Window* sdlWindow = reinterpret_cast<SDL_Window*>(handle);
    ASSERT_TRUE(presenter.attachWindow(handle));
    presenter.present(frame_);
    EXPECT_EQ(shown(handle, 34, 100), 0x00F000u);  // 933 x 700, from x = 33

    // Whole numbers only: 800 x 600 in the middle, and what was picture
    // around it is bar now.
    ++requests_.integerScaleToggles;
    presenter.present(frame_);
    EXPECT_EQ(shown(handle, 34, 100), 0x000000u);
    EXPECT_EQ(shown(handle, 500, 30), 0x000000u);
    EXPECT_EQ(shown(handle, 100, 50), 0xF00000u);

    // Two presses within one frame are two toggles: scaling stays on. Full
    // screen pressed twice likewise ends where it began, in the window.
    requests_.integerScaleToggles += 2;
    requests_.fullScreenToggles += 2;
    presenter.present(frame_);
    EXPECT_EQ(shown(handle, 34, 100), 0x000000u);
    EXPECT_EQ(SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_FULLSCREEN, 0u);

    // Hidden: nothing drawn, and the wait is a long sleep rather than a
    // refresh period.
    SDL_HideWindow(sdlWindow);
    SDL_Surface* surface = SDL_GetWindowSurface(sdlWindow);
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 255, 255, 255));
    clock_.sleeps.clear();
    presenter.present(frame_);
    presenter.waitForVerticalBlank();
    EXPECT_EQ(shown(handle, 100, 50), 0xF0F0F0u);
    EXPECT_EQ(clock_.sleeps, std::vector<std::uint32_t>{SdlPresenter::kOutOfSightWaitMs});

    SDL_ShowWindow(sdlWindow);
    presenter.present(frame_);
    EXPECT_EQ(shown(handle, 100, 50), 0xF00000u);
    presenter.detach();
}

TEST_F(SdlPresenterTest, CooperativeLevelHandsTheWindowToThePresenter) {
    SdlPresenter presenter(clock_, requests_, options_);
    SoftwareDisplay display;
    display.setPresenter(&presenter);
    DirectDraw* driver = nullptr;
    ASSERT_EQ(display.DirectDrawCreate(nullptr, &driver), DD_OK);
    EXPECT_NE(driver->SetCooperativeLevel(nullptr, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
    WindowHandle game = window(800, 600);
    EXPECT_EQ(driver->SetCooperativeLevel(game, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
    EXPECT_TRUE(presenter.attached());
    driver->Release();
}

}  // namespace
