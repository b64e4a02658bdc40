#pragma once

#include "display/DirectDrawApi.h"
#include "display/GdiApi.h"

// The whole of what the display needs from the platform: the DirectDraw
// entry point and GDI. A platform layer installs one before the display is
// used; tests install mocks.
class DisplayPlatform : public Gdi {
public:
    virtual DdResult DirectDrawCreate(const DriverGuid* driver, DirectDraw** out) = 0;

protected:
    ~DisplayPlatform() = default;
};

void installDisplayPlatform(DisplayPlatform* platform);
DisplayPlatform& displayPlatform();
