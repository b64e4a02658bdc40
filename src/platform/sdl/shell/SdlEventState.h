#pragma once

#include <SDL.h>

#include <cstdint>
#include <deque>

// What SDL's events have changed, in three pieces, one for each owner. Each
// piece has one writer; its readers only read it.
// - SdlKeyState: the keys the input side reads (SdlPlayerKeys.h). Written by
//   the event loop (SdlEventLoop.h) alone: the keyboard, the gamepads and the
//   web page's keys, which reach it through SDL's queue.
// - SdlWindowRequests: what the player asked of the window and its sound
//   with the window's own keys, which the presenter and the sound output
//   carry out. Written by the event loop alone.
// - SdlMessageQueue: the window messages the shell hands the run loop.
//   Written by the shell alone: its event loop posts, its PeekMessageA takes.

// Keys held down by something other than the keyboard: a gamepad, or the web
// page's own keys and on-screen buttons. Each holder's keys are kept apart,
// so one letting go of a key does not release it for another.
enum class KeyHolder { Gamepad, Page };

class SdlKeyState {
public:
    // --- the event loop's side -------------------------------------------
    // A key went down: a reader counts it as down at its next read even when
    // it is released before that (a tap shorter than a frame still counts).
    void keyPressed(SDL_Scancode scancode);
    // A holder holds a key or lets it go. Going from up to down is a press as
    // above; holding on is not, so a key let go reads as up at once.
    void holdKey(KeyHolder holder, SDL_Scancode scancode, bool down);
    void releaseKeys(KeyHolder holder);
    // The window closed, SIGINT, SIGTERM or the session ending. From the
    // first on, the keys read as Escape held, so every screen ends.
    void quitRequested() { ++quitRequests_; }

    // --- the readers' side -------------------------------------------------
    int quitRequests() const { return quitRequests_; }
    // Whether any holder holds the key now.
    bool held(int scancode) const { return held_[scancode] != 0; }
    // How often the key has gone down since the start: a reader that saw
    // another count at its last read has a press to count.
    std::uint32_t presses(int scancode) const { return presses_[scancode]; }

private:
    std::uint32_t presses_[SDL_NUM_SCANCODES] = {};
    std::uint8_t held_[SDL_NUM_SCANCODES] = {};
    int quitRequests_ = 0;
};

// Each count goes up by one at each request; the presenter and the sound
// output each keep the counts they have carried out and act on a difference:
// the presenter at its next frame, the sound output once the shell has taken
// the events.
struct SdlWindowRequests {
    // Alt+Enter or F11: between full screen and a window.
    std::uint32_t fullScreenToggles = 0;
    // F10: whole-number scaling on or off.
    std::uint32_t integerScaleToggles = 0;
    // M: the sound off or on again.
    std::uint32_t muteToggles = 0;
    // Minus (or the keypad's) one volume level down, equals (or the keypad's
    // plus) one up.
    std::uint32_t volumeDowns = 0;
    std::uint32_t volumeUps = 0;
    // The window's size changed (by the player, the window manager or the
    // presenter itself), so its surface may be a new one.
    std::uint32_t resizes = 0;
};

// A window message the shell hands the run loop, one per PeekMessageA.
struct PendingMessage {
    std::uint32_t message;
    std::uintptr_t wParam;
};

class SdlMessageQueue {
public:
    // Kept in order; a message equal to the last one queued is not queued
    // again (a burst of paints is one paint).
    void post(std::uint32_t message, std::uintptr_t wParam = 0);
    bool peek(PendingMessage* message) const;
    void drop();

private:
    std::deque<PendingMessage> messages_;
};
