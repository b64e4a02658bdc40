#pragma once

#include <atomic>
#include <cstdint>

// Hands small values from one thread to one other without a lock: the game
// thread pushes, the audio callback pops. Neither side ever waits; a push
// into a full ring is dropped.
template <unsigned Capacity>
class CueRing {
    static_assert((Capacity & (Capacity - 1)) == 0, "a power of two");

public:
    bool push(std::uint8_t value) {
        const std::uint32_t head = head_.load(std::memory_order_relaxed);
        if (head - tail_.load(std::memory_order_acquire) >= Capacity) return false;
        items_[head & (Capacity - 1)] = value;
        head_.store(head + 1, std::memory_order_release);
        return true;
    }

    bool pop(std::uint8_t& value) {
        const std::uint32_t tail = tail_.load(std::memory_order_relaxed);
        if (tail == head_.load(std::memory_order_acquire)) return false;
        value = items_[tail & (Capacity - 1)];
        tail_.store(tail + 1, std::memory_order_release);
        return true;
    }

private:
    std::uint8_t items_[Capacity] = {};
    std::atomic<std::uint32_t> head_{0};
    std::atomic<std::uint32_t> tail_{0};
};
