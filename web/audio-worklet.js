// The game's sound off the page's main thread: an AudioWorkletProcessor that
// runs the game's mixer (the Linux program's C++, compiled on its own into
// zorbanix-sound.wasm, whose bytes the page hands over) one render quantum
// at a time. The page posts through the node's port: a number is a cue (the
// game's SoundCue), { muted, volume } the page's switches, { measure: true }
// asks for { frame, cues, at } back after each render that starts a cue:
// the quantum's first frame, how many cues it started, and the wall clock
// (Date.now()) as it leaves the worklet (the latency's measurement). The output is one channel, copied to every channel.
//
// SoundEngine is the same mixer without the worklet, for the page's
// stand-in where a browser has no AudioWorklet (an insecure page).

export class SoundEngine {
  constructor(bytes, rate) {
    const module = new WebAssembly.Module(bytes);
    // The module calls out only when memory grows (nothing to do: the view
    // below is made anew) or when it aborts, which stops the sound.
    const imports = {};
    for (const { module: from, name, kind } of WebAssembly.Module.imports(module)) {
      if (kind !== 'function') continue;
      imports[from] ??= {};
      imports[from][name] = name === 'emscripten_notify_memory_growth' ? () => {} : () => {
        throw new Error(`zorbanix-sound.wasm stopped (${name})`);
      };
    }
    const { exports } = new WebAssembly.Instance(module, imports);
    this.exports = exports;
    exports._initialize?.();
    if (!exports.soundStart(rate)) throw new Error('zorbanix-sound.wasm has no memory for its sounds');
  }

  take(message) {
    if (typeof message === 'number') {
      this.exports.soundCue(message);
    } else if (message && typeof message === 'object') {
      if ('muted' in message) this.exports.soundSetMuted(message.muted ? 1 : 0);
      if ('volume' in message) this.exports.soundSetVolume(message.volume | 0);
    }
  }

  // The next `frames` samples, copied into each of `channels`. The view
  // of the module's memory is kept (made anew only if the memory grew), so
  // that a render leaves nothing for the collector on the audio thread.
  render(channels, frames) {
    const at = this.exports.soundRender(frames);
    const memory = this.exports.memory.buffer;
    if (this.view?.buffer !== memory || this.view.byteOffset !== at || this.view.length !== frames) {
      this.view = new Float32Array(memory, at, frames);
    }
    for (let c = 0; c < channels.length; ++c) channels[c].set(this.view);
  }
}

if (typeof registerProcessor === 'function') {
  registerProcessor('zorbanix-sound', class extends AudioWorkletProcessor {
    constructor(options) {
      super();
      this.cues = 0;      // cues taken since the last render, while measuring
      this.measuring = false;
      try {
        // sampleRate: the worklet scope's own, the context's rate.
        this.engine = new SoundEngine(options.processorOptions.bytes, sampleRate);
      } catch (error) {
        this.port.postMessage({ error: String(error.message || error) });
        return;
      }
      this.port.onmessage = ({ data }) => {
        if (data && data.measure !== undefined) this.measuring = Boolean(data.measure);
        if (typeof data === 'number') ++this.cues;
        this.engine.take(data);
      };
    }

    process(inputs, outputs) {
      if (!this.engine) return false;
      try {
        this.engine.render(outputs[0], outputs[0][0].length);
      } catch (error) {
        this.port.postMessage({ error: String(error.message || error) });
        this.engine = null;
        return false;
      }
      if (this.cues > 0) {
        if (this.measuring) this.port.postMessage({ frame: currentFrame, cues: this.cues, at: Date.now() });
        this.cues = 0;
      }
      return true;
    }
  });
}
