// The game's sound in the page: one AudioContext for the whole visit, made
// at the player's first click or key (before one, a browser keeps a page
// silent), playing the mixer in an AudioWorklet (audio-worklet.js, with
// zorbanix-sound.wasm), so that no sound is made on the page's main thread.
// Each run of the game hands its cues to soundCue; the page sets the mute
// switch and the volume, which last across runs. Where a browser has no
// AudioWorklet (a page that is not https or localhost) the same mixer runs
// in a ScriptProcessorNode instead; where neither can start, the game plays
// silently and the console says why once.
import { SoundEngine } from './audio-worklet.js';

// Fetched with the game, compiled by whoever plays it.
const wasm = fetch('zorbanix-sound.wasm').then((response) => {
  if (!response.ok) throw new Error(`zorbanix-sound.wasm: the server answered ${response.status}`);
  return response.arrayBuffer();
});
wasm.catch(() => {});

let context = null;
let send = null;         // posts a message to the mixer, once it runs
const switches = { muted: false, volume: 10 };
const measured = { posted: [], frames: [] };
let measuring = false;

function giveUp(error) {
  console.warn(`Zorbanix plays without sound here: ${error.message || error}`);
  send = null;
}

async function startWorklet() {
  const bytes = await wasm;
  await context.audioWorklet.addModule('audio-worklet.js');
  const node = new AudioWorkletNode(context, 'zorbanix-sound', {
    numberOfInputs: 0, outputChannelCount: [1], processorOptions: { bytes },
  });
  node.port.onmessage = ({ data }) => {
    if (data.error) giveUp(new Error(data.error));
    if (data.frame !== undefined) measured.frames.push([data.frame, data.cues, data.at]);
  };
  node.connect(context.destination);
  return (message) => node.port.postMessage(message);
}

// Browsers without AudioWorklet: the mixer on the main thread.
async function startOnMainThread() {
  const engine = new SoundEngine(await wasm, context.sampleRate);
  const node = context.createScriptProcessor(1024, 0, 1);
  node.onaudioprocess = ({ outputBuffer }) => {
    engine.render([outputBuffer.getChannelData(0)], outputBuffer.length);
  };
  node.connect(context.destination);
  return (message) => engine.take(message);
}

// In the handler of a click, a tap or a key: makes the sound, or lets it
// start again where the browser held it.
export function startSound() {
  if (context) {
    if (context.state === 'suspended') context.resume().catch(() => {});
    return;
  }
  const Context = window.AudioContext || window.webkitAudioContext;
  if (!Context) return;
  context = new Context({ latencyHint: 'interactive' });
  (context.audioWorklet ? startWorklet() : startOnMainThread()).then((post) => {
    send = post;
    post({ ...switches, measure: measuring });
  }, giveUp);
}

// The running game's cue (a SoundCue number), from its update.
export function soundCue(cue) {
  if (!send) return;
  if (measuring) measured.posted.push(performance.timeOrigin + performance.now());
  send(cue);
}

export function setSoundSwitches(muted, volume) {
  switches.muted = muted;
  switches.volume = volume;
  send?.({ muted, volume });
}

// For the tests and the benchmark: from each cue's update to the moment its
// first sample leaves the worklet, in render quanta (the mixer starts a cue
// at the first frame of the first quantum after it arrives), by the wall
// clock on both sides (whole milliseconds); and the same from the output's
// side, from when the output plays the quantum (getOutputTimestamp) less its
// own latency as the context reports it.
window.zorbanixSound = {
  context: () => context,
  measure() {
    measuring = true;
    measured.posted.length = 0;
    measured.frames.length = 0;
    send?.({ measure: true });
  },
  latencies() {
    const { contextTime, performanceTime } = context.getOutputTimestamp();
    const own = (context.baseLatency || 0) + (context.outputLatency || 0);
    const quantum = 128 / context.sampleRate;
    const quanta = [];
    const pastOwnLatency = [];
    let next = 0;
    for (const [frame, cues, at] of measured.frames) {
      const played = performance.timeOrigin + performanceTime +
                     1000 * (frame / context.sampleRate - contextTime - own);
      for (let i = 0; i < cues && next < measured.posted.length; ++i, ++next) {
        quanta.push((at - measured.posted[next]) / (1000 * quantum));
        pastOwnLatency.push((played - measured.posted[next]) / (1000 * quantum));
      }
    }
    return { quanta, pastOwnLatency, ownLatency: own, sampleRate: context.sampleRate };
  },
};
