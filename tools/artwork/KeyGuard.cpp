#include "KeyGuard.h"

std::vector<KeyClash> findKeyClashes(const Image& image, bool keyed) {
    std::vector<KeyClash> clashes;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const Rgb colour = image.at(x, y);
            if (keyed && colour == kKey) continue;
            if (isNearKey(colour)) clashes.push_back({x, y, colour});
        }
    }
    return clashes;
}
