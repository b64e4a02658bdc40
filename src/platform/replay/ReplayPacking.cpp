#include "platform/replay/ReplayPacking.h"

#include <algorithm>

namespace {

constexpr std::size_t kMinMatch = 4;
constexpr std::size_t kWindow = 1u << 16;
constexpr int kChainDepth = 32;
constexpr std::size_t kHashBits = 14;

std::uint32_t hashAt(const std::vector<std::uint8_t>& raw, std::size_t at) {
    const std::uint32_t word = raw[at] | (raw[at + 1] << 8) | (raw[at + 2] << 16) |
                               (static_cast<std::uint32_t>(raw[at + 3]) << 24);
    return (word * 2654435761u) >> (32 - kHashBits);
}

void flushLiterals(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& raw,
                   std::size_t from, std::size_t to) {
    if (to == from) return;
    putVarint(out, static_cast<std::uint64_t>(to - from) << 1);
    out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(from),
               raw.begin() + static_cast<std::ptrdiff_t>(to));
}

}  // namespace

void putVarint(std::vector<std::uint8_t>& out, std::uint64_t value) {
    while (value >= 0x80) {
        out.push_back(static_cast<std::uint8_t>(value | 0x80));
        value >>= 7;
    }
    out.push_back(static_cast<std::uint8_t>(value));
}

void putSignedVarint(std::vector<std::uint8_t>& out, std::int64_t value) {
    const std::uint64_t bits = static_cast<std::uint64_t>(value);
    putVarint(out, (bits << 1) ^ (value < 0 ? ~std::uint64_t{0} : 0));
}

bool getVarint(const std::uint8_t* data, std::size_t size, std::size_t& at, std::uint64_t& value) {
    value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
        if (at >= size) return false;
        const std::uint8_t byte = data[at++];
        value |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
        if (!(byte & 0x80)) return true;
    }
    return false;
}

bool getSignedVarint(const std::uint8_t* data, std::size_t size, std::size_t& at,
                     std::int64_t& value) {
    std::uint64_t bits = 0;
    if (!getVarint(data, size, at, bits)) return false;
    value = static_cast<std::int64_t>((bits >> 1) ^ (~(bits & 1) + 1));
    return true;
}

std::vector<std::uint8_t> packReplayBytes(const std::vector<std::uint8_t>& raw) {
    std::vector<std::uint8_t> out;
    std::vector<std::int64_t> head(std::size_t{1} << kHashBits, -1);
    std::vector<std::int64_t> previous(raw.size(), -1);
    std::size_t literalStart = 0;
    std::size_t at = 0;
    auto remember = [&](std::size_t position) {
        if (position + kMinMatch > raw.size()) return;
        const std::uint32_t h = hashAt(raw, position);
        previous[position] = head[h];
        head[h] = static_cast<std::int64_t>(position);
    };
    while (at < raw.size()) {
        std::size_t bestLength = 0;
        std::size_t bestDistance = 0;
        if (at + kMinMatch <= raw.size()) {
            std::int64_t candidate = head[hashAt(raw, at)];
            for (int depth = 0; depth < kChainDepth && candidate >= 0; ++depth) {
                const auto from = static_cast<std::size_t>(candidate);
                if (at - from > kWindow) break;
                std::size_t length = 0;
                while (at + length < raw.size() && raw[from + length] == raw[at + length]) {
                    ++length;
                }
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = at - from;
                }
                candidate = previous[from];
            }
        }
        if (bestLength < kMinMatch) {
            remember(at);
            ++at;
            continue;
        }
        flushLiterals(out, raw, literalStart, at);
        putVarint(out, (static_cast<std::uint64_t>(bestLength) << 1) | 1);
        putVarint(out, bestDistance);
        for (std::size_t i = 0; i < bestLength; ++i) remember(at + i);
        at += bestLength;
        literalStart = at;
    }
    flushLiterals(out, raw, literalStart, raw.size());
    return out;
}

bool unpackReplayBytes(const std::uint8_t* data, std::size_t size, std::size_t rawSize,
                       std::vector<std::uint8_t>& out) {
    out.clear();
    out.reserve(std::min(rawSize, size * 64));
    std::size_t at = 0;
    while (at < size) {
        std::uint64_t token = 0;
        if (!getVarint(data, size, at, token)) return false;
        const std::uint64_t length = token >> 1;
        if (length == 0 || length > rawSize - out.size()) return false;
        if (token & 1) {
            std::uint64_t distance = 0;
            if (!getVarint(data, size, at, distance)) return false;
            if (distance == 0 || distance > out.size()) return false;
            // Byte by byte: a copy may overlap what it writes.
            const std::size_t from = out.size() - static_cast<std::size_t>(distance);
            for (std::size_t i = 0; i < length; ++i) out.push_back(out[from + i]);
        } else {
            if (length > size - at) return false;
            out.insert(out.end(), data + at, data + at + length);
            at += static_cast<std::size_t>(length);
        }
    }
    return out.size() == rawSize;
}
