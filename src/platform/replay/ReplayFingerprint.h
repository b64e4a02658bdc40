#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// FNV-1a, 64 bits: the fingerprint and the frame checks.
std::uint64_t fnv1a64(const void* data, std::size_t size,
                      std::uint64_t hash = 0xcbf29ce484222325ull);

// What a replay must have been recorded with to play the same: the bytes of
// the game's pictures (read from `pictureFolder`, which ends in a separator
// or is empty) and the game's timing and scoring constants. A picture that
// cannot be read counts as empty, as the game draws it.
std::uint64_t replayFingerprint(const std::string& pictureFolder);
