// The browser's sounds: the Linux program's synthesiser, compiled on its own
// into a small WebAssembly module with no runtime around it
// (zorbanix-sound.wasm). The page (web/sound.js) makes each table once at
// its AudioContext's rate and plays them with the browser's own nodes,
// mixing as the Linux mixer does, by the numbers this module hands over.

#include <emscripten.h>

#include <vector>

#include "platform/sdl/audio/Mixer.h"
#include "platform/sdl/audio/OutputVolume.h"
#include "platform/sdl/audio/Sounds.h"

namespace {

std::vector<float> table;

}  // namespace

extern "C" {

// How many sounds a cue plays in turn: the march's notes, one for the
// others, none for Pause, which only silences.
EMSCRIPTEN_KEEPALIVE int soundCueVariants(int cue) {
    if (cue < 0 || cue >= kSoundCueCount || cue == static_cast<int>(SoundCue::Pause)) return 0;
    return cue == static_cast<int>(SoundCue::MarchStep) ? kMarchNotes : 1;
}

// The cue's `variant`th sound made at `rate`, in the module's memory until
// the next call; its length from soundTableLength.
EMSCRIPTEN_KEEPALIVE const float* soundTable(int cue, int variant, int rate) {
    table.clear();
    if (variant < 0 || variant >= soundCueVariants(cue)) return nullptr;
    const int id = static_cast<int>(soundOf(static_cast<SoundCue>(cue))) + variant;
    table = makeSound(static_cast<SoundId>(id), rate);
    return table.data();
}

EMSCRIPTEN_KEEPALIVE int soundTableLength() { return static_cast<int>(table.size()); }

EMSCRIPTEN_KEEPALIVE float soundVolumeGain(int level) { return OutputVolume::gainOf(level); }
EMSCRIPTEN_KEEPALIVE int soundMaxVolume() { return OutputVolume::kMaxLevel; }
EMSCRIPTEN_KEEPALIVE float soundCeiling() { return Mixer::kCeiling; }
EMSCRIPTEN_KEEPALIVE float soundFadeSeconds() { return Mixer::kFadeMs / 1000.0f; }

}  // extern "C"
