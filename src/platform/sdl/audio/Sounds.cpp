#include "platform/sdl/audio/Sounds.h"

#include <iterator>

#include "platform/sdl/audio/Synth.h"

namespace {

// Each tone: wave, start ms, length ms, from Hz, to Hz, level, attack ms,
// decay ms, sustain, release ms, duty. Pitches are equal-tempered notes
// where the sound is a tune.
//
// Levels are set for small speakers as much as for headphones: a phone or a
// laptop gives little below 300 Hz, so every sound keeps most of its energy
// above that, and the sounds are ranked by how much a player needs them (a
// ship lost, then a hit, then the shot and the march, then an invader's
// shot).

// A quick falling blip, thin-edged square.
constexpr Tone kShot[] = {
    {Wave::Square, 0, 130, 1250, 380, 1.0f, 2, 40, 0.5f, 60, 0.25f},
};

// Soft and short, so that a steady rain of them stays under the rest; a
// square an octave up beside the triangle lets it through a small speaker.
constexpr Tone kInvaderShot[] = {
    {Wave::Triangle, 0, 100, 760, 380, 1.0f, 4, 30, 0.55f, 45, 0.5f},
    {Wave::Square, 0, 100, 1520, 760, 0.3f, 4, 30, 0.5f, 45, 0.5f},
};

// A crunch of noise over a falling square: the invader bursts.
constexpr Tone kInvaderHit[] = {
    {Wave::Noise, 0, 240, 11000, 1800, 0.8f, 1.5f, 60, 0.5f, 150, 0.5f},
    {Wave::Square, 0, 180, 740, 180, 0.5f, 2, 50, 0.5f, 100, 0.5f},
};

// A long rumble: noise whose rate falls, over a sinking low tone that gives
// it weight where the speaker has the bass for it.
constexpr Tone kShipLost[] = {
    {Wave::Noise, 0, 950, 5200, 420, 1.0f, 2, 200, 0.6f, 650, 0.5f},
    {Wave::Triangle, 0, 800, 150, 38, 0.35f, 3, 150, 0.6f, 500, 0.5f},
};

// The march: four short low notes (G2, F2, E2 flat, D2). A narrow pulse
// carries the note in its overtones, which a small speaker plays even where
// it cannot play the note itself; a narrow pulse two octaves up (G4 to D4)
// sings the same four notes where every speaker reaches, and a triangle an
// octave below gives weight where the speaker has the bass for it.
constexpr float kMarchHz[kMarchNotes] = {98.0f, 87.31f, 77.78f, 73.42f};
constexpr float kMarchMs = 85;

// A rising arpeggio of C major, the last note held.
constexpr Tone kWaveStart[] = {
    {Wave::Square, 0, 90, 523.25f, 523.25f, 0.8f, 2, 30, 0.6f, 25, 0.25f},
    {Wave::Square, 90, 90, 659.25f, 659.25f, 0.8f, 2, 30, 0.6f, 25, 0.25f},
    {Wave::Square, 180, 90, 783.99f, 783.99f, 0.8f, 2, 30, 0.6f, 25, 0.25f},
    {Wave::Square, 270, 300, 1046.5f, 1046.5f, 0.8f, 2, 60, 0.55f, 180, 0.25f},
    {Wave::Triangle, 270, 300, 523.25f, 523.25f, 0.6f, 3, 60, 0.6f, 180, 0.5f},
};

// A falling minor phrase that sinks away; it waits for the last ship's
// rumble to die down first. Each note has a soft square beside its triangle
// so that the phrase carries on a small speaker.
constexpr float kLate = 650;
constexpr Tone kGameOver[] = {
    {Wave::Triangle, kLate, 230, 392.0f, 392.0f, 1.0f, 4, 40, 0.7f, 60, 0.5f},
    {Wave::Square, kLate, 230, 392.0f, 392.0f, 0.5f, 4, 40, 0.7f, 60, 0.5f},
    {Wave::Triangle, kLate + 230, 230, 311.13f, 311.13f, 1.0f, 4, 40, 0.7f, 60, 0.5f},
    {Wave::Square, kLate + 230, 230, 311.13f, 311.13f, 0.5f, 4, 40, 0.7f, 60, 0.5f},
    {Wave::Triangle, kLate + 460, 230, 261.63f, 261.63f, 1.0f, 4, 40, 0.7f, 60, 0.5f},
    {Wave::Square, kLate + 460, 230, 261.63f, 261.63f, 0.5f, 4, 40, 0.7f, 60, 0.5f},
    {Wave::Triangle, kLate + 690, 900, 196.0f, 130.81f, 1.0f, 4, 120, 0.6f, 500, 0.5f},
    {Wave::Square, kLate + 690, 900, 196.0f, 130.81f, 0.6f, 6, 120, 0.6f, 500, 0.3f},
    {Wave::Square, kLate + 690, 900, 98.0f, 65.41f, 0.3f, 6, 120, 0.6f, 500, 0.5f},
};

template <std::size_t N>
SoundRecipe recipe(const Tone (&tones)[N], float peak) {
    return {tones, static_cast<int>(N), peak};
}

}  // namespace

std::vector<float> makeSound(SoundId id, int sampleRate) {
    switch (id) {
        case SoundId::Shot:
            return synthesise(recipe(kShot, 0.36f), sampleRate);
        case SoundId::InvaderShot:
            return synthesise(recipe(kInvaderShot, 0.24f), sampleRate);
        case SoundId::InvaderHit:
            return synthesise(recipe(kInvaderHit, 0.5f), sampleRate);
        case SoundId::ShipLost:
            return synthesise(recipe(kShipLost, 0.6f), sampleRate);
        case SoundId::WaveStart:
            return synthesise(recipe(kWaveStart, 0.36f), sampleRate);
        case SoundId::GameOver:
            return synthesise(recipe(kGameOver, 0.55f), sampleRate);
        default: {
            const int note = static_cast<int>(id) - static_cast<int>(SoundId::March0);
            const float hz = kMarchHz[note];
            const Tone march[] = {
                {Wave::Square, 0, kMarchMs, hz, hz, 1.0f, 2, 25, 0.6f, 40, 0.25f},
                {Wave::Square, 0, kMarchMs, 4 * hz, 4 * hz, 0.7f, 1, 20, 0.6f, 40, 0.25f},
                {Wave::Triangle, 0, kMarchMs, hz / 2, hz / 2, 0.3f, 2, 25, 0.6f, 40, 0.5f},
            };
            return synthesise(recipe(march, 0.5f), sampleRate);
        }
    }
}

SoundId soundOf(SoundCue cue) {
    switch (cue) {
        case SoundCue::Shot:
            return SoundId::Shot;
        case SoundCue::InvaderShot:
            return SoundId::InvaderShot;
        case SoundCue::InvaderHit:
            return SoundId::InvaderHit;
        case SoundCue::ShipLost:
            return SoundId::ShipLost;
        case SoundCue::WaveStart:
            return SoundId::WaveStart;
        case SoundCue::GameOver:
            return SoundId::GameOver;
        default:
            return SoundId::March0;
    }
}
