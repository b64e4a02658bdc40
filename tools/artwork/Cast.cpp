#include "Creatures.h"
#include "Pictures.h"

namespace {

// Places the art with its top-left corner at (left, top) of a key-filled
// picture of the given size.
bool addOnKey(std::vector<Picture>* out, const char* fileName, const PixelArt& art, int width,
              int height, int left, int top, std::string* error) {
    Image sprite;
    if (!paintPixelArt(art, &sprite, error)) return false;
    Image picture(width, height, kKey);
    picture.draw(sprite, left, top);
    out->push_back({fileName, true, picture});
    return true;
}

}  // namespace

bool paintCast(std::vector<Picture>* out, std::string* error) {
    // The ship and the invaders are cut from two pixels in, so their
    // pictures carry a two-pixel key margin all round; the shots are cut
    // from the corner and are exactly their own size.
    return addOnKey(out, "nanite.bmp", kNaniteArt, 27, 21, 2, 2, error) &&
           addOnKey(out, "poopy.bmp", kPoopyArt, 29, 21, 2, 2, error) &&
           addOnKey(out, "pukey.bmp", kPukeyArt, 29, 21, 2, 2, error) &&
           addOnKey(out, "drippy.bmp", kDrippyArt, 29, 21, 2, 2, error) &&
           addOnKey(out, "poopbullet.bmp", kPoopShotArt, 3, 11, 0, 0, error) &&
           addOnKey(out, "pukebullet.bmp", kPukeShotArt, 3, 11, 0, 0, error) &&
           addOnKey(out, "dripbullet.bmp", kDripShotArt, 3, 11, 0, 0, error) &&
           addOnKey(out, "pbullet.bmp", kPlayerShotArt, 3, 11, 0, 0, error);
}
