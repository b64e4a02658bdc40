// The software display's own rules, below the display classes: broken
// picture files, GDI handles that are not what they claim, DirectDraw's
// results for bad rectangles and lost surfaces, reference counting, and the
// failures tests can inject.

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "display/DisplayDevice.h"
#include "platform/sdl/software/SoftwareDisplay.h"
#include "support/MockDisplay.h"
#include "support/PictureDirectory.h"
#include "support/SoftwareDisplayFixture.h"

namespace {

constexpr std::uint32_t kLoadFlags = LR_LOADFROMFILE | LR_CREATEDIBSECTION | LR_DEFAULTSIZE;

void setWord32(std::vector<std::uint8_t>& image, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) image[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

class SoftwareDisplayTest : public SoftwareDisplayFixture {
protected:
    void TearDown() override {
        SoftwareDisplayFixture::TearDown();
        EXPECT_EQ(platform_.liveObjects(), 0);
    }

    DdSurface* primaryWithBackBuffer() {
        DdSurfaceDesc desc = {};
        desc.size = kSurfaceDescSize;
        desc.flags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
        desc.backBufferCount = 1;
        desc.caps = 0x218;
        DdSurface* primary = nullptr;
        EXPECT_EQ(driver_->CreateSurface(&desc, &primary), DD_OK);
        return primary;
    }
    DdResult fill(DdSurface* surface, const DdRect* rect, std::uint32_t value) {
        DdBltFx fx = {kBltFxSize, value};
        return surface->Blt(rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
    }

    PictureDirectory files_;
};

TEST_F(SoftwareDisplayTest, BrokenPictureFilesFailCleanly) {
    const auto good = encodeBmp(PictureLayout::BottomUp24, 6, 4, [](int, int) { return 0u; });
    const auto palette =
        encodeBmp(PictureLayout::Palette8, 6, 4, [](int x, int) { return x < 3 ? 0u : 0xFFFFFFu; });
    std::vector<std::pair<const char*, std::vector<std::uint8_t>>> broken;
    broken.push_back({"empty", {}});
    broken.push_back({"header only", {good.begin(), good.begin() + 54}});
    broken.push_back({"last row cut short", {good.begin(), good.end() - 10}});
    auto altered = [&](const char* what, std::vector<std::uint8_t> image, std::size_t at,
                       std::uint32_t value) {
        setWord32(image, at, value);
        broken.push_back({what, image});
    };
    altered("not a bitmap", good, 0, 0x00004D58);  // "XM"
    altered("zero width", good, 18, 0);
    altered("negative width", good, 18, static_cast<std::uint32_t>(-6));
    altered("width beyond reason", good, 18, 1u << 30);
    altered("most negative height", good, 22, 0x80000000u);
    altered("seven bits per pixel", good, 28, 0x00070001);
    altered("unknown compression", good, 30, 4);
    altered("pixels past the end", good, 10, 0x7FFFFFFF);
    altered("unknown header size", good, 14, 64);
    altered("palette larger than 8 bits allow", palette, 46, 300);
    // A two-colour palette, and every pixel naming colour 255.
    std::vector<std::uint8_t> outOfPalette = palette;
    setWord32(outOfPalette, 46, 2);
    std::memset(outOfPalette.data() + 14 + 40 + 1024, 255, outOfPalette.size() - 14 - 40 - 1024);
    broken.push_back({"index outside the palette", outOfPalette});

    for (const auto& [what, image] : broken) {
        const std::string path = files_.write("broken.bmp", image);
        ASSERT_FALSE(path.empty());
        EXPECT_EQ(platform_.LoadImageA(path.c_str(), IMAGE_BITMAP, 0, 0, kLoadFlags), nullptr)
            << what;
    }
    EXPECT_EQ(platform_.LoadImageA(files_.pathOf("").c_str(), IMAGE_BITMAP, 0, 0, kLoadFlags),
              nullptr);
    EXPECT_EQ(platform_.LoadImageA(nullptr, IMAGE_BITMAP, 0, 0, kLoadFlags), nullptr);
    // The unaltered pictures themselves load.
    for (const auto* image : {&good, &palette}) {
        GdiObject bitmap = platform_.LoadImageA(files_.write("fine.bmp", *image).c_str(),
                                                IMAGE_BITMAP, 0, 0, kLoadFlags);
        EXPECT_NE(bitmap, nullptr);
        platform_.DeleteObject(bitmap);
    }
}

TEST_F(SoftwareDisplayTest, GdiChecksHandlesAndSelection) {
    const std::string path =
        files_.write("p.bmp", PictureLayout::BottomUp24, 5, 3, [](int, int) { return 0x0000FFu; });
    GdiObject bitmap = platform_.LoadImageA(path.c_str(), IMAGE_BITMAP, 0, 0, kLoadFlags);
    ASSERT_NE(bitmap, nullptr);
    GdiBitmap record = {};
    EXPECT_EQ(platform_.GetObjectA(bitmap, 16, &record), 0);
    ASSERT_EQ(platform_.GetObjectA(bitmap, kBitmapRecordSize, &record), kBitmapRecordSize);
    EXPECT_EQ(record.width, 5);
    EXPECT_EQ(record.height, 3);
    EXPECT_EQ(record.widthBytes, 16);
    EXPECT_EQ(record.planes, 1);
    EXPECT_EQ(record.bitsPixel, 24);

    // Handles that were never made here, or are gone, are refused unread.
    int notAHandle = 0;
    GdiObject fakeBitmap = reinterpret_cast<GdiObject>(&notAHandle);
    DeviceContext fakeDc = reinterpret_cast<DeviceContext>(&notAHandle);
    EXPECT_EQ(platform_.GetObjectA(fakeBitmap, kBitmapRecordSize, &record), 0);
    EXPECT_FALSE(platform_.DeleteObject(fakeBitmap));
    EXPECT_EQ(platform_.CreateCompatibleDC(fakeDc), nullptr);
    EXPECT_EQ(platform_.GetPixel(fakeDc, 0, 0), CLR_INVALID);

    DeviceContext memory = platform_.CreateCompatibleDC(nullptr);
    ASSERT_NE(memory, nullptr);
    EXPECT_EQ(platform_.SelectObject(memory, fakeBitmap), nullptr);
    GdiObject stock = platform_.SelectObject(memory, bitmap);
    ASSERT_NE(stock, nullptr);
    EXPECT_EQ(platform_.GetPixel(memory, 4, 2), 0x0000FFu);
    EXPECT_EQ(platform_.GetPixel(memory, 5, 2), CLR_INVALID);
    DeviceContext other = platform_.CreateCompatibleDC(memory);
    EXPECT_EQ(platform_.SelectObject(other, bitmap), nullptr);  // already selected elsewhere
    EXPECT_FALSE(platform_.DeleteObject(bitmap));
    EXPECT_FALSE(platform_.BitBlt(other, 0, 0, 1, 1, memory, 0, 0, 0x00EE0086));

    EXPECT_TRUE(platform_.DeleteDC(memory));
    EXPECT_FALSE(platform_.DeleteDC(memory));
    EXPECT_TRUE(platform_.DeleteDC(other));
    EXPECT_TRUE(platform_.DeleteObject(bitmap));
    EXPECT_FALSE(platform_.DeleteObject(bitmap));
}

TEST_F(SoftwareDisplayTest, BlitsFollowDirectDrawRectangleRules) {
    DdSurface* dest = offScreen(8, 8);
    DdSurface* source = offScreen(2, 2);
    SDL_Surface* destPixels = platform_.sdlSurface(dest);
    ASSERT_EQ(fill(dest, nullptr, 0x1111), DD_OK);
    for (int i = 0; i < 4; ++i) {
        DdRect pixel = {i % 2, i / 2, i % 2 + 1, i / 2 + 1};
        ASSERT_EQ(fill(source, &pixel, 0x100u * (i + 1)), DD_OK);
    }

    // Without a clipper a rectangle reaching outside is refused whole.
    DdRect overTheEdge = {7, 0, 9, 2};
    EXPECT_NE(dest->Blt(&overTheEdge, source, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_NE(fill(dest, &overTheEdge, 0x2222), DD_OK);
    EXPECT_EQ(pixel(destPixels, 7, 0), 0x1111);
    DdRect empty = {3, 3, 3, 5};
    EXPECT_NE(fill(dest, &empty, 0x2222), DD_OK);

    // Whole onto a larger rectangle scales by repeating pixels.
    DdRect fourByFour = {0, 0, 4, 4};
    ASSERT_EQ(dest->Blt(&fourByFour, source, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(pixel(destPixels, 1, 1), 0x100);
    EXPECT_EQ(pixel(destPixels, 2, 1), 0x200);
    EXPECT_EQ(pixel(destPixels, 3, 3), 0x400);
    EXPECT_EQ(pixel(destPixels, 4, 0), 0x1111);

    // A blit of a surface onto itself reads the picture as it was.
    DdRect from = {0, 0, 4, 1};
    DdRect to = {1, 0, 5, 1};
    ASSERT_EQ(dest->Blt(&to, dest, &from, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(pixel(destPixels, 1, 0), 0x100);
    EXPECT_EQ(pixel(destPixels, 3, 0), 0x200);
    EXPECT_EQ(pixel(destPixels, 4, 0), 0x200);

    // A source that is not one of this display's surfaces is never touched.
    ::testing::StrictMock<MockDdSurface> foreign;
    EXPECT_NE(dest->Blt(nullptr, &foreign, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    // A keyed blit needs a key.
    EXPECT_NE(dest->Blt(nullptr, source, nullptr, DDBLT_KEYSRC | DDBLT_WAIT, nullptr), DD_OK);

    DdSurfaceDesc desc = {};
    desc.size = kSurfaceDescSize;
    ASSERT_EQ(dest->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(desc.pixelFormat.rgbBitCount, 16u);
    EXPECT_EQ(desc.pixelFormat.greenMask, 0x07E0u);  // RGB565 unless asked otherwise
    EXPECT_EQ(desc.surface, destPixels->pixels);
    EXPECT_EQ(dest->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), static_cast<DdResult>(0x887601AE));
    DeviceContext dc = nullptr;
    EXPECT_NE(dest->GetDC(&dc), DD_OK);
    EXPECT_EQ(dest->Unlock(nullptr), DD_OK);
    EXPECT_NE(dest->Unlock(nullptr), DD_OK);

    source->Release();
    dest->Release();
}

TEST_F(SoftwareDisplayTest, OnlyTheGameModeIsOffered) {
    EXPECT_NE(driver_->SetDisplayMode(640, 480, 16), DD_OK);
    EXPECT_NE(driver_->SetDisplayMode(800, 600, 32), DD_OK);
    EXPECT_EQ(driver_->SetDisplayMode(800, 600, 16), DD_OK);
    EXPECT_NE(driver_->SetCooperativeLevel(nullptr, DDSCL_EXCLUSIVE), DD_OK);
}

TEST_F(SoftwareDisplayTest, ReferencesKeepTheChainAliveInAnyReleaseOrder) {
    for (bool backBufferFirst : {true, false}) {
        DdSurface* primary = primaryWithBackBuffer();
        DdSurface* back = nullptr;
        ASSERT_EQ(primary->GetAttachedSurface(DDSCAPS_BACKBUFFER, &back), DD_OK);
        EXPECT_EQ(primary->GetAttachedSurface(DDSCAPS_PRIMARYSURFACE, &back), DDERR_NOTFOUND);
        ASSERT_EQ(primary->GetAttachedSurface(DDSCAPS_BACKBUFFER, &back), DD_OK);
        DdClipper* clipper = nullptr;
        ASSERT_EQ(driver_->CreateClipper(0, &clipper), DD_OK);
        ASSERT_EQ(back->SetClipper(clipper), DD_OK);
        clipper->Release();  // the back buffer keeps it

        // One primary at a time.
        DdSurfaceDesc again = {};
        again.size = kSurfaceDescSize;
        again.flags = DDSD_CAPS;
        again.caps = DDSCAPS_PRIMARYSURFACE;
        DdSurface* second = nullptr;
        EXPECT_NE(driver_->CreateSurface(&again, &second), DD_OK);
        EXPECT_EQ(second, nullptr);
        if (backBufferFirst) {
            back->Release();
            back->Release();
            EXPECT_NE(platform_.backBuffer(), nullptr);
            primary->Release();
        } else {
            primary->Release();
            EXPECT_EQ(platform_.frontBuffer(), nullptr);
            // The back buffer, still referenced, keeps working and clipping.
            EXPECT_EQ(fill(back, nullptr, 0), DD_OK);
            back->Release();
            back->Release();
        }
        EXPECT_EQ(platform_.liveObjects(), 1);  // the driver alone
    }
}

TEST_F(SoftwareDisplayTest, ObjectsOutliveThePlatform) {
    auto platform = std::make_unique<SoftwareDisplay>(PixelLayout::Rgb555);
    installDisplayPlatform(platform.get());
    DirectDraw* driver = nullptr;
    ASSERT_EQ(platform->DirectDrawCreate(nullptr, &driver), DD_OK);
    ASSERT_EQ(driver->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);
    DdSurfaceDesc desc = {};
    desc.size = kSurfaceDescSize;
    desc.flags = DDSD_CAPS;
    desc.caps = DDSCAPS_PRIMARYSURFACE;
    DdSurface* primary = nullptr;
    ASSERT_EQ(driver->CreateSurface(&desc, &primary), DD_OK);
    // A 5-5-5 pixel is stored in 16 bits, and the lock says so, as DirectDraw does.
    DdSurfaceDesc locked = {};
    locked.size = kSurfaceDescSize;
    ASSERT_EQ(primary->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(locked.pixelFormat.rgbBitCount, 16u);
    EXPECT_EQ(locked.pixelFormat.greenMask, 0x03E0u);
    ASSERT_EQ(primary->Unlock(nullptr), DD_OK);
    platform.reset();

    // The display falls back to the absent platform, and the objects still
    // answer and release without touching freed memory.
    DirectDraw* none = nullptr;
    EXPECT_NE(displayPlatform().DirectDrawCreate(nullptr, &none), DD_OK);
    EXPECT_EQ(driver->Release(), 0u);
    EXPECT_EQ(fill(primary, nullptr, 0x7FFF), DD_OK);
    EXPECT_EQ(primary->Release(), 0u);
}

TEST_F(SoftwareDisplayTest, InjectedFailuresStopTheDisplaySetUp) {
    installDisplayPlatform(&platform_);
    platform_.failCall(SoftwareCall::SetDisplayMode);
    auto display = std::make_unique<DisplayDevice>();
    EXPECT_FALSE(display->Create(nullptr, 800, 600, 16));
    EXPECT_EQ(platform_.callCount(SoftwareCall::SetDisplayMode), 1);
    EXPECT_EQ(platform_.callCount(SoftwareCall::CreateClipper), 0);

    // Let the first surface request (the primary) through, then fail one.
    platform_.clearFailures();
    platform_.failCall(SoftwareCall::CreateSurface, 1, 1);
    EXPECT_TRUE(display->Create(nullptr, 800, 600, 16));
    DdSurface* frame = nullptr;
    DdSurfaceDesc desc = {};
    desc.size = kSurfaceDescSize;
    desc.flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.width = desc.height = 4;
    EXPECT_EQ(driver_->CreateSurface(&desc, &frame), DDERR_OUTOFMEMORY);
    EXPECT_EQ(driver_->CreateSurface(&desc, &frame), DD_OK);
    frame->Release();
    display.reset();
    installDisplayPlatform(nullptr);
}

}  // namespace
