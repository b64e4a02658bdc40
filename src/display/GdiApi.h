#pragma once

#include <cstdint>

#include "display/DirectDrawApi.h"

// The GDI calls that bitmaps and colour matching make, with GDI's own values.

struct GdiObjectTag;
using GdiObject = GdiObjectTag*;

constexpr std::uint32_t IMAGE_BITMAP = 0;
constexpr std::uint32_t LR_DEFAULTSIZE = 0x0040;
constexpr std::uint32_t LR_LOADFROMFILE = 0x0010;
constexpr std::uint32_t LR_CREATEDIBSECTION = 0x2000;
constexpr std::uint32_t SRCCOPY = 0x00CC0020;
constexpr std::uint32_t CLR_INVALID = 0xFFFFFFFF;

// The GDI BITMAP record as GetObjectA fills it. GetObjectA is asked for the
// record's size on 32-bit Windows, whatever the size of this struct here.
constexpr int kBitmapRecordSize = 24;
struct GdiBitmap {
    std::int32_t type;
    std::int32_t width;
    std::int32_t height;
    std::int32_t widthBytes;
    std::uint16_t planes;
    std::uint16_t bitsPixel;
    void* bits;
};

class Gdi {
public:
    virtual GdiObject LoadImageA(const char* fileName, std::uint32_t type, int width, int height,
                                 std::uint32_t flags) = 0;
    virtual int GetObjectA(GdiObject object, int size, GdiBitmap* out) = 0;
    virtual bool DeleteObject(GdiObject object) = 0;
    virtual DeviceContext CreateCompatibleDC(DeviceContext dc) = 0;
    virtual GdiObject SelectObject(DeviceContext dc, GdiObject object) = 0;
    virtual bool BitBlt(DeviceContext dest, int x, int y, int width, int height,
                        DeviceContext source, int sourceX, int sourceY, std::uint32_t rop) = 0;
    virtual bool DeleteDC(DeviceContext dc) = 0;
    // RGB values in the COLORREF packing: red in bits 0-7, green 8-15, blue 16-23.
    virtual std::uint32_t GetPixel(DeviceContext dc, int x, int y) = 0;
    virtual std::uint32_t SetPixel(DeviceContext dc, int x, int y, std::uint32_t rgb) = 0;

protected:
    ~Gdi() = default;
};
