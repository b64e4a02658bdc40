#pragma once

#include <cstdint>

// The moments of play that a platform may make heard. The core reports each
// one in the update where the game acts; what, if anything, sounds is the
// platform's business.
enum class SoundCue : std::uint8_t {
    Shot,         // the ship's bullet has just been spawned
    InvaderShot,  // an invader dropped a bullet
    InvaderHit,   // invaders were removed and scored in this update
    ShipLost,     // a destroyed ship was found: replaced, or the game is lost
    MarchStep,    // the fleet took one march step
    WaveStart,    // a wave begins with its get-ready pause
    GameOver,     // the game is lost
    Pause,        // play froze: whatever is sounding should stop
};

constexpr int kSoundCueCount = 8;

class SoundCues {
public:
    virtual void cue(SoundCue cue) = 0;

protected:
    ~SoundCues() = default;
};

// A platform with sound installs its cue sink before the game runs; without
// one the cues go nowhere.
void installSoundCues(SoundCues* cues);
SoundCues& soundCues();

inline void playCue(SoundCue cue) { soundCues().cue(cue); }
