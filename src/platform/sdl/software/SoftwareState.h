#pragma once

#include <SDL.h>

#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/sdl/software/SoftwareDisplay.h"

class SoftwareClipper;
class SoftwareDirectDraw;
class SoftwareSurface;
struct GdiBitmapRecord;
struct DcRecord;

// What every object of one software display shares: the pixel format, the
// presenter, the registries that let handles and interface pointers coming
// back from the caller be checked before use, and the injected failures.
// It is freed with its last holder, so an object released after the
// SoftwareDisplay itself still finds its format and registries.
struct SoftwareState {
    PixelLayout layout = PixelLayout::Rgb565;
    SDL_PixelFormat* format = nullptr;
    FramePresenter* presenter = nullptr;
    // A wait for the blank asked for and put off until the next present
    // (FramePresenter::waitsAfterPresent).
    bool waitOwed = false;

    std::vector<SoftwareDirectDraw*> drivers;  // in order of creation
    std::unordered_map<DdSurface*, SoftwareSurface*> surfaces;
    std::unordered_map<DdClipper*, SoftwareClipper*> clippers;
    std::unordered_set<GdiBitmapRecord*> bitmaps;
    std::unordered_set<DcRecord*> contexts;
    GdiBitmapRecord* stockBitmap = nullptr;

    struct Fault {
        int skip = 0;
        int times = 0;  // negative: without end
        int calls = 0;
    };
    Fault faults[static_cast<int>(SoftwareCall::Count)];

    // Null when SDL cannot describe the format.
    static SoftwareState* create(PixelLayout layout);
    void retain() { ++holders_; }
    void release();

    // Counts the call and tells whether it is to fail.
    bool fails(SoftwareCall call);
    // WaitForVerticalBlank: waits, or owes the wait where the presenter
    // takes it after the present; a wait already owed is made first.
    void waitForVerticalBlank();
    // After a present: the wait owed, if any.
    void waitIfOwed();

    SoftwareSurface* findSurface(DdSurface* surface) const;
    SoftwareClipper* findClipper(DdClipper* clipper) const;
    GdiBitmapRecord* findBitmap(GdiObject object) const;
    DcRecord* findContext(DeviceContext dc) const;
    SoftwareDirectDraw* newestDriver() const;

private:
    SoftwareState() = default;
    ~SoftwareState();
    int holders_ = 1;
};
