// The page around the game: loading, the start overlay, the keyboard and
// touch buttons, the fitted canvas, the end of a run and "Play again".
//
// The page's state is body[data-state]: loading, ready (waiting for a click
// or a key), playing, ended or error. window.zorbanixPage.times holds when
// things happened (performance.now() values): loaded, started and
// firstPicture, for the tests and the benchmark; finalScore is the score of
// the last run that ended, score() the score of the run now. The best score
// of this browser, as the game's score book holds it, is shown beside the
// picture.
import { checkBrowser, loadGame, startGame } from './loader.js';
import { fitPicture } from './layout.js';
import { keepsFromPage, scancodeOf, wireSecondTap, wireTouchButtons } from './keys.js';
import { canKeepSettings, readSetting, writeSetting } from './settings.js';
import { setSoundSwitches, soundCue, startSound } from './sound.js';

const body = document.body;
const stage = document.getElementById('stage');
const canvas = document.getElementById('canvas');
const overlay = document.getElementById('overlay');
const touchControls = document.getElementById('touch-controls');
const scaleButton = document.getElementById('scale');
const fullscreenButton = document.getElementById('fullscreen');
const soundButton = document.getElementById('sound');
const volumeButton = document.getElementById('volume');
const bestLabel = document.getElementById('best');
const hint = document.getElementById('hint');
const times = {};
window.zorbanixPage = { times, finalScore: null, score: () => run?._zorbanixFinalScore() ?? null };

let game = null;     // the downloaded, compiled game
let run = null;      // the running instance, while one runs
let waits = 0;       // animation-frame waits of the running instance
let touch = navigator.maxTouchPoints > 0 || matchMedia('(any-pointer: coarse)').matches;
// "fill": the picture as large as fits; "whole": whole device pixels per
// game pixel only (F10, as on Linux).
let scaling = readSetting('scaling', 'fill') === 'whole' ? 'whole' : 'fill';
// The ten best of this browser are the game's own score book: the page
// stores its text and never reads it. The program hands the page the best
// score to show (showBest), which the page keeps for the label of the next
// visit until the program runs again.
let best = 0;
function labelBest(score) {
  best = Number.isSafeInteger(score) && score > 0 ? score : 0;
  bestLabel.textContent = `Best ${best}`;
  bestLabel.hidden = best === 0;
}
labelBest(readSetting('best', 0));
function showBest(score) {
  labelBest(score);
  writeSetting('best', best);
}

// The book's text for the program: null where storage cannot be read. Until
// the program first stores one, the ten best this page kept itself before
// (as [points, "YYYY-MM-DD"] pairs, or a best alone) are handed over as the
// book's rows, which the program checks like any other.
function loadScoreBook() {
  if (!canKeepSettings()) return null;
  const text = readSetting('score-book', '');
  if (text) return text;
  const table = readSetting('best-scores', []);
  const rows = Array.isArray(table) ? table.filter(Array.isArray) : [];
  // A control character (a newline) in what was kept stays inside its row,
  // which the program then drops as not a score, and makes no row of its own.
  const lines = rows.map(([points, date]) =>
    (date ? `score = ${points} ${date}` : `score = ${points}`).replace(/\p{Cc}/gu, ' '));
  const keptBest = readSetting('best', 0);
  if (lines.length === 0 && keptBest) lines.push(`score = ${keptBest}`);
  return lines.join('\n');
}
// Keeps the book's new text; the text it replaces first goes aside as it was
// when the program asks (it held rows the program could not read). True when
// the text is in storage for the next visit.
function storeScoreBook(text, keepAside) {
  if (keepAside) writeSetting('score-book.bad', loadScoreBook() ?? '');
  return writeSetting('score-book', text);
}

const setState = (state) => { body.dataset.state = state; };
const state = () => body.dataset.state;

function showError(message) {
  document.getElementById('error').textContent = message;
  setState('error');
  releaseKeys();
}

// --- layout ---------------------------------------------------------------

// The style sheet lays the page out (its arrangements follow the window's
// shape, and body.touch); the page only fits the picture into the room the
// style sheet leaves for it, which takes whole device pixels.
const room = document.getElementById('room');
const px = (value) => `${value}px`;

function applyLayout() {
  body.classList.toggle('touch', touch);
  touchControls.hidden = !touch;
  const picture = fitPicture(room.getBoundingClientRect(), devicePixelRatio, scaling === 'whole');
  // The canvas keeps no size of its own until the game's window exists:
  // SDL reads a canvas sized by the page as one it must resize to match.
  if (waits > 0) {
    Object.assign(canvas.style, { left: px(picture.left), top: px(picture.top),
                                  width: px(picture.width), height: px(picture.height) });
  }
  scaleButton.setAttribute('aria-pressed', String(scaling === 'whole'));
  scaleButton.textContent = scaling === 'whole'
      ? `\u00d7${Math.round((picture.width * devicePixelRatio) / 8) / 100}` : 'Fit';
  document.getElementById('start').textContent =
      touch ? 'Tap to play' : 'Click or press any key to play';
  hint.hidden = !touch;
  placeResults(picture, room.getBoundingClientRect());
}

function toggleScaling() {
  scaling = scaling === 'whole' ? 'fill' : 'whole';
  writeSetting('scaling', scaling);
  applyLayout();
}
// Sound on or off (the button, or M wherever the focus is), and the volume
// (its button, or - and = wherever the focus is), for every run that
// follows too: the page's sound keeps them across runs.
let muted = readSetting('muted', false) === true;
const MAX_VOLUME = 10;
const keptVolume = readSetting('volume', MAX_VOLUME);
let volume = Number.isInteger(keptVolume) ? Math.min(Math.max(keptVolume, 0), MAX_VOLUME) : MAX_VOLUME;
function applySound() {
  soundButton.setAttribute('aria-pressed', String(!muted));
  volumeButton.setAttribute('aria-label', `Volume ${volume} of ${MAX_VOLUME}`);
  volumeButton.title = `Volume ${volume} of ${MAX_VOLUME}: a click steps down one (- and =)`;
  volumeButton.style.setProperty('--level', volume / MAX_VOLUME);
  setSoundSwitches(muted, volume);
}
function setVolume(level) {
  volume = Math.min(Math.max(level, 0), MAX_VOLUME);
  writeSetting('volume', volume);
  applySound();
}
function toggleSound() {
  muted = !muted;
  writeSetting('muted', muted);
  applySound();
}
applySound();
soundButton.addEventListener('click', () => {
  toggleSound();
  if (state() === 'playing') canvas.focus();
});
// The button steps down by one level, as minus does, through silence and
// from there back to full.
volumeButton.addEventListener('click', () => {
  setVolume(volume === 0 ? MAX_VOLUME : volume - 1);
  if (state() === 'playing') canvas.focus();
});

// The room changes with the window, and with the rows the style sheet
// gives what is shown (a best score, a wrapped label).
addEventListener('resize', applyLayout);
new ResizeObserver(applyLayout).observe(room);

// --- keys -------------------------------------------------------------------

function hold(scancode, down) {
  if (down) leavingResults(scancode);
  if (run && state() === 'playing' && scancode) run._zorbanixPageKey(scancode, down ? 1 : 0);
}
const liftTouchButtons = wireTouchButtons(document.querySelectorAll('[data-key]'), hold);
// Quit asks once: a second tap ends the game, with Escape as on the keyboard.
const takeBackQuit = wireSecondTap(document.getElementById('quit'), 'Tap again to quit', () => {
  hold(scancodeOf('Escape'), true);
  hold(scancodeOf('Escape'), false);
});

// Keys are the keyboard's only while the game has the focus: whatever the
// page lost sight of, it will hear of no release, so it lets go of all.
function releaseKeys() {
  liftTouchButtons();
  takeBackQuit();
  if (run) run._zorbanixReleasePageKeys();
}
canvas.addEventListener('blur', releaseKeys);
addEventListener('blur', releaseKeys);
document.addEventListener('visibilitychange', () => { if (document.hidden) releaseKeys(); });

// The window's keys, wherever the focus is, as on Linux: M for the sound,
// - and = for its volume, F10 for the scaling. They never reach the game,
// nor does F11, the browser's own full screen.
const VOLUME_KEYS = { Minus: -1, NumpadSubtract: -1, Equal: 1, NumpadAdd: 1 };
function windowKey(event) {
  if (event.ctrlKey || event.altKey || event.metaKey) return null;
  if (event.code === 'KeyM') return toggleSound;
  if (event.code in VOLUME_KEYS) return () => setVolume(volume + VOLUME_KEYS[event.code]);
  if (event.code === 'F10') return toggleScaling;
  return null;
}

// Every key of the page comes here: a window's key does what it does, each
// press once; while the game plays, the canvas's other keys are the game's;
// before a game, a key starts one.
function onKey(event) {
  const down = event.type === 'keydown';
  const own = windowKey(event);
  if (own) {
    if (event.code === 'F10') event.preventDefault();
    if (down && !event.repeat) own();
  }
  if (state() === 'playing') {
    if (event.target !== canvas || own || event.code === 'F11') return;
    if (keepsFromPage(event)) event.preventDefault();
    if (!event.repeat) hold(scancodeOf(event.code), down);
  } else if (down) {
    startOnFirstInput(event);
  }
}
addEventListener('keydown', onKey);
addEventListener('keyup', onKey);
scaleButton.addEventListener('click', () => {
  toggleScaling();
  if (state() === 'playing') canvas.focus();
});

// SDL listens for touches on the canvas and cancels each, which the browser
// refuses (and reports on the console) for a touch that ends a swipe. The
// game reads no touches: the page's own pointer listeners turn them into
// keys, so SDL never hears of them.
for (const type of ['touchstart', 'touchmove', 'touchend', 'touchcancel']) {
  stage.addEventListener(type, (event) => {
    if (event.target === canvas) event.stopPropagation();
  }, { capture: true });
}
// Where the browser wants a tap before sound, a touch's start may not
// count: the page lets the sound go again when a finger lifts anywhere (a
// tap's end is what allows a page to start sound).
stage.addEventListener('pointerup', () => {
  if (state() === 'playing') startSound();
});

// A click anywhere on the stage during play gives the keyboard back to the
// game, as a click on a desktop game's window does.
stage.addEventListener('pointerdown', (event) => {
  if (event.pointerType === 'touch' && !touch) {
    touch = true;
    applyLayout();
  }
  if (state() === 'playing' && !event.target.closest('button')) canvas.focus();
});

// A tap anywhere but on the page's own controls does what a tap on the
// picture does: before a run it starts one, and in a run it holds Space while
// the finger stays (it starts from the title and plays again from the
// results).
const isControl = (target) => Boolean(target.closest('button, [data-key]'));
stage.addEventListener('click', (event) => {
  if (!isControl(event.target)) startOnFirstInput(event);
});
const roomFingers = new Set();
stage.addEventListener('pointerdown', (event) => {
  if (event.pointerType === 'mouse' || state() !== 'playing' || isControl(event.target)) return;
  event.preventDefault();
  stage.setPointerCapture(event.pointerId);
  if (roomFingers.size === 0) hold(scancodeOf('Space'), true);
  roomFingers.add(event.pointerId);
});
for (const type of ['pointerup', 'pointercancel', 'lostpointercapture']) {
  stage.addEventListener(type, (event) => {
    if (roomFingers.delete(event.pointerId) && roomFingers.size === 0) {
      hold(scancodeOf('Space'), false);
    }
  });
}

// --- the results in the page's own text --------------------------------------

// The program hands the page its results screen's data as it opens it
// (src/platform/sdl/web/ResultsToPage.cpp): { score, newBest, notSaved,
// unreadable, marked (this game's row, or -1), rows: [{ points, date }] }.
// Where the picture is narrower than this, its table's rows are too small
// to read, and the page shows them over it. Null: the results were left.
const READABLE_WIDTH = 600;
const resultsPanel = document.getElementById('results');
let results = null;  // the data of the results screen while it shows

function showResults(data) {
  results = data;
  if (!data) {
    applyLayout();
    return;
  }
  const text = (id, value) => { document.getElementById(id).textContent = value; };
  text('results-score', `Final score ${data.score}`);
  const note = document.getElementById('results-note');
  note.textContent = [data.newBest && 'New best!', data.notSaved && 'Not saved',
                      data.unreadable && 'Scores unreadable'].filter(Boolean).join(' \u00b7 ');
  note.classList.toggle('new', Boolean(data.newBest));
  note.hidden = note.textContent === '';
  const rows = (data.rows || []).map(({ points, date }, index) => {
    const row = document.createElement('li');
    row.classList.toggle('marked', index === data.marked);
    for (const cell of [`${index + 1}.`, String(points), date]) {
      row.appendChild(document.createElement('span')).textContent = cell;
    }
    return row;
  });
  document.getElementById('results-rows').replaceChildren(...rows);
  document.getElementById('results-none').hidden = rows.length > 0;
  text('results-keys', touch ? 'Tap: play again \u00b7 Quit, twice: leave'
                             : 'Space: play again \u00b7 Esc: leave');
  applyLayout();
}

// Space plays again from the results, Escape leaves them.
function leavingResults(scancode) {
  if (!results || (scancode !== scancodeOf('Space') && scancode !== scancodeOf('Escape'))) return;
  results = null;
  resultsPanel.hidden = true;
}

// Over the picture's whole room, which is as wide as the picture or as
// tall, and larger in the other direction where the window's shape leaves
// room around it.
function placeResults(picture, around) {
  resultsPanel.hidden = !results || waits === 0 || picture.width >= READABLE_WIDTH;
  if (resultsPanel.hidden) return;
  Object.assign(resultsPanel.style, { left: px(around.left), top: px(around.top),
                                      width: px(around.width), height: px(around.height) });
}
// For the tests: the page's side of the program's call.
window.zorbanixPage.showResults = showResults;

// --- runs -------------------------------------------------------------------

async function play() {
  if (!game || state() === 'playing') return;
  setState('playing');
  startSound();
  waits = 0;
  canvas.removeAttribute('style');
  canvas.style.opacity = '0';
  canvas.focus();
  times.started = performance.now();
  results = null;
  try {
    run = await startGame(game, canvas, {
      loadScoreBook,
      storeScoreBook,
      showBest,
      zorbanixCue: soundCue,
      onResults: showResults,
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
        const score = run._zorbanixFinalScore();
        window.zorbanixPage.finalScore = score;
        document.getElementById('ended-text').textContent =
            exitCode === 0 ? 'Game over' : `The game ended with code ${exitCode}.`;
        document.getElementById('final-score').textContent = `Score ${score}`;
        // Each game that ended from inside was kept between games already.
        const newBest = run._zorbanixLastGameNewBest() === 1;
        const bestLine = document.getElementById('best-score');
        bestLine.textContent = newBest ? 'New best!' : (best > 0 ? `Best ${best}` : '');
        bestLine.classList.toggle('new', newBest);
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
overlay.addEventListener('click', startOnFirstInput);
canvas.addEventListener('click', startOnFirstInput);
document.getElementById('play-again').addEventListener('click', () => {
  if (state() !== 'ended') return;
  // A run whose player left between games waits for this, and its next
  // game starts at get-ready; a run that ended gives way to a fresh one.
  if (run?._zorbanixPlayAgain()) {
    setState('playing');
    startSound();
    canvas.focus();
    return;
  }
  run = null;
  setState('ready');
  play();
});

fullscreenButton.hidden = !stage.requestFullscreen;
fullscreenButton.addEventListener('click', () => {
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

// The service worker keeps the site for play with no network (sw.js). It
// needs a secure page (https, or localhost); elsewhere the game plays as
// before, online only.
function keepForOffline() {
  if (!('serviceWorker' in navigator) || !isSecureContext) return;
  navigator.serviceWorker.register('sw.js').catch((error) => {
    console.warn(`Zorbanix will not play offline here: ${error.message || error}`);
  });
}

async function load() {
  applyLayout();
  keepForOffline();
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
