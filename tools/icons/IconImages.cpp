#include "IconImages.h"

#include <algorithm>
#include <cmath>

namespace {

void put16(std::vector<std::uint8_t>* out, unsigned value) {
    out->push_back(static_cast<std::uint8_t>(value & 0xFF));
    out->push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void put32(std::vector<std::uint8_t>* out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// A BITMAPINFOHEADER of twice the height (colour rows, then the mask rows),
// the colours as BGRA from the bottom row up, then the 1-bit AND mask, set
// where the pixel is transparent, each row padded to four bytes.
std::vector<std::uint8_t> iconBitmap(const IconImage& image) {
    const int size = image.size;
    const int maskStride = ((size + 31) / 32) * 4;
    std::vector<std::uint8_t> out;
    put32(&out, 40);
    put32(&out, static_cast<std::uint32_t>(size));
    put32(&out, static_cast<std::uint32_t>(2 * size));
    put16(&out, 1);   // planes
    put16(&out, 32);  // bits per pixel
    put32(&out, 0);   // BI_RGB
    put32(&out, static_cast<std::uint32_t>(size * size * 4 + maskStride * size));
    for (int i = 0; i < 4; ++i) put32(&out, 0);  // resolution, palette
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const std::uint8_t* p = &image.rgba[static_cast<std::size_t>(y * size + x) * 4];
            out.insert(out.end(), {p[2], p[1], p[0], p[3]});
        }
    }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(maskStride), 0);
        for (int x = 0; x < size; ++x) {
            if (image.rgba[static_cast<std::size_t>(y * size + x) * 4 + 3] == 0) {
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

IconImage scaleIcon(const Image& art, int size) {
    IconImage icon;
    icon.size = size;
    icon.rgba.assign(static_cast<std::size_t>(size * size) * 4, 0);
    const double step = static_cast<double>(art.width()) / size;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            // The art's area under this pixel: [x0, x1) x [y0, y1).
            const double x0 = x * step;
            const double x1 = (x + 1) * step;
            const double y0 = y * step;
            const double y1 = (y + 1) * step;
            double red = 0;
            double green = 0;
            double blue = 0;
            double cover = 0;
            double area = 0;
            for (int ay = static_cast<int>(y0); ay < y1; ++ay) {
                const double h = std::min(y1, ay + 1.0) - std::max(y0, static_cast<double>(ay));
                for (int ax = static_cast<int>(x0); ax < x1; ++ax) {
                    const double w =
                        (std::min(x1, ax + 1.0) - std::max(x0, static_cast<double>(ax))) * h;
                    area += w;
                    const Rgb colour = art.at(ax, ay);
                    if (colour == kKey) continue;
                    red += redOf(colour) * w;
                    green += greenOf(colour) * w;
                    blue += blueOf(colour) * w;
                    cover += w;
                }
            }
            if (cover <= 0) continue;
            std::uint8_t* out = &icon.rgba[static_cast<std::size_t>(y * size + x) * 4];
            out[0] = static_cast<std::uint8_t>(std::lround(red / cover));
            out[1] = static_cast<std::uint8_t>(std::lround(green / cover));
            out[2] = static_cast<std::uint8_t>(std::lround(blue / cover));
            out[3] = static_cast<std::uint8_t>(std::lround(255.0 * cover / area));
        }
    }
    return icon;
}

bool encodePng(const IconImage& image, std::vector<std::uint8_t>* png, std::string* error) {
    if (!encodePng(image.size, image.size, 4, image.rgba, png, error)) {
        if (error) *error = "a " + std::to_string(image.size) + " icon: " + *error;
        return false;
    }
    return true;
}

bool encodeIco(const std::vector<IconImage>& images, std::vector<std::uint8_t>* ico,
               std::string* error) {
    std::vector<std::vector<std::uint8_t>> entries;
    for (const IconImage& image : images) {
        if (image.size < 1 || image.size > 256) {
            if (error) *error = "an icon of " + std::to_string(image.size) + " pixels";
            return false;
        }
        std::vector<std::uint8_t> data;
        if (image.size == 256) {
            if (!encodePng(image, &data, error)) return false;
        } else {
            data = iconBitmap(image);
        }
        entries.push_back(data);
    }
    ico->clear();
    put16(ico, 0);
    put16(ico, 1);  // an icon, not a cursor
    put16(ico, static_cast<unsigned>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const auto side = static_cast<std::uint8_t>(images[i].size == 256 ? 0 : images[i].size);
        ico->insert(ico->end(), {side, side, 0, 0});  // 0 means 256; no palette
        put16(ico, 1);                                // planes
        put16(ico, 32);                               // bits per pixel
        put32(ico, static_cast<std::uint32_t>(entries[i].size()));
        put32(ico, offset);
        offset += static_cast<std::uint32_t>(entries[i].size());
    }
    for (const auto& entry : entries) ico->insert(ico->end(), entry.begin(), entry.end());
    return true;
}
