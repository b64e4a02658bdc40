#include "SpriteLook.h"

#include <cstring>

#include "display/Bitmap.h"
#include "display/DisplayPlatform.h"
#include "display/Sprite.h"
#include "display/SpriteFrame.h"
#include "display/VideoDriver.h"
#include "platform/sdl/software/SoftwareDisplay.h"

namespace {

constexpr std::uint32_t kMagenta = 0xFF00FF;

std::vector<std::uint16_t> readSurface(SDL_Surface* surface) {
    std::vector<std::uint16_t> values;
    if (!surface || SDL_LockSurface(surface) != 0) return values;
    values.resize(static_cast<std::size_t>(surface->w) * static_cast<std::size_t>(surface->h));
    const auto* base = static_cast<const unsigned char*>(surface->pixels);
    for (int y = 0; y < surface->h; ++y) {
        std::memcpy(&values[static_cast<std::size_t>(y) * static_cast<std::size_t>(surface->w)],
                    base + static_cast<std::size_t>(y) * static_cast<std::size_t>(surface->pitch),
                    static_cast<std::size_t>(surface->w) * 2);
    }
    SDL_UnlockSurface(surface);
    return values;
}

// Draws the sprite onto two frames filled with different values and keeps
// what both show alike.
bool drawLook(SoftwareDisplay& display, VideoDriver& driver, const std::string& file, int sourceX,
              int sourceY, int width, int height, SpriteLook* look) {
    Bitmap bitmap;
    if (!bitmap.Load(file.c_str())) return false;
    Sprite sprite(&driver, 1, width, height);
    Sprite targets(&driver, 2, width, height);
    if (sprite.frameCount() != 1 || targets.frameCount() != 2) return false;
    if (!sprite.LoadFrame(&bitmap, 0, sourceX, sourceY) || !sprite.SetColourKey(kMagenta)) {
        return false;
    }
    const std::uint32_t fills[2] = {0x0000, 0xFFFF};
    std::vector<std::uint16_t> shown[2];
    for (int i = 0; i < 2; ++i) {
        SpriteFrame* target = targets.frame(i);
        if (!target->Fill(nullptr, fills[i]) || !sprite.Draw(0, 0, 0, target)) return false;
        shown[i] = readSurface(display.sdlSurface(target->platformSurface()));
        if (shown[i].size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
            return false;
        }
    }
    look->width = width;
    look->height = height;
    look->covered.clear();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                  static_cast<std::size_t>(x);
            if (shown[0][i] == shown[1][i]) look->covered.push_back({x, y, shown[0][i]});
        }
    }
    return true;
}

}  // namespace

bool SpriteLook::shownAt(const CapturedFrame& frame, int left, int top) const {
    if (!frame.hasPixels() || left < 0 || top < 0 || left + width > CapturedFrame::kWidth ||
        top + height > CapturedFrame::kHeight) {
        return false;
    }
    for (const Pixel& pixel : covered) {
        if (frame.raw(left + pixel.x, top + pixel.y) != pixel.colour) return false;
    }
    return true;
}

bool loadSpriteLook(const std::string& file, int sourceX, int sourceY, int width, int height,
                    SpriteLook* look, std::string* error) {
    SoftwareDisplay display(PixelLayout::Rgb565);
    installDisplayPlatform(&display);
    bool drawn = false;
    {
        VideoDriver driver;
        if (driver.Create(nullptr)) {
            drawn = drawLook(display, driver, file, sourceX, sourceY, width, height, look);
        }
        driver.Release();
    }
    installDisplayPlatform(nullptr);
    if (drawn && look->covered.empty()) drawn = false;
    if (!drawn && error) *error = file + ": cannot draw its sprite";
    return drawn;
}
