#pragma once

#include <vector>

#include "devices/SoundCues.h"

// The game's effects, one table each, made by the synthesiser at the output's
// sample rate. The march has four notes, played in turn.
enum class SoundId {
    Shot,
    InvaderShot,
    InvaderHit,
    ShipLost,
    March0,
    March1,
    March2,
    March3,
    WaveStart,
    GameOver,
};

constexpr int kSoundCount = 10;
constexpr int kMarchNotes = 4;

std::vector<float> makeSound(SoundId id, int sampleRate);

// The sound a cue plays: for the march, its first note, the mixer playing
// the kMarchNotes in turn. Pause has no sound of its own.
SoundId soundOf(SoundCue cue);
