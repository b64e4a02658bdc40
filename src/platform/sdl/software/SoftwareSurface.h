#pragma once

#include <SDL.h>

#include <cstdint>

#include "display/DirectDrawApi.h"
#include "platform/RefCounted.h"
#include "platform/sdl/software/GdiRecords.h"
#include "platform/sdl/software/SurfaceBlit.h"

struct SoftwareState;
class SoftwareClipper;
class SoftwareDirectDraw;

// A DirectDraw surface held as a 16-bit SDL software surface in the
// display's format. A primary with a back buffer holds the chain's own
// reference on it; Flip exchanges the two objects' pixels, so the back-buffer
// object then refers to the buffer that was visible before.
class SoftwareSurface final : public RefCounted<DdSurface> {
public:
    enum class Kind { Primary, BackBuffer, OffScreen };

    // Null when the pixels cannot be had.
    static SoftwareSurface* create(SoftwareState* state, Kind kind, int width, int height,
                                   std::uint32_t caps);

    DdResult Blt(const DdRect* destRect, DdSurface* source, const DdRect* sourceRect,
                 std::uint32_t flags, const DdBltFx* fx) override;
    DdResult Flip(DdSurface* targetOverride, std::uint32_t flags) override;
    DdResult GetAttachedSurface(std::uint32_t caps, DdSurface** out) override;
    DdResult IsLost() override;
    DdResult Restore() override;
    DdResult SetClipper(DdClipper* clipper) override;
    DdResult GetDC(DeviceContext* out) override;
    DdResult ReleaseDC(DeviceContext dc) override;
    DdResult Lock(const DdRect* rect, DdSurfaceDesc* desc, std::uint32_t flags,
                  void* event) override;
    DdResult Unlock(void* pointer) override;
    DdResult SetColorKey(std::uint32_t flags, const DdColorKey* key) override;

    SDL_Surface* pixels() const { return pixels_; }
    SoftwareSurface* backBuffer() const { return back_; }
    void chainBackBuffer(SoftwareSurface* back);
    void setDriver(SoftwareDirectDraw* driver) { driver_ = driver; }
    void markLost() { lost_ = true; }

private:
    SoftwareSurface(SoftwareState* state, Kind kind, SDL_Surface* pixels, std::uint32_t caps);
    ~SoftwareSurface() override;

    bool busy() const { return locked_ || dc_ != nullptr; }
    // The clip area of the attached clipper in `storage`, or null.
    const DdRect* clip(DdRect* storage) const;
    // Memory that is new, or given back after a loss, holds no picture.
    void fillWithLeftovers();

    SoftwareState* state_;
    Kind kind_;
    SDL_Surface* pixels_;
    std::uint32_t caps_;
    SoftwareSurface* back_ = nullptr;   // a primary's back buffer
    SoftwareSurface* front_ = nullptr;  // a back buffer's primary, while it lives
    SoftwareDirectDraw* driver_ = nullptr;
    SoftwareClipper* clipper_ = nullptr;
    DcRecord ownDc_;
    DcRecord* dc_ = nullptr;  // &ownDc_ while it is handed out
    BlitKey key_;
    bool lost_ = false;
    bool locked_ = false;
};
