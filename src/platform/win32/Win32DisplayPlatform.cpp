#include "platform/win32/Win32DisplayPlatform.h"

#include <new>

#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32DirectDraw.h"

namespace {

class Win32DisplayPlatform final : public DisplayPlatform {
public:
    DdResult DirectDrawCreate(const DriverGuid* driver, DirectDraw** out) override {
        if (out == nullptr) return DDERR_INVALIDPARAMS;
        *out = nullptr;
        GUID* guid = reinterpret_cast<GUID*>(const_cast<DriverGuid*>(driver));
        IDirectDraw* directDraw = nullptr;
        DdResult result = ::DirectDrawCreate(guid, &directDraw, nullptr);
        if (result != DD_OK || directDraw == nullptr) return result;
        Win32DirectDraw* wrapper = new (std::nothrow) Win32DirectDraw(directDraw);
        if (wrapper == nullptr) {
            directDraw->Release();
            return DDERR_OUTOFMEMORY;
        }
        *out = wrapper;
        return result;
    }

    GdiObject LoadImageA(const char* fileName, std::uint32_t type, int width, int height,
                         std::uint32_t flags) override {
        return toGdiObject(::LoadImageA(nullptr, fileName, type, width, height, flags));
    }

    // GetObjectA fills as many bytes as it is told and, for a DIB section
    // asked for more than a BITMAP, a whole DIBSECTION. It writes into a
    // record large enough for either, and only the BITMAP part is handed on,
    // so no size the caller passes can make it write past the caller's
    // record.
    int GetObjectA(GdiObject object, int size, GdiBitmap* out) override {
        if (out == nullptr) return 0;
        DIBSECTION record;
        ZeroMemory(&record, sizeof(record));
        int asked = size < 0 ? 0 : size;
        if (asked > static_cast<int>(sizeof(record))) asked = sizeof(record);
        int written = ::GetObjectA(toHgdiobj(object), asked, &record);
        if (written > 0) {
            out->type = record.dsBm.bmType;
            out->width = record.dsBm.bmWidth;
            out->height = record.dsBm.bmHeight;
            out->widthBytes = record.dsBm.bmWidthBytes;
            out->planes = record.dsBm.bmPlanes;
            out->bitsPixel = record.dsBm.bmBitsPixel;
            out->bits = record.dsBm.bmBits;
        }
        return written;
    }

    bool DeleteObject(GdiObject object) override {
        return ::DeleteObject(toHgdiobj(object)) != FALSE;
    }

    DeviceContext CreateCompatibleDC(DeviceContext dc) override {
        return toDeviceContext(::CreateCompatibleDC(toHdc(dc)));
    }

    GdiObject SelectObject(DeviceContext dc, GdiObject object) override {
        return toGdiObject(::SelectObject(toHdc(dc), toHgdiobj(object)));
    }

    bool BitBlt(DeviceContext dest, int x, int y, int width, int height, DeviceContext source,
                int sourceX, int sourceY, std::uint32_t rop) override {
        return ::BitBlt(toHdc(dest), x, y, width, height, toHdc(source), sourceX, sourceY, rop) !=
               FALSE;
    }

    bool DeleteDC(DeviceContext dc) override { return ::DeleteDC(toHdc(dc)) != FALSE; }

    std::uint32_t GetPixel(DeviceContext dc, int x, int y) override {
        return ::GetPixel(toHdc(dc), x, y);
    }

    std::uint32_t SetPixel(DeviceContext dc, int x, int y, std::uint32_t rgb) override {
        return ::SetPixel(toHdc(dc), x, y, rgb);
    }
};

}  // namespace

DisplayPlatform& win32DisplayPlatform() {
    static Win32DisplayPlatform platform;
    return platform;
}
