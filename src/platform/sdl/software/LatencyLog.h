#pragma once

#include <cstdint>

// Timestamps for the key-latency benchmark (bench/key_latency): with
// ZORBANIX_LATENCY_LOG=1 in the environment, or in the browser with
// window.zorbanixLatencyLog set before the game starts, each key that a
// keyboard read newly finds down and each present are written to stderr as
//   latency key <DIK code> <ms>
//   latency present <ms at its start> <ms at its end>
// on the clock the benchmark reads too: CLOCK_MONOTONIC, or in the browser
// the page's performance.now(). Off (the default), each call tests a flag.
namespace latency_log {

bool enabled();
double now();
// A keyboard read: 256 bytes indexed by DIK code, 0x80 for down; `last`,
// the reader's own 256 bytes, holds the read before and is brought up to
// date, so that only a key going down is written.
void keysRead(const std::uint8_t* keys, std::uint8_t* last);
void presented(double began);

}  // namespace latency_log
