#pragma once

#include <string>

#include "platform/headless/CapturedFrame.h"

// Reads a screen dump written by `xwd` (ZPixmap, 16, 24 or 32 bits per
// pixel, true colour) into an 800 x 600 RGB565 frame: the dump's top-left
// 800 x 600 pixels, each channel cut to its 5 or 6 top bits. False, with the
// reason, for a file that is not such a dump or is smaller than the frame.
bool readXwd(const std::string& path, CapturedFrame* frame, std::string* error);
