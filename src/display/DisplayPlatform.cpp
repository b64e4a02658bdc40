#include "display/DisplayPlatform.h"

namespace {

// Answers every call with a failure, so that a display used before a
// platform is installed simply does not come up.
class AbsentDisplayPlatform final : public DisplayPlatform {
public:
    DdResult DirectDrawCreate(const DriverGuid*, DirectDraw** out) override {
        if (out) *out = nullptr;
        return DDERR_GENERIC;
    }
    GdiObject LoadImageA(const char*, std::uint32_t, int, int, std::uint32_t) override {
        return nullptr;
    }
    int GetObjectA(GdiObject, int, GdiBitmap*) override { return 0; }
    bool DeleteObject(GdiObject) override { return false; }
    DeviceContext CreateCompatibleDC(DeviceContext) override { return nullptr; }
    GdiObject SelectObject(DeviceContext, GdiObject) override { return nullptr; }
    bool BitBlt(DeviceContext, int, int, int, int, DeviceContext, int, int,
                std::uint32_t) override {
        return false;
    }
    bool DeleteDC(DeviceContext) override { return false; }
    std::uint32_t GetPixel(DeviceContext, int, int) override { return CLR_INVALID; }
    std::uint32_t SetPixel(DeviceContext, int, int, std::uint32_t) override { return CLR_INVALID; }
};

AbsentDisplayPlatform absentPlatform;
DisplayPlatform* installed = nullptr;

}  // namespace

void installDisplayPlatform(DisplayPlatform* platform) { installed = platform; }

DisplayPlatform& displayPlatform() { return installed ? *installed : absentPlatform; }
