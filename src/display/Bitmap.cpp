#include "display/Bitmap.h"

#include <cstdlib>

#include "display/DisplayPlatform.h"

namespace {

constexpr std::uint32_t kLoadFlags = LR_LOADFROMFILE | LR_CREATEDIBSECTION | LR_DEFAULTSIZE;

}  // namespace

bool Bitmap::Load(const char* fileName) {
    if (handle_) Unload();
    if (!fileName) return false;
    Gdi& gdi = displayPlatform();
    // Width and height 0 with LR_DEFAULTSIZE: the picture's own size, unscaled.
    handle_ = gdi.LoadImageA(fileName, IMAGE_BITMAP, 0, 0, kLoadFlags);
    if (!handle_) return false;

    // The handle must describe a bitmap, and one that fits the record.
    int filled = gdi.GetObjectA(handle_, kBitmapRecordSize, &description_);
    if (filled == 0 || filled > kBitmapRecordSize) {
        Unload();
        return false;
    }
    return true;
}

void Bitmap::Unload() {
    if (handle_) {
        displayPlatform().DeleteObject(handle_);
        handle_ = nullptr;
    }
    description_ = {};
}

bool Bitmap::CopyToDC(DeviceContext dc, int sourceX, int sourceY, int width, int height) {
    if (!handle_) return false;
    Gdi& gdi = displayPlatform();
    DeviceContext memory = gdi.CreateCompatibleDC(dc);
    if (!memory) return false;
    GdiObject replaced = gdi.SelectObject(memory, handle_);

    // Cut the block to the picture, so that where it reaches past an edge the
    // destination keeps its pixels instead of receiving whatever the platform
    // reads outside the bitmap. The destination moves with the left and top
    // cuts so that every copied pixel lands where it would have unclipped.
    int destX = 0;
    int destY = 0;
    if (sourceX < 0) {
        destX = -sourceX;
        width += sourceX;
        sourceX = 0;
    }
    if (sourceY < 0) {
        destY = -sourceY;
        height += sourceY;
        sourceY = 0;
    }
    int pictureWidth = description_.width;
    int pictureHeight = std::abs(description_.height);
    if (width > pictureWidth - sourceX) width = pictureWidth - sourceX;
    if (height > pictureHeight - sourceY) height = pictureHeight - sourceY;
    if (width > 0 && height > 0) {
        gdi.BitBlt(dc, destX, destY, width, height, memory, sourceX, sourceY, SRCCOPY);
    }

    gdi.SelectObject(memory, replaced);
    gdi.DeleteDC(memory);
    return true;
}

bool Bitmap::CopyToSurface(DdSurface* surface, int sourceX, int sourceY, int width, int height) {
    if (!handle_ || !surface) return false;
    DeviceContext dc = nullptr;
    if (surface->GetDC(&dc) != DD_OK) return false;
    bool copied = CopyToDC(dc, sourceX, sourceY, width, height);
    surface->ReleaseDC(dc);
    return copied;
}
