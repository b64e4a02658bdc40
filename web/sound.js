// The game's sound in the page: one AudioContext for the whole visit, made
// at the player's first click or key (before one, a browser keeps a page
// silent). The sounds are the Linux program's, made once at the context's
// rate by its own synthesiser (zorbanix-sound.wasm); each cue starts one
// with the browser's own nodes, which mix on the browser's audio thread, so
// that no script runs there and no sound is made on the page's main thread.
// The mixing keeps the Linux mixer's rules: one voice for each kind of cue,
// a cue that comes again cutting its own sound short with a quick fade;
// Pause fades everything out; muted, cues are dropped; the mix never passes
// the same ceiling. Muted, the context is suspended and costs nothing.
// Each run of the game hands its cues to soundCue; the page sets the mute
// switch and the volume, which last across runs. Where no sound can start,
// the game plays silently and the console says why once.

// Fetched with the game, compiled by whoever plays it.
const wasm = fetch('zorbanix-sound.wasm').then((response) => {
  if (!response.ok) throw new Error(`zorbanix-sound.wasm: the server answered ${response.status}`);
  return response.arrayBuffer();
});
wasm.catch(() => {});

// Buffers of about 20 ms: the output wakes half as often as at its
// shortest, which halves what the sound costs the page, for about 10 ms more
// between a cue and its sound (less than a frame).
const LATENCY_HINT = 0.02;
const QUANTUM = 128;     // frames the browser renders at a time
const PAUSE = 7;         // the game's SoundCue::Pause
const HEADROOM = 4;      // the loudest sum of voices the ceiling shapes smoothly

let context = null;
let mixer = null;        // once the sounds are made
const switches = { muted: false, volume: 10 };
const measured = { posted: [], frames: [], probe: null, mark: null };
let measuring = false;

function giveUp(error) {
  console.warn(`Zorbanix plays without sound here: ${error.message || error}`);
  mixer = null;
}

// The synthesiser's module: it calls out only when its memory grows
// (nothing to do: each table is copied out at once) or when it aborts.
async function makeSounds(rate) {
  const module = await WebAssembly.compile(await wasm);
  const imports = {};
  for (const { module: from, name, kind } of WebAssembly.Module.imports(module)) {
    if (kind !== 'function') continue;
    imports[from] ??= {};
    imports[from][name] = name === 'emscripten_notify_memory_growth' ? () => {} : () => {
      throw new Error(`zorbanix-sound.wasm stopped (${name})`);
    };
  }
  const { exports } = await WebAssembly.instantiate(module, imports);
  exports._initialize?.();
  const buffers = [];
  for (let cue = 0; cue < PAUSE; ++cue) {
    buffers[cue] = [];
    for (let variant = 0; variant < exports.soundCueVariants(cue); ++variant) {
      const at = exports.soundTable(cue, variant, rate);
      const length = exports.soundTableLength();
      if (!at || !length) throw new Error('zorbanix-sound.wasm has no memory for its sounds');
      const buffer = new AudioBuffer({ length, sampleRate: rate, numberOfChannels: 1 });
      buffer.copyToChannel(new Float32Array(exports.memory.buffer, at, length), 0);
      buffers[cue].push(buffer);
    }
  }
  const gains = [];
  for (let level = 0; level <= exports.soundMaxVolume(); ++level) gains.push(exports.soundVolumeGain(level));
  return { buffers, gains, ceiling: exports.soundCeiling(), fade: exports.soundFadeSeconds() };
}

// The ceiling as a curve over -HEADROOM..HEADROOM (the bus scales the mix
// into the shaper's -1..1): the mix as it is up to three quarters of the
// ceiling, then bent smoothly toward the ceiling, never past it. Silence
// stays exact silence.
function ceilingCurve(ceiling) {
  const points = 4097;
  const knee = 0.75 * ceiling;
  const curve = new Float32Array(points);
  for (let i = 0; i < points; ++i) {
    const x = HEADROOM * (2 * i / (points - 1) - 1);
    const over = Math.abs(x) - knee;
    const y = over <= 0 ? Math.abs(x) : knee + (ceiling - knee) * Math.tanh(over / (ceiling - knee));
    curve[i] = Math.sign(x) * y;
  }
  return curve;
}

class NodeMixer {
  constructor(sounds) {
    this.sounds = sounds;
    this.voices = [];    // the playing voice of each kind of cue: { source, gain }
    this.turns = [];     // how many times each cue has played: the march's notes in turn
    this.bus = new GainNode(context, { gain: 1 / HEADROOM });
    const shaper = new WaveShaperNode(context, { curve: ceilingCurve(sounds.ceiling), oversample: 'none' });
    this.output = new GainNode(context, { gain: this.gainOf(switches) });
    this.level = this.output.gain.value;
    this.bus.connect(shaper).connect(this.output).connect(context.destination);
  }

  gainOf({ muted, volume }) {
    return muted ? 0 : this.sounds.gains[volume] ?? 1;
  }

  // A quantum past where the output stands: every start, fade and glide is
  // then placed exactly, never partly in the past.
  soon() {
    return context.currentTime + QUANTUM / context.sampleRate;
  }

  cut(voice, at) {
    if (voice.cut) return;
    voice.cut = true;
    voice.gain.gain.setValueAtTime(1, at);
    voice.gain.gain.linearRampToValueAtTime(0, at + this.sounds.fade);
    voice.source.stop(at + this.sounds.fade);
  }

  cue(cue, at) {
    if (cue === PAUSE) {
      this.voices.forEach((voice) => voice && this.cut(voice, at));
      return;
    }
    const variants = this.sounds.buffers[cue];
    if (!variants?.length) return;
    if (this.voices[cue]) this.cut(this.voices[cue], at);
    const turn = this.turns[cue] ?? 0;
    this.turns[cue] = turn + 1;
    const source = new AudioBufferSourceNode(context, { buffer: variants[turn % variants.length] });
    const gain = new GainNode(context);
    source.connect(gain).connect(this.bus);
    source.start(at);
    const voice = { source, gain, cut: false };
    this.voices[cue] = voice;
    source.onended = () => {
      gain.disconnect();
      if (this.voices[cue] === voice) this.voices[cue] = null;
    };
  }

  // A new volume or the mute switch: a straight glide over the fade, from
  // the level last set (an earlier glide is long over at a player's pace).
  glide(target) {
    const at = this.soon();
    const gain = this.output.gain;
    gain.cancelScheduledValues(at);
    gain.setValueAtTime(this.level, at);
    gain.linearRampToValueAtTime(target, at + this.sounds.fade);
    this.level = target;
  }
}

// Muted, the output glides to silence, every voice stops, and then the
// context is suspended; unmuted, it runs again and glides back.
let suspending = null;
function applySwitches() {
  if (!mixer) return;
  clearTimeout(suspending);
  mixer.glide(mixer.gainOf(switches));
  if (switches.muted) {
    mixer.cue(PAUSE, mixer.soon());
    suspending = setTimeout(() => {
      if (switches.muted) context.suspend().catch(() => {});
    }, 100);
  } else if (context.state === 'suspended') {
    context.resume().catch(() => {});
  }
}

// In the handler of a click, a tap or a key: makes the sound, or lets it
// start again where the browser held it.
export function startSound() {
  if (context) {
    if (context.state === 'suspended' && !switches.muted) context.resume().catch(() => {});
    return;
  }
  const Context = window.AudioContext || window.webkitAudioContext;
  if (!Context) return;
  try {
    context = new Context({ latencyHint: LATENCY_HINT });
  } catch {
    context = new Context();  // a browser that takes no latency in seconds
  }
  makeSounds(context.sampleRate).then((sounds) => {
    mixer = new NodeMixer(sounds);
    applySwitches();
  }, giveUp);
}

// The running game's cue (a SoundCue number), from its update. Muted, cues
// are dropped: unmuting never brings back a stale sound.
export function soundCue(cue) {
  // Held by the browser (no click yet), the output stands still: cues would
  // pile up and all sound at once when it runs.
  if (!mixer || switches.muted || context.state !== 'running') return;
  const at = mixer.soon();
  mixer.cue(cue, at);
  if (measuring && cue !== PAUSE) mark(at);
}

export function setSoundSwitches(muted, volume) {
  switches.muted = muted;
  switches.volume = volume;
  applySwitches();
}

// For the tests and the benchmark: each cue measured also starts a short
// mark at the very time its sound starts, and as a sound does (one that
// comes late starts at once, from its first sample), which a small worklet of the
// measurement's own finds in the rendered quanta (marks of one update add
// up, so the mark's height is how many cues it carries). latencies() gives,
// from each cue's update to the quantum that carries its first sample, in
// render quanta: by the wall clock on both sides (whole milliseconds), and
// from the output's side, from when the output plays that quantum
// (getOutputTimestamp as the mark is found, before any suspension can part
// the context's clock from the page's) less its own latency as the context
// reports it. The worklet is a file of the site (sound-probe.js), as the
// page's security policy wants every script to be.
const MARK_FRAMES = 64;  // shorter than the time between two updates

async function startProbe() {
  await context.audioWorklet.addModule('sound-probe.js');
  const probe = new AudioWorkletNode(context, 'zorbanix-probe', { numberOfOutputs: 1 });
  probe.port.onmessage = ({ data: [frame, cues, at] }) => {
    const { contextTime, performanceTime } = context.getOutputTimestamp();
    const own = (context.baseLatency || 0) + (context.outputLatency || 0);
    const start = frame - (frame % QUANTUM);
    const played = performance.timeOrigin + performanceTime +
                   1000 * (start / context.sampleRate - contextTime - own);
    measured.frames.push([cues, at, played]);
  };
  // Silent, but pulled by the output like the rest.
  probe.connect(new GainNode(context, { gain: 0 })).connect(context.destination);
  measured.probe = probe;
  measured.mark = new AudioBuffer({ length: MARK_FRAMES, sampleRate: context.sampleRate });
  measured.mark.getChannelData(0).fill(1);
}

function mark(at) {
  if (!measured.probe) return;
  measured.posted.push(performance.timeOrigin + performance.now());
  const mark = new AudioBufferSourceNode(context, { buffer: measured.mark });
  mark.connect(measured.probe);
  mark.start(at);
}

window.zorbanixSound = {
  context: () => context,
  async measure() {
    measuring = true;
    measured.posted.length = 0;
    measured.frames.length = 0;
    if (!measured.probe && context && context.audioWorklet) await startProbe();
  },
  latencies() {
    const quantum = QUANTUM / context.sampleRate;
    const quanta = [];
    const pastOwnLatency = [];
    let next = 0;
    for (const [cues, at, played] of measured.frames) {
      for (let i = 0; i < cues && next < measured.posted.length; ++i, ++next) {
        quanta.push((at - measured.posted[next]) / (1000 * quantum));
        pastOwnLatency.push((played - measured.posted[next]) / (1000 * quantum));
      }
    }
    const own = (context.baseLatency || 0) + (context.outputLatency || 0);
    return { quanta, pastOwnLatency, ownLatency: own, sampleRate: context.sampleRate };
  },
};
