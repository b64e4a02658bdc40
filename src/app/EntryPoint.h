#pragma once

#include "app/Handles.h"

// The program's whole run, from window creation to the exit code: what
// WinMain does on Windows and main does on Linux, once each platform layer
// has installed its display, device and shell platforms.
int programMain(InstanceHandle instance, int showCommand);
