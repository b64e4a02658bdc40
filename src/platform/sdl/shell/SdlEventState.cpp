#include "platform/sdl/shell/SdlEventState.h"

#include <cstring>

namespace {

constexpr std::uint8_t holderBit(KeyHolder holder) {
    return static_cast<std::uint8_t>(1u << static_cast<unsigned>(holder));
}

bool isKey(SDL_Scancode code) { return code > SDL_SCANCODE_UNKNOWN && code < SDL_NUM_SCANCODES; }

// Far more than a frame's worth of window events; reached only if nothing
// takes messages for a long while, and then the oldest go first.
constexpr std::size_t kMaxMessages = 64;

}  // namespace

SdlEventState& sdlEventState() {
    static SdlEventState state;
    return state;
}

void SdlEventState::keyPressed(SDL_Scancode scancode) {
    if (isKey(scancode)) pressed_[scancode] = 1;
}

void SdlEventState::holdKey(KeyHolder holder, SDL_Scancode scancode, bool down) {
    if (!isKey(scancode)) return;
    const std::uint8_t bit = holderBit(holder);
    if (down) {
        if ((held_[scancode] & bit) == 0) pressed_[scancode] = 1;
        held_[scancode] |= bit;
    } else {
        held_[scancode] &= static_cast<std::uint8_t>(~bit);
    }
}

void SdlEventState::releaseKeys(KeyHolder holder) {
    for (std::uint8_t& bits : held_) bits &= static_cast<std::uint8_t>(~holderBit(holder));
}

const Uint8* SdlEventState::readKeys(const Uint8* sdlKeys, int count) {
    if (quitRequests_ > 0) {
        // Only Escape: a held arrow or Space must not play on while the
        // screens wind down.
        std::memset(merged_, 0, sizeof merged_);
        merged_[SDL_SCANCODE_ESCAPE] = 1;
    } else {
        for (int code = 0; code < SDL_NUM_SCANCODES; ++code) {
            const bool down =
                (code < count && sdlKeys && sdlKeys[code]) || pressed_[code] || held_[code];
            merged_[code] = down ? 1 : 0;
        }
    }
    std::memset(pressed_, 0, sizeof pressed_);
    return merged_;
}

void SdlEventState::post(std::uint32_t message, std::uintptr_t wParam) {
    if (!messages_.empty() && messages_.back().message == message &&
        messages_.back().wParam == wParam) {
        return;
    }
    if (messages_.size() >= kMaxMessages) messages_.pop_front();
    messages_.push_back({message, wParam});
}

bool SdlEventState::peekMessage(PendingMessage* message) const {
    if (messages_.empty()) return false;
    if (message) *message = messages_.front();
    return true;
}

void SdlEventState::dropMessage() {
    if (!messages_.empty()) messages_.pop_front();
}
