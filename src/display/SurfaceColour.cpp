#include "display/ColourMatch.h"
#include "display/Surface.h"

bool Surface::SetColourKey(std::uint32_t rgb) {
    if (!surface_) return false;
    // When the surface cannot be read, the key it had before stays in force.
    std::uint32_t value = keyValue_;
    if (MatchColour(surface_, rgb, &value)) keyValue_ = value;

    // A single key colour, not a range.
    DdColorKey key = {keyValue_, keyValue_};
    hasKey_ = surface_->SetColorKey(DDCKEY_SRCBLT, &key) == DD_OK ? 1 : 0;
    return hasKey_ != 0;
}

void Surface::FillRect(int x, int y, int width, int height, std::uint32_t rgb) {
    if (!surface_) return;
    // Without a readable surface there is no pixel value for the colour, and
    // filling with a guess would paint the wrong colour: leave the area alone.
    std::uint32_t value = 0;
    if (!MatchColour(surface_, rgb, &value)) return;

    DdBltFx fx = {};
    fx.size = kBltFxSize;
    fx.fillColor = value;
    DdRect rect = {x, y, x + width, y + height};
    surface_->Blt(&rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}
