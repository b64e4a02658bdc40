#pragma once

#include <SDL.h>

#include "display/GdiApi.h"

class SoftwareSurface;
struct DcRecord;

// A loaded picture, kept in the format it had in its file.
struct GdiBitmapRecord {
    SDL_Surface* pixels = nullptr;
    int fileBitsPerPixel = 0;
    DcRecord* selectedInto = nullptr;
    bool stock = false;
};

// A device context: either onto a DirectDraw surface (from GetDC) or a
// memory context holding one selected bitmap. A surface's context is made
// with the surface and stays registered for its life, since colour matching
// takes and gives it back several times for every block of every frame; it
// is a context only while it is live, between GetDC and ReleaseDC.
struct DcRecord {
    enum class Kind { Surface, Memory };
    Kind kind = Kind::Memory;
    SoftwareSurface* surface = nullptr;
    GdiBitmapRecord* selected = nullptr;
    bool live = true;
};

inline GdiObject toHandle(GdiBitmapRecord* record) { return reinterpret_cast<GdiObject>(record); }
inline DeviceContext toHandle(DcRecord* record) { return reinterpret_cast<DeviceContext>(record); }
