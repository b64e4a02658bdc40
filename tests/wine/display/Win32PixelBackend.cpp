// The pixel cases on the Windows layer's DirectDraw and GDI. The driver is set
// up as the game sets it up (a full-screen window, exclusive cooperation,
// 800 x 600 x 16, a clipper bound to the window); the back buffer is a
// system-memory off-screen surface in the display's format, so that its
// pixels can be locked and read without a flip getting in the way.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "display/Clipper.h"
#include "display/PixelBackend.h"
#include "display/Surface.h"
#include "display/VideoDriver.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32DisplayPlatform.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
const char kWindowClass[] = "ZorbanixPixelTests";

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

// A borderless window covering the display, shown, as the game's own. One
// serves every case and lives as long as the program: destroying a window
// under Wine without a window manager waits two seconds for the X server to
// confirm it is gone.
HWND sharedWindow() {
    static const HWND window = [] {
        WNDCLASSA type = {};
        type.lpfnWndProc = windowProcedure;
        type.hInstance = GetModuleHandleA(nullptr);
        type.lpszClassName = kWindowClass;
        if (!RegisterClassA(&type)) return HWND{};
        HWND made =
            CreateWindowExA(WS_EX_TOPMOST, kWindowClass, "Zorbanix pixel tests", WS_POPUP, 0, 0,
                            kWidth, kHeight, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (made) ShowWindow(made, SW_SHOW);
        return made;
    }();
    return window;
}

void drainMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

class Win32PixelBackend : public PixelBackend {
public:
    bool start() override {
        installDisplayPlatform(&win32DisplayPlatform());
        window_ = sharedWindow();
        if (!window_) return false;
        drainMessages();
        const WindowHandle window = toWindowHandle(window_);
        if (!driver_.Create(nullptr)) return false;
        if (!driver_.SetCooperativeLevel(FullScreenExclusive, window)) return false;
        if (!driver_.SetDisplayMode(kWidth, kHeight, 16)) return false;
        if (!clipper_.Create(&driver_) || !clipper_.SetWindow(window)) return false;

        DdSurfaceDesc desc = {};
        desc.size = kSurfaceDescSize;
        desc.flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        desc.width = kWidth;
        desc.height = kHeight;
        desc.caps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
        if (!driver_.CreateSurface(&desc, back_.platformSurfaceSlot())) return false;
        if (!back_.SetClipper(&clipper_)) return false;
        return readsAsRgb565(back_.platformSurface());
    }

    // Wine's DirectDraw keeps no count of the surfaces made from it and its
    // GDI no count of objects, so nothing here can tell a leak; the software
    // display's run of the same cases checks that.
    void finish() override {
        back_.Destroy();
        clipper_.Release();
        driver_.Release();
        drainMessages();
        installDisplayPlatform(nullptr);
    }

    Layout16 layout() const override { return Layout16::Rgb565; }
    VideoDriver* driver() override { return &driver_; }
    Surface* backBuffer() override { return &back_; }

    Pixels read(DdSurface* surface) override {
        Pixels pixels;
        if (!surface) return pixels;
        DdSurfaceDesc desc = {};
        desc.size = kSurfaceDescSize;
        if (surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK) return pixels;
        if (desc.surface && desc.pixelFormat.rgbBitCount == 16) {
            pixels.width = static_cast<int>(desc.width);
            pixels.height = static_cast<int>(desc.height);
            pixels.values.resize(desc.width * desc.height);
            for (std::uint32_t y = 0; y < desc.height; ++y) {
                std::memcpy(&pixels.values[y * desc.width],
                            static_cast<const std::uint8_t*>(desc.surface) + y * desc.pitch,
                            desc.width * sizeof(std::uint16_t));
            }
        }
        surface->Unlock(nullptr);
        return pixels;
    }

    const char* cannotLoad(PictureLayout layout) const override {
        if (layout != PictureLayout::TopDown24 || !underWine()) return nullptr;
        return "Wine's LoadImage makes the bitmap but copies a top-down file's rows from a "
               "source of negative height, so every pixel stays black.";
    }

private:
    static bool underWine() {
        HMODULE ntdll = GetModuleHandleA("ntdll.dll");
        return ntdll && GetProcAddress(ntdll, "wine_get_version");
    }

    // The display decides the format; the cases run only where a lock of the
    // back buffer reports RGB565 (Xvfb at 16 bits, or Windows in the game's
    // mode), so that what they expect is what is there.
    static bool readsAsRgb565(DdSurface* surface) {
        DdSurfaceDesc desc = {};
        desc.size = kSurfaceDescSize;
        if (surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK) return false;
        surface->Unlock(nullptr);
        const DdPixelFormat& format = desc.pixelFormat;
        if (format.rgbBitCount == 16 && format.redMask == 0xF800 && format.greenMask == 0x07E0 &&
            format.blueMask == 0x001F) {
            return true;
        }
        ADD_FAILURE() << std::hex << "the back buffer locks as " << std::dec << format.rgbBitCount
                      << " bits with masks " << std::hex << format.redMask << "/"
                      << format.greenMask << "/" << format.blueMask << ", not RGB565";
        return false;
    }

    HWND window_ = nullptr;
    VideoDriver driver_;
    Clipper clipper_;
    Surface back_;
};

INSTANTIATE_TEST_SUITE_P(DirectDraw, PixelDrawing,
                         ::testing::Values(PixelBackendMaker{
                             "Rgb565",
                             [] { return std::unique_ptr<PixelBackend>(new Win32PixelBackend); }}),
                         pixelBackendName);

}  // namespace
