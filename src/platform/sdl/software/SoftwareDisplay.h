#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "display/DisplayPlatform.h"

// DirectDraw and GDI reproduced on SDL software surfaces, with no window.
// Every surface is a 16-bit SDL_Surface in the display's pixel layout; the
// game on SDL hands finished frames to a FramePresenter, the headless harness
// reads them straight from the buffers.

enum class PixelLayout { Rgb565, Rgb555 };

// SDL_PIXELFORMAT_RGB565 or SDL_PIXELFORMAT_RGB555.
std::uint32_t sdlPixelFormat(PixelLayout layout);

// Shows finished frames. DirectDraw's Flip calls present() after the two
// buffers have been exchanged, with the buffer that is now visible;
// WaitForVerticalBlank calls waitForVerticalBlank(). SetCooperativeLevel
// hands over the window it was given; returning false fails that call.
//
// A presenter that answers true to waitsAfterPresent() has its waits put
// off: WaitForVerticalBlank only owes the wait, and the next Flip makes it
// right after its present. The game waits for the blank between drawing a
// frame and flipping it; so a key that came during the wait would be read
// only after the frame was shown, and shown one frame late. Put off, the
// wait ends just before the run loop takes its messages and reads the keys,
// and the frame drawn from them is shown at once. Each wait is still made
// once: a second WaitForVerticalBlank while one is owed (the flip between
// was refused) makes the owed one first, so a loop that never gets a frame
// shown is paced all the same.
class FramePresenter {
public:
    virtual ~FramePresenter() = default;
    virtual bool attachWindow(WindowHandle window) {
        (void)window;
        return true;
    }
    virtual void present(SDL_Surface* visible) = 0;
    virtual void waitForVerticalBlank() = 0;
    virtual bool waitsAfterPresent() const { return false; }
};

// The calls that fault tests can make fail.
enum class SoftwareCall {
    DirectDrawCreate,
    SetCooperativeLevel,
    SetDisplayMode,
    CreateSurface,
    CreateClipper,
    SetHWnd,
    SetClipper,
    GetAttachedSurface,
    Blt,
    Flip,
    Lock,
    GetDC,
    Restore,
    SetColorKey,
    LoadImage,
    CreateCompatibleDC,
    BitBlt,
    Count
};

struct SoftwareState;

class SoftwareDisplay final : public DisplayPlatform {
public:
    explicit SoftwareDisplay(PixelLayout layout = PixelLayout::Rgb565);
    // Uninstalls itself if installed and frees the bitmaps and memory
    // contexts still held; DirectDraw objects and surfaces stay usable until
    // their last Release.
    ~SoftwareDisplay();
    SoftwareDisplay(const SoftwareDisplay&) = delete;
    SoftwareDisplay& operator=(const SoftwareDisplay&) = delete;

    // DisplayPlatform
    DdResult DirectDrawCreate(const DriverGuid* driver, DirectDraw** out) override;
    GdiObject LoadImageA(const char* fileName, std::uint32_t type, int width, int height,
                         std::uint32_t flags) override;
    int GetObjectA(GdiObject object, int size, GdiBitmap* out) override;
    bool DeleteObject(GdiObject object) override;
    DeviceContext CreateCompatibleDC(DeviceContext dc) override;
    GdiObject SelectObject(DeviceContext dc, GdiObject object) override;
    bool BitBlt(DeviceContext dest, int x, int y, int width, int height, DeviceContext source,
                int sourceX, int sourceY, std::uint32_t rop) override;
    bool DeleteDC(DeviceContext dc) override;
    std::uint32_t GetPixel(DeviceContext dc, int x, int y) override;
    std::uint32_t SetPixel(DeviceContext dc, int x, int y, std::uint32_t rgb) override;

    PixelLayout layout() const { return layout_; }
    // Null only when SDL could not describe the format; every call then fails.
    const SDL_PixelFormat* pixelFormat() const;

    // Not owned; null shows nothing and waits for nothing.
    void setPresenter(FramePresenter* presenter);
    FramePresenter* presenter() const;

    // Where LoadImageA looks for picture files (PictureFolders.h); none set:
    // by the name the game gives, from the working folder.
    void setPictureFolders(std::vector<std::string> folders) { folders_ = std::move(folders); }
    const std::vector<std::string>& pictureFolders() const { return folders_; }

    // The buffers of the primary chain of the most recently created
    // DirectDraw object still alive; null while there is none. Every flip
    // exchanges the two.
    SDL_Surface* frontBuffer() const;
    SDL_Surface* backBuffer() const;
    // The pixels behind a surface this platform made; null for any other.
    SDL_Surface* sdlSurface(DdSurface* surface) const;

    // Lost surfaces answer DDERR_SURFACELOST to IsLost, Blt, Flip, Lock and
    // GetDC until they are restored; Restore gives the memory back but not
    // the picture, which is left as garbage. As on DirectDraw, the back
    // buffer refuses a restore of its own (DDERR_IMPLICITLYCREATED) and comes
    // back with its primary.
    void loseAllSurfaces();
    void loseSurface(DdSurface* surface);

    // Makes a call fail: the next `skip` calls still succeed, then `times`
    // calls fail (negative: every later call), each with the platform's
    // failure for that call.
    void failCall(SoftwareCall call, int skip = 0, int times = -1);
    void clearFailures();
    // How often a call was made, failed or not.
    int callCount(SoftwareCall call) const;

    // Objects alive right now, for leak checks: DirectDraw objects,
    // surfaces, clippers, bitmaps and device contexts.
    int liveObjects() const;

private:
    PixelLayout layout_;
    SoftwareState* state_;
    std::vector<std::string> folders_;
};
