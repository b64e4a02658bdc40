// The browser's sound, run in the page's AudioWorklet off the main thread:
// the Linux program's mixer and volume, compiled on their own into a small
// WebAssembly module with no runtime around it (zorbanix-sound.wasm). The
// worklet (web/audio-worklet.js) starts it at the output's rate, hands in
// each cue, the mute switch and the volume as the page posts them, and
// renders one render quantum at a time.

#include <emscripten.h>

#include <new>

#include "platform/sdl/audio/Mixer.h"
#include "platform/sdl/audio/OutputVolume.h"

namespace {

Mixer* mixer = nullptr;
OutputVolume* volume = nullptr;
// The most frames one render gives: a quantum is 128, the main thread's
// stand-in for browsers without AudioWorklet asks for up to 4096.
constexpr int kMostFrames = 4096;
float samples[kMostFrames];

}  // namespace

extern "C" {

// Makes the sounds at `rate`; false where memory ran out.
EMSCRIPTEN_KEEPALIVE int soundStart(int rate) {
    if (mixer) return 1;
    mixer = new (std::nothrow) Mixer(rate);
    volume = new (std::nothrow) OutputVolume(rate);
    return mixer && volume ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE void soundCue(int cue) {
    if (mixer && cue >= 0 && cue < kSoundCueCount) mixer->post(static_cast<SoundCue>(cue));
}

EMSCRIPTEN_KEEPALIVE void soundSetMuted(int muted) {
    if (mixer) mixer->setMuted(muted != 0);
}

EMSCRIPTEN_KEEPALIVE void soundSetVolume(int level) {
    if (volume) volume->setLevel(level);
}

// The next `frames` samples of the one channel, in the module's memory.
EMSCRIPTEN_KEEPALIVE float* soundRender(int frames) {
    if (frames > kMostFrames) frames = kMostFrames;
    if (!mixer || frames <= 0) return samples;
    mixer->render(samples, frames, 1);
    volume->apply(samples, frames, 1);
    return samples;
}

}  // extern "C"
