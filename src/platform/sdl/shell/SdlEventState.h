#pragma once

#include <SDL.h>

#include <cstdint>
#include <deque>

// What SDL's events have changed since the program started, kept for those
// who read it: the keyboard and joystick devices, the shell's message pump
// and the presenter. Only the event loop (SdlEventLoop.h) writes to it, once
// a frame, and the web page's keys; it never asks SDL for events itself.

// Keys held down by something other than the keyboard: a gamepad, or the web
// page's own keys and on-screen buttons. Each holder's keys are kept apart,
// so one letting go of a key does not release it for another.
enum class KeyHolder { Gamepad, Page };

// A window message the shell hands the run loop, one per PeekMessageA.
struct PendingMessage {
    std::uint32_t message;
    std::uintptr_t wParam;
};

class SdlEventState {
public:
    // --- keys ---------------------------------------------------------------
    // A key went down: it reads as down at the next snapshot even when it is
    // released before that (a tap shorter than a frame still counts).
    void keyPressed(SDL_Scancode scancode);
    // A holder holds a key or lets it go. Going from up to down is a press as
    // above; holding on is not, so a key let go reads as up at once.
    void holdKey(KeyHolder holder, SDL_Scancode scancode, bool down);
    void releaseKeys(KeyHolder holder);
    // One read of the keys: SDL's key state (`count` entries) with the
    // presses since the last read and every holder's keys merged in; only
    // Escape once a quit was requested. Indexed by scancode,
    // SDL_NUM_SCANCODES long.
    const Uint8* readKeys(const Uint8* sdlKeys, int count);

    // --- quit requests ------------------------------------------------------
    // The window closed, SIGINT, SIGTERM or the session ending. From the
    // first on, the keys read as Escape held, so every screen ends.
    void quitRequested() { ++quitRequests_; }
    int quitRequests() const { return quitRequests_; }

    // --- messages for the run loop ----------------------------------------
    // Kept in order; a message equal to the last one queued is not queued
    // again (a burst of paints is one paint).
    void post(std::uint32_t message, std::uintptr_t wParam = 0);
    bool peekMessage(PendingMessage* message) const;
    void dropMessage();

    // --- what the player asked of the window ------------------------------
    // Carried out by the presenter at its next frame.
    void requestFullScreenToggle() { fullScreenToggle_ = true; }
    void requestIntegerScaleToggle() { integerScaleToggle_ = true; }
    bool takeFullScreenToggle() { return take(fullScreenToggle_); }
    bool takeIntegerScaleToggle() { return take(integerScaleToggle_); }
    // The window's size changed (by the player, the window manager or the
    // presenter itself), so its surface may be a new one.
    void windowResized() { windowResized_ = true; }
    bool takeWindowResized() { return take(windowResized_); }

private:
    static bool take(bool& flag) {
        const bool was = flag;
        flag = false;
        return was;
    }

    Uint8 merged_[SDL_NUM_SCANCODES] = {};
    Uint8 pressed_[SDL_NUM_SCANCODES] = {};
    std::uint8_t held_[SDL_NUM_SCANCODES] = {};
    int quitRequests_ = 0;
    std::deque<PendingMessage> messages_;
    bool fullScreenToggle_ = false;
    bool integerScaleToggle_ = false;
    bool windowResized_ = false;
};

// The program's one state.
SdlEventState& sdlEventState();

// The web page's and the gamepads' way in.
inline void holdKey(KeyHolder holder, SDL_Scancode scancode, bool down) {
    sdlEventState().holdKey(holder, scancode, down);
}
inline void releaseHeldKeys(KeyHolder holder) { sdlEventState().releaseKeys(holder); }
