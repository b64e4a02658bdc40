#pragma once

#include <cstddef>

// The program's own memory, as the allocator in use counts it: the bytes
// handed out and not yet given back. Under AddressSanitizer its allocator
// replaces the C library's, so it is asked instead.
std::size_t heapBytesInUse();
// Which count heapBytesInUse() reports.
const char* heapMeasure();
// AddressSanitizer counts the bytes asked for, to the byte; the C library's
// count also holds freed blocks it keeps cached per thread, so it moves a
// little without anything being leaked.
bool heapMeasureIsExact();
// The resident set size from /proc/self/statm; 0 when unknown. Under
// AddressSanitizer it includes the quarantine of freed blocks, so it says
// little about leaks and is reported only.
std::size_t residentBytes();
