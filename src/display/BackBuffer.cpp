#include "display/BackBuffer.h"

#include "display/PrimarySurface.h"

bool BackBuffer::AttachTo(PrimarySurface* primary) {
    if (!primary || !primary->platformSurface()) return false;
    // The platform counts a reference for every attached surface handed out.
    if (surface_) Destroy();
    if (!primary->GetAttached(DDSCAPS_BACKBUFFER, &surface_) || !surface_) {
        surface_ = nullptr;
        return false;
    }
    primary_ = primary;
    madeWith_ = primary;
    return true;
}
