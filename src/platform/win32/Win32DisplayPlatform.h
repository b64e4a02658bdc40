#pragma once

#include "display/DisplayPlatform.h"

// The display platform of the Windows build: DirectDraw (first interface
// version) and GDI, passed straight through.
DisplayPlatform& win32DisplayPlatform();
