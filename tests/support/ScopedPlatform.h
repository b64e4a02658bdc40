#pragma once

// Installs a platform for the lifetime of the guard and puts the absent one
// back afterwards, so that one test's platform never leaks into the next.

#include "base/ShellPlatform.h"
#include "devices/DevicePlatform.h"
#include "display/DisplayPlatform.h"

template <typename Platform, void (*install)(Platform*)>
class ScopedPlatform {
public:
    explicit ScopedPlatform(Platform* platform) { install(platform); }
    ~ScopedPlatform() { install(nullptr); }
    ScopedPlatform(const ScopedPlatform&) = delete;
    ScopedPlatform& operator=(const ScopedPlatform&) = delete;
};

using ScopedDisplayPlatform = ScopedPlatform<DisplayPlatform, installDisplayPlatform>;
using ScopedDevicePlatform = ScopedPlatform<DevicePlatform, installDevicePlatform>;
using ScopedShellPlatform = ScopedPlatform<ShellPlatform, installShellPlatform>;
