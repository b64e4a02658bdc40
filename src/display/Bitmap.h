#pragma once

#include "display/GdiApi.h"

// A picture loaded from a .bmp file and kept in its own format; it is only
// ever copied, block by block, into surfaces.
class Bitmap {
public:
    Bitmap() = default;
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;
    ~Bitmap() { Unload(); }

    bool Load(const char* fileName);
    void Unload();
    bool CopyToDC(DeviceContext dc, int sourceX, int sourceY, int width, int height);
    bool CopyToSurface(DdSurface* surface, int sourceX, int sourceY, int width, int height);

    bool isLoaded() const { return handle_ != nullptr; }
    const GdiBitmap& description() const { return description_; }

private:
    GdiObject handle_ = nullptr;
    GdiBitmap description_ = {};
};
