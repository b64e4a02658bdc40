// The screen reader's own faults would pass a broken game or fail a sound
// one, so it is checked here on screens whose contents are known: dumps
// written by hand and frames of the headless harness.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "PlayField.h"
#include "ReferenceScreens.h"
#include "XwdFile.h"
#include "devices/DirectInputApi.h"
#include "platform/headless/HeadlessPlatform.h"

namespace {

struct DumpLayout {
    int bitsPerPixel;
    bool mostSignificantFirst;
    std::uint32_t red, green, blue;
};

void put32(std::vector<unsigned char>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>(v >> shift));
}

// An xwd dump of `width` x 600 whose pixel (x, y) has 8-bit channels
// (x, y & 0xFF, x ^ y), with a window name and a colour table ahead of the
// pixels, as xwd writes them.
std::string writeDump(const DumpLayout& layout, int width, std::size_t cutShort = 0) {
    const int bytesPerPixel = layout.bitsPerPixel / 8;
    const std::uint32_t lineBytes = static_cast<std::uint32_t>(width * bytesPerPixel + 4);
    const std::string name = "xwdump";
    std::vector<unsigned char> out;
    // The 25 header fields, several to a row.
    // clang-format off
    const std::uint32_t header[25] = {
        static_cast<std::uint32_t>(100 + name.size() + 1), 7, 2, 24, static_cast<std::uint32_t>(width),
        600, 0, layout.mostSignificantFirst ? 1u : 0u, 32, 0, 32,
        static_cast<std::uint32_t>(layout.bitsPerPixel), lineBytes, 4, layout.red, layout.green,
        layout.blue, 8, 3, 3, static_cast<std::uint32_t>(width), 600, 0, 0, 0};
    // clang-format on
    for (std::uint32_t field : header) put32(out, field);
    out.insert(out.end(), name.begin(), name.end());
    out.push_back(0);
    out.insert(out.end(), 3 * 12, 0xAB);  // colour table: skipped
    auto channel = [](std::uint32_t value, std::uint32_t mask) {
        int low = 0, bits = 0;
        while (!(mask & (1u << low))) ++low;
        while (low + bits < 32 && (mask & (1u << (low + bits)))) ++bits;
        return ((value >> (8 - bits)) << low) & mask;
    };
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t r = x & 0xFF, g = y & 0xFF, b = (x ^ y) & 0xFF;
            const std::uint32_t pixel =
                channel(r, layout.red) | channel(g, layout.green) | channel(b, layout.blue);
            for (int i = 0; i < bytesPerPixel; ++i) {
                const int shift = layout.mostSignificantFirst ? 8 * (bytesPerPixel - 1 - i) : 8 * i;
                out.push_back(static_cast<unsigned char>(pixel >> shift));
            }
        }
        out.insert(out.end(), 4, 0);
    }
    out.resize(out.size() - cutShort);
    // Named after the running test too: ctest runs the xwd tests side by side,
    // and one writing a short dump must not cut the other's file under it.
    std::string path = ::testing::TempDir() + "dump-" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
                       std::to_string(layout.bitsPerPixel) +
                       (layout.mostSignificantFirst ? "m" : "l") + ".xwd";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(out.data(), 1, out.size(), file);
    std::fclose(file);
    return path;
}

std::uint16_t expected565(int x, int y) {
    const unsigned r = x & 0xFF, g = y & 0xFF, b = (x ^ y) & 0xFF;
    return static_cast<std::uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

TEST(XwdFile, SixteenAndThirtyTwoBitDumpsInEitherByteOrderGiveTheSamePixels) {
    const DumpLayout layouts[] = {{16, false, 0xF800, 0x07E0, 0x001F},
                                  {16, true, 0xF800, 0x07E0, 0x001F},
                                  {32, false, 0xFF0000, 0x00FF00, 0x0000FF},
                                  {32, true, 0x0000FF, 0x00FF00, 0xFF0000}};
    for (const DumpLayout& layout : layouts) {
        // Wider than the frame: only the top-left 800 x 600 is read.
        CapturedFrame frame;
        std::string error;
        ASSERT_TRUE(readXwd(writeDump(layout, 832), &frame, &error)) << error;
        for (int y : {0, 1, 299, 599}) {
            for (int x : {0, 7, 400, 799}) {
                EXPECT_EQ(frame.raw(x, y), expected565(x, y))
                    << layout.bitsPerPixel << " bpp at " << x << "," << y;
            }
        }
    }
}

TEST(XwdFile, DumpsTooSmallOrCutShortAreRefused) {
    const DumpLayout layout = {16, false, 0xF800, 0x07E0, 0x001F};
    CapturedFrame frame;
    std::string error;
    EXPECT_FALSE(readXwd(writeDump(layout, 640), &frame, &error));
    EXPECT_FALSE(readXwd(writeDump(layout, 800, 8), &frame, &error));
    EXPECT_FALSE(frame.hasPixels());
    EXPECT_FALSE(readXwd(::testing::TempDir() + "no-such.xwd", &frame, &error));
}

// Leaves the title at once, steers left for 200 ms of play, fires and
// pauses: each screen kept is read back by the play reader.
TEST(PlayField, FindsFleetShipShotAndPausedSignInHarnessFrames) {
    PlayLooks looks;
    std::string error;
    ASSERT_TRUE(loadPlayLooks(ZORBANIX_PICTURE_DIR, &looks, &error)) << error;
    std::vector<ReferenceScreen> references;
    ASSERT_TRUE(renderReferenceScreens(ZORBANIX_PICTURE_DIR, &references, &error)) << error;

    // The waiting fleet stands in its opening layout, with no ship shown.
    const CapturedFrame& getReady = references[3].frame;
    ASSERT_EQ(references[3].name, "getready");
    const FleetSighting waiting = findFleet(getReady, looks);
    EXPECT_EQ(waiting.invaders, 55);
    EXPECT_EQ(waiting.dx, 0);
    EXPECT_EQ(waiting.dy, 0);
    EXPECT_TRUE(findShips(getReady, looks).empty());
    EXPECT_FALSE(showsPausedSign(getReady, looks));
    const CapturedFrame& paused = references[4].frame;
    EXPECT_EQ(findShips(paused, looks), std::vector<int>{206});
    EXPECT_TRUE(showsPausedSign(paused, looks));

    // In play: Space at 3500 leaves the title, play starts at about 6500.
    std::vector<CapturedFrame> kept;
    HeadlessOptions options;
    options.keepPixels = [](const CapturedFrame& frame) { return frame.gameTime == 7504; };
    // The game reads its pictures from the working directory.
    char here[4096];
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    ASSERT_EQ(chdir(ZORBANIX_PICTURE_DIR), 0);
    HeadlessPlatform platform(options);
    platform.press(DIK_SPACE, 3500, 3600);
    platform.press(DIK_LEFT, 7000, 7100);
    platform.press(DIK_SPACE, 7300, 7320);
    platform.press(DIK_ESCAPE, 7600);
    const HeadlessRun run = runGame(platform);
    ASSERT_EQ(chdir(here), 0);
    for (const CapturedFrame& frame : run.frames) {
        if (frame.hasPixels()) kept.push_back(frame);
    }
    ASSERT_EQ(kept.size(), 1u);
    const FleetSighting marching = findFleet(kept[0], looks);
    EXPECT_EQ(marching.invaders, 55);
    EXPECT_EQ(marching.dx % 8, 0);
    EXPECT_GT(marching.dx, 0);
    EXPECT_EQ(marching.dy, 0);
    const std::vector<int> ships = findShips(kept[0], looks);
    ASSERT_EQ(ships.size(), 1u);
    // 100 ms of Left at 4 pixels a frame leaves the ship between the first
    // two bunkers, so its shot climbs freely.
    EXPECT_LT(ships[0], 206);
    EXPECT_GE(ships[0], 206 - 56);
    const std::vector<Point> shots = findPlayerShots(kept[0], looks);
    ASSERT_EQ(shots.size(), 1u);
    EXPECT_EQ(shots[0].x, ships[0]);
    EXPECT_LT(shots[0].y, 533);
    EXPECT_FALSE(showsPausedSign(kept[0], looks));
}

}  // namespace
