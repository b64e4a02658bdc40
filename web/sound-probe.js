// The worklet with which the page measures its sound (sound.js): it posts
// the frame, the height and the wall-clock time of each mark it finds, a mark
// being a step up from silence in what it hears.
registerProcessor('zorbanix-probe', class extends AudioWorkletProcessor {
  constructor() { super(); this.last = 0; }
  process([input]) {
    const samples = input[0];
    if (!samples) return true;
    for (let i = 0; i < samples.length; ++i) {
      if (samples[i] > 0 && this.last <= 0) {
        this.port.postMessage([currentFrame + i, Math.round(samples[i]), Date.now()]);
      }
      this.last = samples[i];
    }
    return true;
  }
});
