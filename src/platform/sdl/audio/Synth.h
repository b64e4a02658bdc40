#pragma once

#include <vector>

// A small synthesiser for the game's effects: each sound is a few tones, each
// tone one oscillator with a pitch slide and an envelope. Sounds are rendered
// once, at start-up, into plain sample tables.

enum class Wave { Square, Triangle, Noise };

struct Tone {
    Wave wave;
    float startMs;   // from the start of the sound
    float lengthMs;  // from the start of the attack to the end of the release
    // The pitch slides exponentially from one to the other over the tone.
    // For noise it is the rate at which the noise generator steps.
    float fromHz;
    float toHz;
    float level;      // relative to the sound's other tones
    float attackMs;   // rises from silence
    float decayMs;    // then falls to the sustain level
    float sustain;    // fraction of the peak held until the release
    float releaseMs;  // falls back to exact silence at the end of the tone
    float duty;       // the square's high share of a period (0.5 is even)
};

struct SoundRecipe {
    const Tone* tones;
    int toneCount;
    // The sound is scaled so that its loudest sample has this magnitude.
    float peak;
};

// The sound at `sampleRate`: starts and ends with exact zeros, never goes past
// the recipe's peak. The noise is the same at every call.
std::vector<float> synthesise(const SoundRecipe& recipe, int sampleRate);
