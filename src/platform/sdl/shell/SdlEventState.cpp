#include "platform/sdl/shell/SdlEventState.h"

namespace {

constexpr std::uint8_t holderBit(KeyHolder holder) {
    return static_cast<std::uint8_t>(1u << static_cast<unsigned>(holder));
}

bool isKey(SDL_Scancode code) { return code > SDL_SCANCODE_UNKNOWN && code < SDL_NUM_SCANCODES; }

// Far more than a frame's worth of window events; reached only if nothing
// takes messages for a long while, and then the oldest go first.
constexpr std::size_t kMaxMessages = 64;

}  // namespace

void SdlKeyState::keyPressed(SDL_Scancode scancode) {
    if (isKey(scancode)) ++presses_[scancode];
}

void SdlKeyState::holdKey(KeyHolder holder, SDL_Scancode scancode, bool down) {
    if (!isKey(scancode)) return;
    const std::uint8_t bit = holderBit(holder);
    if (down) {
        if ((held_[scancode] & bit) == 0) ++presses_[scancode];
        held_[scancode] |= bit;
    } else {
        held_[scancode] &= static_cast<std::uint8_t>(~bit);
    }
}

void SdlKeyState::releaseKeys(KeyHolder holder) {
    for (std::uint8_t& bits : held_) bits &= static_cast<std::uint8_t>(~holderBit(holder));
}

void SdlMessageQueue::post(std::uint32_t message, std::uintptr_t wParam) {
    if (!messages_.empty() && messages_.back().message == message &&
        messages_.back().wParam == wParam) {
        return;
    }
    if (messages_.size() >= kMaxMessages) messages_.pop_front();
    messages_.push_back({message, wParam});
}

bool SdlMessageQueue::peek(PendingMessage* message) const {
    if (messages_.empty()) return false;
    if (message) *message = messages_.front();
    return true;
}

void SdlMessageQueue::drop() {
    if (!messages_.empty()) messages_.pop_front();
}
