#pragma once

#include <cstdint>

// The tick count taken once during static initialisation, right after the
// Application has been constructed.
std::uint32_t startTick();

// Milliseconds since the start tick as a signed 32-bit difference. Every
// timer of the game stores and compares these values.
std::int32_t gameTime();

// The raw tick counter, for the one use that is not a timer: starting the
// fleet's random generator.
std::uint32_t rawTickCount();
