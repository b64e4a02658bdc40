#include "Fonts.h"
#include "Panels.h"
#include "Pictures.h"
#include "PixelArt.h"
#include "Scenery.h"

namespace {

// A bird rising with its wings raised, seen from the front; the left half up
// to the centre column, mirrored to make the right.
const PixelArt kBirdArt = {"bird", "K 0A0C20 W F4F8FF B A8C8F0 N 4868A8 Y F8C040 y B87818 E 0A0C20",
                           R"(
.KKK....................
KWWWKK..................
KWWWWWKK...............K
KBBWWWWWKK..........KKKW
KNBBWWWWWWKKK......KKWWW
KNNBWWWWWWWWWKK...KKWWWW
KNNBBWWWWWWWWWWKK.KWWWWW
.KNNBBWWWWWWWWWWWKKWWEWW
..KNBBWWWWWWWWWWWWKWWWWW
..KNNBBWWWWWWWWWWWWWWWYY
...KNNBBBWWWWWWWWWWWWWWy
...KNNNBBBBBWWWWWWWWWWWW
....KNKNNNBBBBBWWWWWWWWW
.....KKKNKNNNBBBBBWWWWWW
........KKKNKNNNBBWWWWWW
...........KKKNKNWWWWWWW
..............KKKNWWWWWW
.................KWWWWWW
.................KWWWWWW
..................KBBBBB
...................KBNBN
...................KBNBN
..................KNBNBN
.................KBNBNBN
................KNBNBNBN
.................KKKKKKK
)",
                           true};

}  // namespace

bool paintEmblem(std::vector<Picture>* out, std::string* error) {
    // Drawn whole, without a key: a plaque with a gold rim.
    Image image(187, 103, 0x000000);
    paintBands(image, {0, 0, 187, 103}, {0x04041A, 0x0A0A2C, 0x161040});
    Dice dice(0xB1DB1DEu);
    scatterStars(image, {4, 4, 179, 95}, 60, dice, {0x303458, 0x7880A8, 0xF0F4FF, 0xB8A8E8});
    paintBall(image, 93, 60, 42, {0xF8E0A0, 0xE0B050, 0xA06828});
    Image bird;
    if (!paintPixelArt(kBirdArt, &bird, error)) return false;
    const int scale = 3;
    image.draw(bird, (187 - bird.width() * scale) / 2, (103 - bird.height() * scale) / 2, scale);
    paintRaisedFrame(image, {0, 0, 187, 103}, 3, {0xFFE89A, 0xC89C40, 0x6E4C14});
    out->push_back({"bird.bmp", false, image});
    return true;
}
