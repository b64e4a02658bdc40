// Downloads the game (zorbanix.wasm and zorbanix.data, the pictures, each
// gzipped by the build) with progress, inflates and compiles it once, runs
// its script (zorbanix.js, a file of the site as it stands: the page's
// security policy runs no script made in the page), and starts fresh
// instances of it: each "Play again" is a new instance, with the fresh
// static state a new run of the program has.

// A module that uses one 128-bit vector instruction: the game is compiled
// with WebAssembly's SIMD, which every current browser has.
const SIMD_PROBE = new Uint8Array([0, 97, 115, 109, 1, 0, 0, 0, 1, 5, 1, 96, 0, 1, 123, 3, 2, 1, 0,
  10, 22, 1, 20, 0, 253, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 11]);

export function checkBrowser() {
  if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function') {
    return 'This browser cannot run WebAssembly, which Zorbanix needs. ' +
           'A current Firefox, Chrome, Edge or Safari can.';
  }
  if (!WebAssembly.validate(SIMD_PROBE)) {
    return 'This browser runs WebAssembly without its 128-bit vectors (SIMD), which ' +
           'Zorbanix needs. A current Firefox, Chrome, Edge or Safari has them.';
  }
  if (typeof DecompressionStream !== 'function') {
    return 'This browser cannot unpack the compressed files of Zorbanix (it has no ' +
           'DecompressionStream). A current Firefox, Chrome, Edge or Safari can.';
  }
  return null;
}

function loadScript(url) {
  return new Promise((resolve, reject) => {
    const script = document.createElement('script');
    script.src = url;
    script.onload = resolve;
    script.onerror = () => reject(new Error('Could not run zorbanix.js.'));
    document.head.appendChild(script);
  });
}

async function fetchBytes(url, onBytes) {
  let response;
  try {
    response = await fetch(url);
  } catch (error) {
    throw new Error(`Could not download ${url}: ${error.message}.`);
  }
  if (!response.ok) {
    throw new Error(`Could not download ${url}: the server answered ${response.status} ` +
                    `${response.statusText}.`);
  }
  // A compressed transfer counts its length in compressed bytes, the
  // reader in plain ones: then the whole is not known.
  const length = response.headers.get('Content-Encoding') ? 0
      : Number(response.headers.get('Content-Length')) || 0;
  onBytes(0, length);
  const reader = response.body.getReader();
  const chunks = [];
  let received = 0;
  for (;;) {
    const { done, value } = await reader.read();
    if (done) break;
    chunks.push(value);
    received += value.length;
    onBytes(received, length);
  }
  const bytes = new Uint8Array(received);
  let at = 0;
  for (const chunk of chunks) {
    bytes.set(chunk, at);
    at += chunk.length;
  }
  return bytes.buffer;
}

// The bytes of a file the build gzipped, inflated. A server that sends the
// file with "Content-Encoding: gzip" (some do for a name ending in .gz) has
// the browser inflate it already: then it no longer starts with gzip's mark.
async function inflated(buffer) {
  const bytes = new Uint8Array(buffer, 0, Math.min(2, buffer.byteLength));
  if (bytes[0] !== 0x1f || bytes[1] !== 0x8b) return buffer;
  const stream = new Blob([buffer]).stream().pipeThrough(new DecompressionStream('gzip'));
  return new Response(stream).arrayBuffer();
}

// Resolves to the compiled game and its pictures; `progress(received, total)`
// hears of every chunk (total is 0 while not every length is known).
export async function loadGame(progress) {
  const files = ['zorbanix.wasm.gz', 'zorbanix.data.gz'];
  const script = loadScript('zorbanix.js');
  script.catch(() => {});  // heard of below, once the downloads are done
  const received = new Map();
  const lengths = new Map();
  const report = () => {
    const sum = (map) => [...map.values()].reduce((a, b) => a + b, 0);
    const known = lengths.size === files.length && [...lengths.values()].every((n) => n > 0);
    progress(sum(received), known ? sum(lengths) : 0);
  };
  const [wasm, data] = await Promise.all(files.map(async (url) => {
    const packed = await fetchBytes(url, (bytes, length) => {
      received.set(url, bytes);
      lengths.set(url, length);
      report();
    });
    try {
      return await inflated(packed);
    } catch (error) {
      throw new Error(`${url} is damaged: ${error.message}`);
    }
  }));
  await script;
  let module;
  try {
    module = await WebAssembly.compile(wasm);
  } catch (error) {
    throw new Error(`zorbanix.wasm is not a program this browser can run: ${error.message}`);
  }
  return { module, data };
}

// Starts one run of the game on `canvas`; `hooks` are the Module hooks the
// game calls (onAnimationFrameWait, onGameEnded) and onAbort.
export function startGame(game, canvas, hooks) {
  return globalThis.createZorbanix({
    canvas,
    instantiateWasm(imports, receive) {
      WebAssembly.instantiate(game.module, imports).then(
        (instance) => receive(instance, game.module),
        (error) => hooks.onAbort(error.message));
      return {};
    },
    // The pictures, already downloaded; each run gets its own copy.
    getPreloadedPackage: () => game.data.slice(0),
    print: (text) => console.log(text),
    printErr: (text) => console.warn(text),
    ...hooks,
  });
}
