#pragma once

#include <SDL.h>

// What the player changed while playing, told to whoever keeps it between
// runs: the Linux program's settings (linux/KeptSettings.h). The presenter
// tells the window's changes once it has carried them out, the sound output
// the mute and the volume. Each call only notes the change; nothing here may write a file
// or wait, since it is told from inside a frame. The browser keeps nothing
// and hands no one in.
class PlayerChoices {
public:
    // `windowed`: the window's place and size in window mode, before it went
    // full screen or now that it is back.
    virtual void fullScreenSwitched(bool fullScreen, const SDL_Rect& windowed) = 0;
    virtual void integerScaleSwitched(bool on) = 0;
    // A window's size or place settled after the player changed it, or the
    // program is ending: where it stands now.
    virtual void windowSettled(SDL_Window* window) = 0;
    virtual void muteSwitched(bool muted) = 0;
    // The sound's volume, 0 (silence) to 10.
    virtual void volumeChanged(int level) = 0;

protected:
    ~PlayerChoices() = default;
};
