#pragma once

#include <cstdint>

#include "base/Handles.h"

// The main window's procedure. The Windows layer registers a WNDPROC that
// forwards here; the SDL layer dispatches its window messages here.
std::intptr_t windowProcedure(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t lParam);
