#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

// A short note over the picture when the player switches the sound off or
// on, or changes its volume: "SOUND OFF", "SOUND ON", or "VOLUME 4" with a
// bar of the ten levels, for a little over a second. It is the window's, not
// the game's: the presenter shows it over a copy of the frame, so that no
// frame of the game changes. The lettering is the results screen's sheet.
class SoundNote {
public:
    static constexpr std::uint32_t kShownMs = 1200;

    SoundNote() = default;
    ~SoundNote();
    SoundNote(const SoundNote&) = delete;
    SoundNote& operator=(const SoundNote&) = delete;

    // The frame to show at `nowMs`: `frame` itself, or while a note stands,
    // a copy of it with the note drawn over it (valid until the next call).
    // The sound as it stands is compared with the last frame's; the first
    // frame only takes note of it.
    SDL_Surface* over(SDL_Surface* frame, bool muted, int volume, std::uint32_t nowMs);
    // The folders the letter sheet is read from, the display's own.
    void readLettersFrom(const std::vector<std::string>* folders) { folders_ = folders; }

private:
    void draw(SDL_Surface* target);
    void text(SDL_Surface* target, const char* text, int x, int y);
    bool lettersLoaded(const SDL_PixelFormat* format);

    bool known_ = false;
    bool muted_ = false;
    int volume_ = 0;
    // What the note says: the mute switch or the volume.
    bool aboutVolume_ = false;
    std::uint32_t shownFrom_ = 0;
    bool showing_ = false;
    SDL_Surface* copy_ = nullptr;
    SDL_Surface* letters_ = nullptr;
    bool lettersTried_ = false;
    const std::vector<std::string>* folders_ = nullptr;
};
