// Keyed copies and colour fills of the software display, pixel for pixel
// against the plain rule, at every width and landing column that its
// wide-row paths treat differently: short rows, rows that start off a
// 16- or 64-byte boundary, rows with keyed and unkeyed runs of every
// length, each way of copying a keyed row that this processor has, and
// fills that are narrow, wide, byte-alike or cover whole rows.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/sdl/software/KeyedRow.h"
#include "support/SoftwareDisplayFixture.h"

namespace {

constexpr std::uint16_t kKey = 0xF81F;
constexpr int kSourceWidth = 160;
constexpr int kDestWidth = 240;

// Every row a different mix: scattered keys, then long runs with and
// without key, so that each way through a row is taken somewhere.
std::uint16_t sourceValue(int x, int y) {
    const unsigned h = static_cast<unsigned>(x * 2654435761u + y * 40503u);
    if (y == 1 && x >= 40 && x < 110) return x < 75 ? kKey : static_cast<std::uint16_t>(x);
    if ((h >> 13) % 3 == 0) return kKey;
    // Values on either side of the key, which a range would take in.
    if ((h >> 7) % 5 == 0) return static_cast<std::uint16_t>(kKey + (x % 2 ? 1 : -1));
    return static_cast<std::uint16_t>(h >> 16);
}

std::uint16_t destValue(int x, int y) { return static_cast<std::uint16_t>(0x1000 + x * 7 + y); }

class BlitRows : public SoftwareDisplayFixture {
protected:
    void SetUp() override {
        SoftwareDisplayFixture::SetUp();
        if (HasFatalFailure()) return;
        source_ = offScreen(kSourceWidth, 3);
        dest_ = offScreen(kDestWidth, 3);
        ASSERT_NE(source_, nullptr);
        ASSERT_NE(dest_, nullptr);
        SDL_Surface* from = platform_.sdlSurface(source_);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < kSourceWidth; ++x) pixel(from, x, y) = sourceValue(x, y);
        }
    }
    void TearDown() override {
        useKeyedRowVectors(KeyedRowVectors::Widest);
        if (source_) source_->Release();
        if (dest_) dest_->Release();
        SoftwareDisplayFixture::TearDown();
    }
    void resetDest() {
        SDL_Surface* to = platform_.sdlSurface(dest_);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < kDestWidth; ++x) pixel(to, x, y) = destValue(x, y);
        }
    }
    // The first pixel of the destination that differs from `expected`, or -1.
    int firstDifference(const std::vector<std::uint16_t>& expected) {
        SDL_Surface* to = platform_.sdlSurface(dest_);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < kDestWidth; ++x) {
                if (pixel(to, x, y) != expected[y * kDestWidth + x]) return y * kDestWidth + x;
            }
        }
        return -1;
    }

    // Keyed copies of every width up to 100 at every landing column within
    // a 64-byte stretch, against the plain rule.
    void expectKeyedCopies(std::uint32_t flags, std::uint32_t high) {
        DdColorKey colorKey = {kKey - (high > kKey ? 1u : 0u), high};
        ASSERT_EQ(source_->SetColorKey(flags, &colorKey), DD_OK);
        for (int width = 1; width <= 100; width += (width < 40 ? 1 : 7)) {
            for (int left = 0; left < 34; ++left) {
                const int sourceLeft = (width + left) % (kSourceWidth - width + 1);
                resetDest();
                DdRect to = {left, 1, left + width, 3};
                DdRect from = {sourceLeft, 0, sourceLeft + width, 2};
                ASSERT_EQ(dest_->Blt(&to, source_, &from, DDBLT_KEYSRC | DDBLT_WAIT, nullptr),
                          DD_OK);
                std::vector<std::uint16_t> expected(3 * kDestWidth);
                for (int y = 0; y < 3; ++y) {
                    for (int x = 0; x < kDestWidth; ++x) {
                        std::uint16_t value = destValue(x, y);
                        if (y >= 1 && x >= left && x < left + width) {
                            const std::uint16_t drawn = sourceValue(sourceLeft + x - left, y - 1);
                            if (drawn < colorKey.lowValue || drawn > colorKey.highValue) {
                                value = drawn;
                            }
                        }
                        expected[y * kDestWidth + x] = value;
                    }
                }
                ASSERT_EQ(firstDifference(expected), -1)
                    << "width " << width << " at column " << left << " from column " << sourceLeft
                    << ", key up to " << high;
            }
        }
    }

    DdSurface* source_ = nullptr;
    DdSurface* dest_ = nullptr;
};

TEST_F(BlitRows, KeyedCopiesSkipExactlyTheKeyedPixels) {
    struct Key {
        std::uint32_t flags;
        std::uint32_t high;
    };
    int ways = 0;
    for (const KeyedRowVectors vectors :
         {KeyedRowVectors::None, KeyedRowVectors::Sse2, KeyedRowVectors::Avx512}) {
        if (!useKeyedRowVectors(vectors)) continue;
        ++ways;
        SCOPED_TRACE("row copy " + std::to_string(static_cast<int>(vectors)));
        // One key value, and a range around it.
        for (const Key key : {Key{DDCKEY_SRCBLT, kKey}, Key{DDCKEY_SRCBLT | 1u, kKey + 1u}}) {
            expectKeyedCopies(key.flags, key.high);
        }
    }
    EXPECT_GE(ways, 1);
}

TEST_F(BlitRows, FillsCoverExactlyTheirRectangle) {
    for (const std::uint32_t value : {0x0000u, 0x07E0u, 0xABABu}) {
        for (int width = 1; width <= kDestWidth; width += (width < 70 ? 1 : 17)) {
            const int left = (width * 5) % (kDestWidth - width + 1);
            resetDest();
            DdRect area = {left, 1, left + width, 2};
            DdBltFx fx = {kBltFxSize, value};
            ASSERT_EQ(dest_->Blt(&area, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx),
                      DD_OK);
            std::vector<std::uint16_t> expected(3 * kDestWidth);
            for (int y = 0; y < 3; ++y) {
                for (int x = 0; x < kDestWidth; ++x) {
                    const bool inside = y == 1 && x >= left && x < left + width;
                    expected[y * kDestWidth + x] =
                        inside ? static_cast<std::uint16_t>(value) : destValue(x, y);
                }
            }
            ASSERT_EQ(firstDifference(expected), -1)
                << "value " << value << " width " << width << " at column " << left;
        }
    }
    // Whole surfaces, with rows that meet end to end and with rows that
    // leave a gap before the next (an odd width leaves two bytes of padding).
    for (const int width : {64, 63}) {
        DdSurface* surface = offScreen(width, 4);
        SDL_Surface* pixels = platform_.sdlSurface(surface);
        DdBltFx fx = {kBltFxSize, 0x2121};
        ASSERT_EQ(surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx),
                  DD_OK);
        int wrong = 0;
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < width; ++x) wrong += pixel(pixels, x, y) != 0x2121 ? 1 : 0;
        }
        EXPECT_EQ(wrong, 0) << "width " << width;
        surface->Release();
    }
}

}  // namespace
