#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A small LZ77 packing of the event stream: a game repeats the same few
// events frame after frame, so copies of earlier bytes carry most of it.
// Tokens: varint (n << 1), then n literal bytes; or varint (n << 1 | 1) and
// varint distance, copying n bytes from that far back.
std::vector<std::uint8_t> packReplayBytes(const std::vector<std::uint8_t>& raw);
// False when the packed bytes are malformed or do not give exactly
// `rawSize` bytes; never writes more than `rawSize`.
bool unpackReplayBytes(const std::uint8_t* data, std::size_t size, std::size_t rawSize,
                       std::vector<std::uint8_t>& out);

// LEB128 varints, shared by the packing and the format.
void putVarint(std::vector<std::uint8_t>& out, std::uint64_t value);
void putSignedVarint(std::vector<std::uint8_t>& out, std::int64_t value);
// Reads at `at`, moving it; false past `size` or beyond 64 bits.
bool getVarint(const std::uint8_t* data, std::size_t size, std::size_t& at, std::uint64_t& value);
bool getSignedVarint(const std::uint8_t* data, std::size_t size, std::size_t& at,
                     std::int64_t& value);
