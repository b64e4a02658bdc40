// The pixel cases on the software display, in both 16-bit layouts, and the
// cases only the software display can run: what a flip hands the presenter,
// and surfaces lost on purpose.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "display/BackBuffer.h"
#include "display/Bitmap.h"
#include "display/DisplayDevice.h"
#include "display/PixelBackend.h"
#include "display/PrimarySurface.h"
#include "display/Sprite.h"
#include "display/SpriteFrame.h"
#include "platform/sdl/software/SoftwareDisplay.h"

namespace {

WindowHandle const kWindow = reinterpret_cast<WindowHandle>(0x1000);
constexpr std::uint32_t kRed = 0x0000FF;

// Records what the display asks of its presenter, in order.
class RecordingPresenter : public FramePresenter {
public:
    bool attachWindow(WindowHandle window) override {
        window_ = window;
        return true;
    }
    void present(SDL_Surface* visible) override {
        calls_ += "present ";
        shown_ = visible;
    }
    void waitForVerticalBlank() override { calls_ += "wait "; }
    bool waitsAfterPresent() const override { return waitsAfter_; }

    bool waitsAfter_ = false;
    WindowHandle window_ = nullptr;
    std::string calls_;
    SDL_Surface* shown_ = nullptr;
};

// The whole display set up on software surfaces: the back buffer is the one
// attached to the primary, clipped by the clipper bound to the window.
class SoftwarePixelBackend : public PixelBackend {
public:
    explicit SoftwarePixelBackend(PixelLayout layout) : layout_(layout) {}

    bool start() override {
        platform_ = std::make_unique<SoftwareDisplay>(layout_);
        platform_->setPresenter(&presenter_);
        installDisplayPlatform(platform_.get());
        display_ = std::make_unique<DisplayDevice>();
        return display_->Create(kWindow, 800, 600, 16);
    }
    void finish() override {
        display_.reset();
        if (platform_) {
            EXPECT_EQ(platform_->liveObjects(), 0);
        }
        installDisplayPlatform(nullptr);
    }
    Layout16 layout() const override {
        return layout_ == PixelLayout::Rgb565 ? Layout16::Rgb565 : Layout16::Rgb555;
    }
    VideoDriver* driver() override { return display_->driver(); }
    Surface* backBuffer() override { return display_->backBuffer(); }
    Pixels read(DdSurface* surface) override {
        Pixels pixels;
        const SDL_Surface* sdl = platform_->sdlSurface(surface);
        if (!sdl) return pixels;
        pixels.width = sdl->w;
        pixels.height = sdl->h;
        for (int y = 0; y < sdl->h; ++y) {
            const auto* row = reinterpret_cast<const std::uint16_t*>(
                static_cast<const std::uint8_t*>(sdl->pixels) + y * sdl->pitch);
            pixels.values.insert(pixels.values.end(), row, row + sdl->w);
        }
        return pixels;
    }

    SoftwareDisplay& platform() { return *platform_; }
    DisplayDevice& display() { return *display_; }
    RecordingPresenter& presenter() { return presenter_; }
    SDL_Surface* backSurface() const {
        return platform_->sdlSurface(display_->backBuffer()->platformSurface());
    }

private:
    PixelLayout layout_;
    std::unique_ptr<SoftwareDisplay> platform_;
    RecordingPresenter presenter_;
    std::unique_ptr<DisplayDevice> display_;
};

SoftwarePixelBackend& software(PixelBackend& backend) {
    return static_cast<SoftwarePixelBackend&>(backend);
}

TEST_P(PixelDrawing, FlipShowsTheFrameAndHandsTheOldOneBack) {
    SoftwarePixelBackend& sw = software(backend());
    EXPECT_EQ(sw.presenter().window_, kWindow);
    SDL_Surface* drawn = sw.backSurface();
    fillBack(raw(kRed));
    ASSERT_TRUE(sw.display().primary()->Flip(driver()));
    EXPECT_EQ(sw.presenter().calls_, "wait present ");
    EXPECT_EQ(sw.presenter().shown_, drawn);
    EXPECT_EQ(sw.platform().frontBuffer(), drawn);
    EXPECT_NE(sw.backSurface(), drawn);
    EXPECT_EQ(sw.platform().backBuffer(), sw.backSurface());
    EXPECT_NE(backPixels().at(0, 0), raw(kRed));
}

TEST_P(PixelDrawing, AWaitPutOffUntilAfterThePresentIsMadeOnceAllTheSame) {
    SoftwarePixelBackend& sw = software(backend());
    std::string& calls = sw.presenter().calls_;
    sw.presenter().waitsAfter_ = true;
    ASSERT_TRUE(sw.display().primary()->Flip(driver()));
    EXPECT_EQ(calls, "present wait ");
    // Refused flips show nothing and leave their waits owed: each further
    // wait makes the one owed, so such a loop is still paced.
    sw.platform().failCall(SoftwareCall::Flip);
    for (const char* expected : {"present wait ", "present wait wait "}) {
        sw.display().primary()->Flip(driver());
        EXPECT_EQ(calls, expected);
    }
    sw.platform().clearFailures();
    ASSERT_TRUE(sw.display().primary()->Flip(driver()));
    EXPECT_EQ(calls, "present wait wait wait present wait ");
}

TEST_P(PixelDrawing, BlitRestoresLostSurfacesButNotTheirPictures) {
    SoftwarePixelBackend& sw = software(backend());
    Bitmap bitmap;
    ASSERT_TRUE(load(bitmap, PictureLayout::BottomUp24, 4, 4, [](int, int) { return kRed; }));
    Sprite sprite(driver(), 1, 4, 4);
    ASSERT_TRUE(sprite.LoadFrame(&bitmap, 0, 0, 0));

    sw.platform().loseAllSurfaces();
    DdSurface* back = back_->platformSurface();
    DdBltFx fx = {kBltFxSize, 0};
    DdSurfaceDesc desc = {};
    desc.size = kSurfaceDescSize;
    DeviceContext dc = nullptr;
    EXPECT_EQ(back->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(back->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), DDERR_SURFACELOST);
    EXPECT_EQ(back->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACELOST);
    EXPECT_EQ(back->GetDC(&dc), DDERR_SURFACELOST);
    EXPECT_EQ(sw.display().primary()->platformSurface()->Flip(nullptr, DDFLIP_WAIT),
              DDERR_SURFACELOST);

    ASSERT_TRUE(sprite.Draw(0, 0, 0, back_));
    EXPECT_EQ(back->IsLost(), DD_OK);
    EXPECT_EQ(sprite.frame(0)->platformSurface()->IsLost(), DD_OK);
    const Pixels pixels = backPixels();
    int red = 0;
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) red += pixels.at(x, y) == raw(kRed);
    }
    EXPECT_LT(red, 16);
}

PixelBackendMaker softwareIn(PixelLayout layout, const char* name) {
    return {name, [layout] { return std::make_unique<SoftwarePixelBackend>(layout); }};
}

INSTANTIATE_TEST_SUITE_P(BothLayouts, PixelDrawing,
                         ::testing::Values(softwareIn(PixelLayout::Rgb565, "Rgb565"),
                                           softwareIn(PixelLayout::Rgb555, "Rgb555")),
                         pixelBackendName);

}  // namespace
