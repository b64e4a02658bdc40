#include "Panels.h"

void paintRaisedFrame(Image& image, const Area& area, int depth, const BevelColours& colours) {
    const int right = area.x + area.width - 1;
    const int bottom = area.y + area.height - 1;
    for (int d = 0; d < depth; ++d) {
        // The outermost and innermost rings carry the light and dark; the
        // rings between are the mid tone, which gives the frame a rounded lip.
        const bool edge = d == 0 || d == depth - 1;
        const Rgb topLeft = edge ? (d == 0 ? colours.light : colours.dark) : colours.mid;
        const Rgb bottomRight = edge ? (d == 0 ? colours.dark : colours.light) : colours.mid;
        for (int x = area.x + d; x <= right - d; ++x) {
            image.set(x, area.y + d, topLeft);
            image.set(x, bottom - d, bottomRight);
        }
        for (int y = area.y + d; y <= bottom - d; ++y) {
            image.set(area.x + d, y, topLeft);
            image.set(right - d, y, bottomRight);
        }
        // The corner where the two tones meet goes mid, as a bevel does.
        image.set(right - d, area.y + d, colours.mid);
        image.set(area.x + d, bottom - d, colours.mid);
    }
}

void paintSunkenWindow(Image& image, const Area& area, const BevelColours& colours, Rgb inside) {
    image.fillRect(area.x, area.y, area.width, area.height, inside);
    const int right = area.x + area.width - 1;
    const int bottom = area.y + area.height - 1;
    for (int d = 0; d < 2; ++d) {
        const Rgb upper = d == 0 ? colours.dark : colours.mid;
        const Rgb lower = d == 0 ? colours.light : colours.mid;
        for (int x = area.x + d; x <= right - d; ++x) {
            image.set(x, area.y + d, upper);
            image.set(x, bottom - d, lower);
        }
        for (int y = area.y + d; y <= bottom - d; ++y) {
            image.set(area.x + d, y, upper);
            image.set(right - d, y, lower);
        }
    }
}

void paintRivet(Image& image, int x, int y, const BevelColours& colours) {
    image.set(x - 1, y - 1, colours.light);
    image.set(x, y - 1, colours.light);
    image.set(x - 1, y, colours.light);
    image.set(x, y, colours.mid);
    image.set(x + 1, y, colours.dark);
    image.set(x, y + 1, colours.dark);
    image.set(x + 1, y + 1, colours.dark);
    image.set(x + 1, y - 1, colours.mid);
    image.set(x - 1, y + 1, colours.mid);
}
