#pragma once

#include "base/ShellPlatform.h"

// defaultShellPlatform() in the Windows build: the window manager and the
// kernel's tick counter, passed straight through.
ShellPlatform& win32ShellPlatform();
