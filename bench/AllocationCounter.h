#pragma once

#include <cstdint>

// Every global operator new in this program is counted; the counter runs for
// the whole life of the program, so a measurement takes the difference of two
// readings.
std::uint64_t allocationsSoFar();
