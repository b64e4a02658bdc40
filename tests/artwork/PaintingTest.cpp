// The generator itself: what it wrote is what it paints now, its refusal of
// colours that a 16-bit display would turn transparent, and the sources it
// paints from.

#include <SDL.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "Fonts.h"
#include "GameCuts.h"
#include "KeyGuard.h"
#include "Lettering.h"
#include "PictureFile.h"
#include "Pictures.h"
#include "PixelArt.h"

namespace {

TEST(Painting, FilesOnDiskHoldExactlyTheCurrentPaintings) {
    std::vector<Picture> pictures;
    std::string error;
    ASSERT_TRUE(paintPictures(&pictures, &error)) << error;

    std::set<std::string> expected;
    for (const GameCut& cut : kGameCuts) expected.insert(cut.file);
    expected.insert("letters.bmp");  // the Linux and browser games' screen between games
    std::set<std::string> painted;
    for (const Picture& picture : pictures) painted.insert(picture.fileName);
    EXPECT_EQ(painted, expected);

    for (const Picture& picture : pictures) {
        DecodedPicture file;
        ASSERT_TRUE(decodePicture(picturePath(picture.fileName), &file))
            << picture.fileName << ": " << SDL_GetError();
        ASSERT_EQ(file.width, picture.image.width()) << picture.fileName;
        ASSERT_EQ(file.height, picture.image.height()) << picture.fileName;
        int wrong = 0;
        for (int y = 0; y < file.height; ++y) {
            for (int x = 0; x < file.width; ++x) {
                if (file.at(x, y) != picture.image.at(x, y)) ++wrong;
            }
        }
        EXPECT_EQ(wrong, 0) << picture.fileName << " differs from its painting";
    }
}

std::uint32_t map(std::uint32_t format, Rgb colour) {
    SDL_PixelFormat* f = SDL_AllocFormat(format);
    const std::uint32_t raw = SDL_MapRGB(f, redOf(colour), greenOf(colour), blueOf(colour));
    SDL_FreeFormat(f);
    return raw;
}

TEST(KeyGuard, FlagsExactlyTheColoursThatMergeWithMagentaOn16Bits) {
    // Every colour around magenta, one per pixel.
    std::vector<Rgb> colours;
    for (int r = 0xE8; r <= 0xFF; ++r) {
        for (int g = 0x00; g <= 0x14; ++g) {
            for (int b = 0xE8; b <= 0xFF; ++b) colours.push_back(rgb(r, g, b));
        }
    }
    Image image(static_cast<int>(colours.size()), 1, 0);
    for (std::size_t i = 0; i < colours.size(); ++i) image.set(static_cast<int>(i), 0, colours[i]);

    std::set<int> keyedClashes;
    for (const KeyClash& clash : findKeyClashes(image, true)) keyedClashes.insert(clash.x);
    std::set<int> opaqueClashes;
    for (const KeyClash& clash : findKeyClashes(image, false)) opaqueClashes.insert(clash.x);

    const std::uint32_t key565 = map(SDL_PIXELFORMAT_RGB565, kKey);
    const std::uint32_t key555 = map(SDL_PIXELFORMAT_RGB555, kKey);
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const Rgb c = colours[i];
        const bool merges =
            map(SDL_PIXELFORMAT_RGB565, c) == key565 || map(SDL_PIXELFORMAT_RGB555, c) == key555;
        const int x = static_cast<int>(i);
        EXPECT_EQ(opaqueClashes.count(x) == 1, merges) << std::hex << c;
        // In a keyed picture the key itself is meant to vanish.
        EXPECT_EQ(keyedClashes.count(x) == 1, merges && c != kKey) << std::hex << c;
    }
}

TEST(PixelArt, PaintsRowsAndMirrorsHalves) {
    Image image;
    std::string error;
    ASSERT_TRUE(paintPixelArt({"pair", "A 102030 B 405060", "AB.\n.BA\n", false}, &image, &error))
        << error;
    ASSERT_EQ(image.width(), 3);
    ASSERT_EQ(image.height(), 2);
    EXPECT_EQ(image.at(0, 0), 0x102030u);
    EXPECT_EQ(image.at(1, 0), 0x405060u);
    EXPECT_EQ(image.at(2, 0), kKey);
    EXPECT_EQ(image.at(2, 1), 0x102030u);

    // "AB." is the left half up to the centre column: A B . B A.
    ASSERT_TRUE(paintPixelArt({"half", "A 102030 B 405060", "\nAB.\n", true}, &image, &error));
    ASSERT_EQ(image.width(), 5);
    EXPECT_EQ(image.at(0, 0), image.at(4, 0));
    EXPECT_EQ(image.at(1, 0), image.at(3, 0));
    EXPECT_EQ(image.at(2, 0), kKey);
    EXPECT_NE(image.at(0, 0), image.at(1, 0));
}

TEST(PixelArt, RefusesMalformedArtNamingIt) {
    const PixelArt broken[] = {
        {"ragged", "A 102030", "AAA\nAA\n", false}, {"stranger", "A 102030", "AXA\n", false},
        {"keyInPalette", "A FF00FF", "A\n", false}, {"dotInPalette", ". 102030", "A\n", false},
        {"badHex", "A 1020G0", "A\n", false},       {"twice", "A 102030 A 405060", "A\n", false},
        {"empty", "A 102030", "\n\n", false},
    };
    for (const PixelArt& art : broken) {
        Image image;
        std::string error;
        EXPECT_FALSE(paintPixelArt(art, &image, &error)) << art.name;
        EXPECT_NE(error.find(art.name), std::string::npos) << error;
    }
}

// The box of the pixels that differ from the key.
struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};

Box inkBox(const Image& image) {
    Box box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.at(x, y) == kKey) continue;
            box.left = std::min(box.left, x);
            box.top = std::min(box.top, y);
            box.right = std::max(box.right, x);
            box.bottom = std::max(box.bottom, y);
        }
    }
    return box;
}

TEST(Lettering, MeasuredBoxIsExactlyWhatIsPainted) {
    // Signs are centred by their measured size; a box that is off by a pixel
    // cuts letters at the edge of a picture that was sized to fit them.
    std::string error;
    ASSERT_TRUE(loadFonts(&error)) << error;
    TextStyle plain;
    TextStyle heavy;
    heavy.scale = 3;
    heavy.weight = 2;
    heavy.spacing = 5;
    heavy.bevel = true;
    heavy.outline = 2;
    heavy.shadow = 3;
    TextStyle spaced;
    spaced.scale = 2;
    spaced.spacing = 0;
    spaced.shadow = 1;
    for (const TextStyle& style : {plain, heavy, spaced}) {
        // H and M reach every edge of their glyph cell.
        Image image(400, 100, kKey);
        ASSERT_TRUE(drawText(image, 7, 9, letterFont(), "HM", style, &error)) << error;
        const Box box = inkBox(image);
        EXPECT_EQ(box.left, 7);
        EXPECT_EQ(box.top, 9);
        EXPECT_EQ(box.right - box.left + 1, textWidth(letterFont(), "HM", style));
        EXPECT_EQ(box.bottom - box.top + 1, textHeight(letterFont(), style));
    }
}

TEST(Lettering, RefusesTextTheFontCannotDraw) {
    std::string error;
    ASSERT_TRUE(loadFonts(&error)) << error;
    Image image(100, 20, kKey);
    EXPECT_FALSE(drawText(image, 0, 0, letterFont(), "Go", TextStyle(), &error));
    EXPECT_NE(error.find("'o'"), std::string::npos) << error;
}

TEST(GlyphSheet, RefusesMisdrawnSheets) {
    GlyphSheet sheet;
    std::string error;
    EXPECT_TRUE(sheet.parse("A  B\n#. .#\n.# #.\n", 2, 2, &error)) << error;
    EXPECT_TRUE(sheet.ink('A', 0, 0));
    EXPECT_FALSE(sheet.ink('A', 1, 0));
    EXPECT_TRUE(sheet.ink('B', 0, 1));
    EXPECT_FALSE(sheet.ink('C', 0, 0));

    EXPECT_FALSE(sheet.parse("A  B\n#. .#\n", 2, 2, &error)) << "block cut short";
    EXPECT_FALSE(sheet.parse("A  B\n#. .\n.# #.\n", 2, 2, &error)) << "row too short";
    EXPECT_FALSE(sheet.parse(" A\n.#.#\n#.#.\n", 2, 2, &error)) << "name off its column";
    EXPECT_FALSE(sheet.parse("A\n#x\n..\n", 2, 2, &error)) << "stray character";
    EXPECT_FALSE(sheet.parse("A  A\n#. .#\n.# #.\n", 2, 2, &error)) << "drawn twice";
}

}  // namespace
