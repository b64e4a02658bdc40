// The page around the game: loading, the start overlay, the keyboard and
// touch buttons, the fitted canvas, the end of a run and "Play again".
//
// The page's state is body[data-state]: loading, ready (waiting for a click
// or a key), playing, ended or error. window.zorbanixPage.times holds when
// things happened (performance.now() values): loaded, started and
// firstPicture, for the tests and the benchmark.
import { checkBrowser, loadGame, startGame } from './loader.js';
import { layOut } from './layout.js';
import { keepsFromPage, scancodeOf, wireTouchButtons } from './keys.js';

const body = document.body;
const stage = document.getElementById('stage');
const canvas = document.getElementById('canvas');
const overlay = document.getElementById('overlay');
const touchControls = document.getElementById('touch-controls');
const times = {};
window.zorbanixPage = { times };

let game = null;     // the downloaded, compiled game
let run = null;      // the running instance, while one runs
let waits = 0;       // animation-frame waits of the running instance
let touch = navigator.maxTouchPoints > 0 || matchMedia('(any-pointer: coarse)').matches;

const setState = (state) => { body.dataset.state = state; };
const state = () => body.dataset.state;

function showError(message) {
  document.getElementById('error').textContent = message;
  setState('error');
  releaseKeys();
}

// --- layout ---------------------------------------------------------------

const px = (value) => `${value}px`;
function place(element, rect) {
  Object.assign(element.style, { left: px(rect.left), top: px(rect.top),
                                 width: px(rect.width), height: px(rect.height) });
}

function applyLayout() {
  const { picture, buttons, fullscreen } = layOut(innerWidth, innerHeight, devicePixelRatio, touch);
  place(overlay, picture);
  const corner = document.getElementById('fullscreen').style;
  corner.left = fullscreen ? px(fullscreen.left) : '';
  corner.top = fullscreen ? px(fullscreen.top) : '';
  corner.right = fullscreen ? 'auto' : '';
  // The canvas keeps no size of its own until the game's window exists:
  // SDL reads a canvas sized by the page as one it must resize to match.
  if (waits > 0) place(canvas, picture);
  touchControls.hidden = !touch;
  for (const button of touchControls.querySelectorAll('button[data-key]')) {
    const rect = buttons[button.dataset.key];
    if (rect) place(button, rect);
  }
}
addEventListener('resize', applyLayout);

// --- keys -------------------------------------------------------------------

function hold(scancode, down) {
  if (run && state() === 'playing' && scancode) run._zorbanixPageKey(scancode, down ? 1 : 0);
}
const liftTouchButtons = wireTouchButtons(touchControls, hold);

// Keys are the keyboard's only while the game has the focus: whatever the
// page lost sight of, it will hear of no release, so it lets go of all.
function releaseKeys() {
  liftTouchButtons();
  if (run) run._zorbanixReleasePageKeys();
}
canvas.addEventListener('blur', releaseKeys);
addEventListener('blur', releaseKeys);
document.addEventListener('visibilitychange', () => { if (document.hidden) releaseKeys(); });

for (const type of ['keydown', 'keyup']) {
  canvas.addEventListener(type, (event) => {
    if (state() !== 'playing') return;
    if (keepsFromPage(event)) event.preventDefault();
    if (!event.repeat) hold(scancodeOf(event.code), type === 'keydown');
  });
}

// A click anywhere on the stage during play gives the keyboard back to the
// game, as a click on a desktop game's window does.
stage.addEventListener('pointerdown', (event) => {
  if (event.pointerType === 'touch' && !touch) {
    touch = true;
    applyLayout();
  }
  if (state() === 'playing' && !event.target.closest('button')) canvas.focus();
});

// --- runs -------------------------------------------------------------------

async function play() {
  if (!game || state() === 'playing') return;
  setState('playing');
  waits = 0;
  canvas.removeAttribute('style');
  canvas.style.opacity = '0';
  canvas.focus();
  times.started = performance.now();
  try {
    run = await startGame(game, canvas, {
      onAnimationFrameWait() {
        ++waits;
        // The window exists by the first wait, and the first picture has
        // been drawn by the second.
        if (waits === 1) {
          applyLayout();
          canvas.style.opacity = '1';
        } else if (waits === 2) {
          times.firstPicture = performance.now();
        }
      },
      onGameEnded(exitCode) {
        releaseKeys();
        document.getElementById('ended-text').textContent =
            exitCode === 0 ? 'Game over' : `The game ended with code ${exitCode}.`;
        setState('ended');
        document.getElementById('play-again').focus();
      },
      onAbort(what) {
        showError(`The game stopped: ${what}`);
      },
    });
  } catch (error) {
    showError(`The game could not start: ${error.message || error}`);
  }
}

function startOnFirstInput(event) {
  if (state() !== 'ready') return;
  if (event.type === 'keydown') {
    if (['Shift', 'Control', 'Alt', 'Meta'].includes(event.key) || /^F[0-9]+$/.test(event.code)) return;
    // The key that starts the game is not a key of the game.
    event.preventDefault();
  }
  play();
}
addEventListener('keydown', startOnFirstInput);
overlay.addEventListener('click', startOnFirstInput);
canvas.addEventListener('click', startOnFirstInput);
document.getElementById('play-again').addEventListener('click', () => {
  if (state() !== 'ended') return;
  run = null;
  setState('ready');
  play();
});

document.getElementById('fullscreen').addEventListener('click', () => {
  if (document.fullscreenElement) {
    document.exitFullscreen();
  } else if (stage.requestFullscreen) {
    stage.requestFullscreen().catch(() => {});
  }
  if (state() === 'playing') canvas.focus();
});

addEventListener('error', (event) => {
  if (state() === 'playing') showError(`The game stopped: ${event.message}`);
});

// --- loading ----------------------------------------------------------------

async function load() {
  applyLayout();
  const unsupported = checkBrowser();
  if (unsupported) {
    showError(unsupported);
    return;
  }
  const text = document.getElementById('loading-text');
  const bar = document.getElementById('loading-bar');
  try {
    game = await loadGame((received, total) => {
      const kb = Math.round(received / 1024);
      if (total > 0) {
        bar.value = received / total;
        text.textContent = `Loading… ${Math.floor((100 * received) / total)} % ` +
                           `(${kb} of ${Math.round(total / 1024)} KB)`;
      } else {
        bar.removeAttribute('value');
        text.textContent = `Loading… ${kb} KB`;
      }
    });
  } catch (error) {
    showError(error.message);
    return;
  }
  times.loaded = performance.now();
  setState('ready');
}
load();
