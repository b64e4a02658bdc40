// The browser build played end to end in headless Chromium, once with the
// keyboard, once with touch emulation on (a phone with three device pixels
// per CSS pixel), once hidden and shown again, once across a reload and
// offline, and once across the publication of a new release. The page must
// run under its security policy with no violation reported.
//
//   node browser_run.mjs <site> <pictures> <zorbanix_wine_screens> <work folder>
//
// Still screens must equal, pixel for pixel, the headless harness's frames of
// the same screens (read from the canvas, not from a scaled screenshot);
// screens of play are read by zorbanix_wine_screens's sprite finder, which
// takes them as xwd dumps. Exit 0 when all holds, 1 with the first failure,
// 77 (skipped) without Chromium, playwright-core or the browser build.
import { execFileSync } from 'node:child_process';
import { cpSync, mkdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { openBrowser } from './chromium.mjs';
import { serve } from '../../web/serve.mjs';

const [site, pictures, screensTool, work] = process.argv.slice(2);
const { browser, url, close } = await openBrowser(site);
mkdirSync(`${work}/references`, { recursive: true });
execFileSync(screensTool, ['references', pictures, `${work}/references`]);
const REFERENCES = ['intro-early', 'title', 'getready', 'paused', 'gameover'];
const PLAY_FIELD_RIGHT = 516;  // game columns right of this hold no play
const PAUSE_REPEAT = 600;      // P toggles the pause at most every 500 ms of game time

function check(condition, what) {
  if (!condition) throw new Error(what);
  console.log(`ok: ${what}`);
}
const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// In the page: the references as the canvas must show them (each 5- or
// 6-bit channel widened by repeating its top bits, opaque), and which of
// them the canvas equals.
function installReferences(refs) {
  const canvas = document.getElementById('canvas');
  const context = canvas.getContext('2d');
  const expected = {};
  for (const [name, base64] of Object.entries(refs)) {
    const raw = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
    const pixels = new Uint32Array(800 * 600);
    for (let i = 0; i < pixels.length; ++i) {
      const v = raw[2 * i] | (raw[2 * i + 1] << 8);
      const r = v >> 11, g = (v >> 5) & 63, b = v & 31;
      pixels[i] = (0xff000000 | (((b << 3) | (b >> 2)) << 16) | (((g << 2) | (g >> 4)) << 8) |
                   ((r << 3) | (r >> 2))) >>> 0;
    }
    expected[name] = pixels;
  }
  const read = () => new Uint32Array(context.getImageData(0, 0, 800, 600).data.buffer);
  window.zorbanixTest = {
    // The name of the reference the canvas equals, or "none".
    screen() {
      if (canvas.width !== 800 || canvas.height !== 600) return 'none';
      const shown = read();
      for (const [name, pixels] of Object.entries(expected)) {
        if (shown.every((p, i) => p === pixels[i])) return name;
      }
      return 'none';
    },
  };
}

// What the security policy refused, from the page's events and its console.
function watchPolicy(page) {
  page.violations = [];
  page.on('console', (message) => {
    if (/Content.Security.Policy|Refused to/i.test(message.text())) page.violations.push(message.text());
  });
  page.exposeFunction('zorbanixViolation', (what) => page.violations.push(what));
  page.addInitScript(() => document.addEventListener('securitypolicyviolation', (event) =>
    window.zorbanixViolation(`${event.violatedDirective}: ${event.blockedURI}`)));
}

async function checkPolicy(page, response) {
  const header = response.headers()['content-security-policy'] || '';
  const meta = await page.evaluate(() =>
    document.querySelector('meta[http-equiv="Content-Security-Policy"]')?.content || '');
  const strict = (policy) => ["default-src 'self'", "script-src 'self' 'wasm-unsafe-eval';",
                              "object-src 'none'", "base-uri 'none'"].every((p) => policy.includes(p));
  check(strict(header) && strict(meta), 'the page and its server state the security policy');
}

async function freshPage(context, at = url) {
  const page = await context.newPage();
  page.on('pageerror', (error) => console.log(`page error: ${error.message}`));
  watchPolicy(page);
  page.response = await page.goto(at);
  await page.waitForFunction(() => document.body.dataset.state === 'ready', null, { timeout: 30000 });
  await page.evaluate(installReferences, references());
  return page;
}
const references = () => Object.fromEntries(REFERENCES.map((name) =>
  [name, readFileSync(`${work}/references/${name}.565`).toString('base64')]));

async function waitForScreen(page, name, timeout = 15000) {
  await page.waitForFunction((n) => window.zorbanixTest.screen() === n, name,
                             { timeout, polling: 50 });
  console.log(`ok: the canvas equals the harness's ${name} screen`);
}

// The results screen between two games, by the gold of its "FINAL SCORE" at
// (130, 60) of the canvas.
async function waitForResults(page) {
  await page.waitForFunction(() => {
    const at = document.getElementById('canvas').getContext('2d').getImageData(130, 60, 1, 1).data;
    return at[0] === 0xff && at[1] === 0xe3 && at[2] === 0x4a;
  }, null, { timeout: 15000, polling: 50 });
  console.log('ok: the canvas shows the results screen');
}

// What the sprite finder sees on the canvas now: { ships: [x], shots: [[x, y]], paused }.
let dumps = 0;
async function playField(page) {
  const rgba = Buffer.from(await page.evaluate(() => {
    const data = document.getElementById('canvas').getContext('2d').getImageData(0, 0, 800, 600).data;
    let text = '';
    for (let i = 0; i < data.length; i += 0x8000) text += String.fromCharCode(...data.subarray(i, i + 0x8000));
    return btoa(text);
  }), 'base64');
  // An xwd dump: 25 header fields (most significant byte first), 32-bit
  // true colour pixels 0x00RRGGBB.
  const header = [100, 7, 2, 24, 800, 600, 0, 1, 32, 1, 32, 32, 3200, 4, 0xff0000, 0xff00, 0xff, 8,
                  0, 0, 800, 600, 0, 0, 0];
  const file = Buffer.alloc(100 + 800 * 600 * 4);
  header.forEach((value, i) => file.writeUInt32BE(value, 4 * i));
  for (let i = 0; i < 800 * 600; ++i) {
    file.writeUInt32BE((rgba[4 * i] << 16) | (rgba[4 * i + 1] << 8) | rgba[4 * i + 2], 100 + 4 * i);
  }
  const path = `${work}/play-${++dumps}.xwd`;
  writeFileSync(path, file);
  const lines = execFileSync(screensTool, ['play', pictures, path]).toString().split('\n');
  const field = (key) => (lines.find((l) => l.startsWith(`${key} `) || l === key) || key).split(' ').slice(1);
  return {
    ships: field('ships').map(Number),
    shots: field('shots').map((p) => p.split(',').map(Number)),
    paused: field('paused')[0] === 'yes',
  };
}

// The ship's columns, looked at until `wanted` holds or 5 s have passed: on a
// busy machine the page may draw fewer frames, and a ship hit by an invader's
// shot is missing from the field until the next one comes on.
async function shipsOnceMoved(page, wanted) {
  let ships = [];
  for (const end = Date.now() + 5000; Date.now() < end; await pause(100)) {
    ships = (await playField(page)).ships;
    if (ships.length === 1 && wanted(ships[0])) break;
  }
  return ships;
}

async function waitForPlay(page) {
  await page.waitForFunction(() => window.zorbanixTest.screen() === 'none', null, { timeout: 10000 });
  await pause(300);
}

// A shot fired from the ship's column that climbs between two looks. A shot
// may meet an invader before the second look, so up to three shots are
// tried; `fire` fires the next one (nothing when the fire key is held).
async function checkShotClimbs(page, what, fire = async () => {}) {
  const climbs = (a, b) => a.length === 1 && b.length === 1 && b[0][1] < a[0][1] && b[0][0] === a[0][0];
  let first = [];
  let second = [];
  for (let tries = 0; tries < 3 && !climbs(first, second); ++tries) {
    await fire();
    await pause(120);
    first = (await playField(page)).shots;
    await pause(80);
    second = (await playField(page)).shots;
  }
  check(climbs(first, second), `${what} fires a shot that climbs (${first} then ${second})`);
}

async function keyboardRun() {
  const context = await browser.newContext({ viewport: { width: 1280, height: 720 } });
  const page = await freshPage(context);
  check(await page.locator('#start').isVisible(), 'the page asks for a click or a key');
  await page.keyboard.press('Enter');
  await waitForScreen(page, 'title');
  await checkScaling(page);
  await page.evaluate(() => {
    window.keptFromPage = [];
    addEventListener('keydown', (e) => window.keptFromPage.push(`${e.code}:${e.defaultPrevented}`));
  });
  await page.keyboard.press('Space');
  await waitForScreen(page, 'getready');
  await page.keyboard.press('KeyP');
  await waitForScreen(page, 'paused');
  await pause(PAUSE_REPEAT);
  await page.keyboard.press('KeyP');
  await waitForPlay(page);
  check((await playField(page)).ships[0] === 206, 'play begins with the ship at column 206');
  await page.keyboard.down('ArrowLeft');
  await pause(700);
  const ships = await shipsOnceMoved(page, (column) => column < 120);
  await page.keyboard.up('ArrowLeft');
  check(ships.length === 1 && ships[0] < 120, `Left moves the ship (to column ${ships})`);
  await checkShotClimbs(page, 'Space', () => page.keyboard.press('Space'));
  await page.keyboard.press('KeyP');
  await pause(PAUSE_REPEAT);
  check((await playField(page)).paused, 'P pauses play');
  await page.keyboard.press('KeyP');
  await pause(PAUSE_REPEAT);
  check(!(await playField(page)).paused, 'P resumes play');
  const kept = await page.evaluate(() => window.keptFromPage);
  check(['Space', 'ArrowLeft', 'KeyP'].every((code) => kept.includes(`${code}:true`)),
        `the page acts on no game key (${[...new Set(kept)]})`);
  await page.keyboard.press('Escape');
  await waitForScreen(page, 'gameover');
  await waitForResults(page);
  await page.keyboard.press('Escape');
  await page.waitForFunction(() => document.body.dataset.state === 'ended', null, { timeout: 15000 });
  check(await page.getByRole('button', { name: 'Play again' }).isVisible(), 'the page offers Play again');
  await checkPlayAgain(page);
  check(!(await page.locator('#hint').isVisible()), 'with a keyboard the page shows no touch captions');
  const levels = [];
  for (let click = 0; click < 11; ++click) {
    await page.locator('#volume').click();
    levels.push(await page.evaluate(() => localStorage.getItem('zorbanix.volume')));
  }
  check(levels.join() === '9,8,7,6,5,4,3,2,1,0,10', `the volume button steps by one (${levels})`);
  await checkPolicy(page, page.response);
  check(page.violations.length === 0, `no security policy violation (${page.violations})`);
  const times = await page.evaluate(() => window.zorbanixPage.times);
  console.log(`times: ready ${Math.round(times.loaded)} ms after navigation`);

  // Escape on the title: the game-over screen, then the end panel, with no
  // results between.
  const again = await freshPage(context);
  await again.keyboard.press('Enter');
  await waitForScreen(again, 'title');
  await again.keyboard.press('Escape');
  await waitForScreen(again, 'gameover');
  await again.waitForFunction(() => document.body.dataset.state === 'ended', null, { timeout: 15000 });
  const shown = await again.evaluate(() => window.zorbanixTest.screen());
  check(shown === 'gameover', `Escape on the title ends on the game-over screen (${shown}), no results`);
  await checkPlayAgain(again);
  await context.close();
}

// The end panel's Play again starts the next game at its get-ready in the
// same run, as a tap on the results does: no intro, no title.
async function checkPlayAgain(page) {
  const started = await page.evaluate(() => window.zorbanixPage.times.started);
  await page.getByRole('button', { name: 'Play again' }).click();
  await waitForScreen(page, 'getready', 5000);
  check(await page.evaluate((s) => window.zorbanixPage.times.started === s &&
                                   document.body.dataset.state === 'playing', started),
        'Play again starts at get-ready in the same run');
}

// By default the picture fills the 1280 x 720 window's height; F10 switches
// to whole pixels (800 x 600, centred), and the page keeps that choice.
async function checkScaling(page) {
  const box = async () => JSON.stringify(await page.locator('#canvas').boundingBox());
  check(await box() === JSON.stringify({ x: 160, y: 0, width: 960, height: 720 }),
        `the picture fills the window (${await box()})`);
  await page.keyboard.press('F10');
  check(await box() === JSON.stringify({ x: 240, y: 60, width: 800, height: 600 }),
        `F10 scales the picture by whole pixels, centred (${await box()})`);
  const kept = await page.evaluate(() => localStorage.getItem('zorbanix.scaling'));
  check(kept === '"whole"', `the page keeps the scaling between visits (${kept})`);
}

// In both orientations of the phone the picture's limiting side takes at
// least 95 % of the window's, and everything a finger aims at is at least
// 44 CSS pixels square.
async function checkFillAndTargets(page, orientation, side) {
  const { picture, smallest } = await page.evaluate(() => {
    const targets = [...document.querySelectorAll('#touch-controls button, .corner')]
        .map((b) => b.getBoundingClientRect());
    return { picture: document.getElementById('canvas').getBoundingClientRect().toJSON(),
             smallest: Math.min(...targets.map((b) => Math.min(b.width, b.height))) };
  });
  const limiting = orientation === 'portrait' ? picture.width : picture.height;
  check(limiting >= 0.95 * side, `in ${orientation} the picture fills ${limiting} of ${side} px`);
  check(smallest >= 44, `in ${orientation} every touch target is at least 44 px (${smallest})`);
}

// Every touch button lies outside the play field of the picture.
async function checkButtonsClearOfPlay(page, orientation) {
  const clear = await page.evaluate((right) => {
    const picture = document.getElementById('canvas').getBoundingClientRect();
    const field = { left: picture.left, right: picture.left + (right * picture.width) / 800,
                    top: picture.top, bottom: picture.bottom };
    return [...document.querySelectorAll('#touch-controls button')].every((button) => {
      const b = button.getBoundingClientRect();
      return b.width > 0 && (b.right <= field.left || b.left >= field.right ||
                             b.bottom <= field.top || b.top >= field.bottom);
    });
  }, PLAY_FIELD_RIGHT);
  check(clear, `in ${orientation} the five touch buttons show, none over the play field`);
}

// Quit ends the game only on a second tap, onto the results screen; one tap
// at `elsewhere` (outside the controls) there starts the next game at its get-ready in the same
// run (no intro, no title: the title would wait for a second tap), and Quit
// there leaves: the end panel then gives the score.
async function checkQuitAsksOnce(page, quit, elsewhere) {
  await page.touchscreen.tap(quit.x, quit.y);
  await pause(PAUSE_REPEAT);
  const after = await page.evaluate(() => [document.body.dataset.state, window.zorbanixTest.screen(),
                                           document.getElementById('quit').textContent]);
  check(after[0] === 'playing' && after[1] !== 'gameover' && after[2] === 'Tap again to quit',
        `one tap on Quit only asks (${after})`);
  await page.touchscreen.tap(quit.x, quit.y);
  await waitForScreen(page, 'gameover');
  await waitForResults(page);
  // The picture is too small for its table: the page shows the results in
  // its own text over it, until they are left.
  const table = () => page.evaluate(() => [document.getElementById('results').checkVisibility(),
                                           document.getElementById('results-score').textContent,
                                           document.querySelectorAll('#results li').length]);
  const [shownTable, said, rows] = await table();
  check(shownTable && said === `Final score ${await page.evaluate(() => window.zorbanixPage.score())}`,
        `the page shows the results in its own text (${said}, ${rows} rows)`);
  const started = await page.evaluate(() => window.zorbanixPage.times.started);
  await page.touchscreen.tap(elsewhere.x, elsewhere.y);
  await waitForScreen(page, 'getready', 5000);
  check(!(await table())[0], 'the page\'s results go once the results are left');
  check(await page.evaluate((s) => window.zorbanixPage.times.started === s &&
                                   document.body.dataset.state === 'playing', started),
        'one tap on the results screen plays again in the same run');
  await page.touchscreen.tap(quit.x, quit.y);
  await page.touchscreen.tap(quit.x, quit.y);
  await waitForResults(page);
  await page.touchscreen.tap(quit.x, quit.y);
  await page.touchscreen.tap(quit.x, quit.y);
  await page.waitForFunction(() => document.body.dataset.state === 'ended', null, { timeout: 15000 });
  const [shown, score] = await page.evaluate(() => [
    document.getElementById('final-score').textContent, window.zorbanixPage.finalScore]);
  check(Number.isInteger(score) && shown === `Score ${score}`, `the end panel gives the score (${shown})`);
}

async function touchRun() {
  const context = await browser.newContext({ viewport: { width: 844, height: 390 },
                                             deviceScaleFactor: 3, hasTouch: true, isMobile: true });
  const page = await freshPage(context);
  const complaints = [];
  page.on('console', (message) => {
    if (message.type() === 'error') complaints.push(message.text());
  });
  const startText = await page.locator('#start').textContent();
  check(startText === 'Tap to play', `the page asks for a tap (${startText})`);
  // Upright, a tap in the middle of the screen, between the page's
  // controls, starts the run, and another one the game from its title.
  await page.setViewportSize({ width: 390, height: 844 });
  await pause(100);
  const middle = await page.evaluate(() => document.elementFromPoint(195, 422).closest('button'));
  check(middle === null, 'upright, the middle of the screen holds no control');
  await page.touchscreen.tap(195, 422);
  await waitForScreen(page, 'title');
  const hint = await page.locator('#hint').textContent();
  check(await page.locator('#hint').isVisible() && /Space: tap/.test(hint),
        `by touch the page says what to tap (${hint.replace(/\s+/g, ' ')})`);
  await page.touchscreen.tap(195, 422);
  await waitForScreen(page, 'getready');
  await page.setViewportSize({ width: 844, height: 390 });
  await pause(100);
  await checkButtonsClearOfPlay(page, 'landscape');
  await checkFillAndTargets(page, 'landscape', 390);
  await page.setViewportSize({ width: 390, height: 844 });
  await pause(100);
  await checkButtonsClearOfPlay(page, 'portrait');
  await checkFillAndTargets(page, 'portrait', 390);
  await page.setViewportSize({ width: 844, height: 390 });
  await pause(100);
  const centre = async (label) => {
    const b = await page.getByRole('button', { name: label, exact: true }).boundingBox();
    return { x: b.x + b.width / 2, y: b.y + b.height / 2 };
  };
  const touches = await context.newCDPSession(page);
  const touch = (type, points) => touches.send('Input.dispatchTouchEvent', {
    type, touchPoints: points.map((p, id) => ({ ...p, id })) });
  const [right, fire, pauseButton, quit] =
      [await centre('Right'), await centre('Fire'), await centre('Pause'), await centre('Quit')];
  const box = await page.locator('#canvas').boundingBox();
  const picture = { x: box.x + box.width / 3, y: box.y + box.height / 2 };
  await waitForPlay(page);
  // A swipe over the picture, which the browser does not let a page cancel.
  await touch('touchStart', [picture]);
  for (let step = 1; step <= 5; ++step) {
    await touch('touchMove', [{ x: picture.x + 20 * step, y: picture.y + 10 * step }]);
  }
  await touch('touchEnd', []);
  // Right is held until the ship stands at its right bound, clear of the
  // bunkers, so that the shot has a free column to climb.
  await touch('touchStart', [right]);
  await pause(1500);
  const ships = await shipsOnceMoved(page, (column) => column > 430);
  check(ships.length === 1 && ships[0] > 430, `holding Right moves the ship (to column ${ships})`);
  await touch('touchStart', [right, fire]);
  await checkShotClimbs(page, 'Fire, with Right still held,');
  await touch('touchEnd', []);
  await page.touchscreen.tap(pauseButton.x, pauseButton.y);
  await pause(200);
  check((await playField(page)).paused, 'the Pause button pauses play');
  // A tap outside the controls is Space, as one on the picture: here on
  // the captions, it plays again from the results.
  const aside = await page.locator('#hint').boundingBox();
  await checkQuitAsksOnce(page, quit, { x: aside.x + aside.width / 2, y: aside.y + aside.height / 2 });
  check(page.violations.length === 0, `no security policy violation (${page.violations})`);
  check(complaints.length === 0, `no errors on the console during play (${complaints})`);
  await context.close();
}

// Sound: what the page connects to its output passes first through a tap of
// the test's own, a worklet that counts the render quanta it hears, those
// that hold anything but silence, and the loudest sample since the last look.
function tapAudio() {
  window.zorbanixAudio = { buffers: 0, sounding: 0, peak: 0 };
  const tap = `registerProcessor('tap', class extends AudioWorkletProcessor {
    constructor() { super(); this.n = 0; this.sounding = 0; this.peak = 0; }
    process([input]) {
      const samples = input[0] || new Float32Array(0);
      let peak = 0;
      for (const s of samples) peak = Math.max(peak, Math.abs(s));
      this.n += 1;
      if (peak > 0) this.sounding += 1;
      this.peak = Math.max(this.peak, peak);
      if (this.n === 8) {
        this.port.postMessage([this.n, this.sounding, this.peak]);
        this.n = this.sounding = this.peak = 0;
      }
      return true;
    }
  });`;
  const url = URL.createObjectURL(new Blob([tap], { type: 'text/javascript' }));
  const connect = AudioNode.prototype.connect;
  const taps = new WeakMap();
  AudioNode.prototype.connect = function (target, ...rest) {
    if (!(target instanceof AudioDestinationNode) || this.isTap) return connect.call(this, target, ...rest);
    const context = this.context;
    if (!taps.has(context)) {
      taps.set(context, context.audioWorklet.addModule(url).then(() => {
        const listener = new AudioWorkletNode(context, 'tap', { numberOfInputs: 1, numberOfOutputs: 1 });
        listener.isTap = true;
        listener.port.onmessage = ({ data: [n, sounding, peak] }) => {
          const audio = window.zorbanixAudio;
          audio.buffers += n;
          audio.sounding += sounding;
          audio.peak = Math.max(audio.peak, peak);
        };
        connect.call(listener, target);
        return listener;
      }));
    }
    taps.get(context).then((listener) => connect.call(this, listener, ...rest));
    return target;
  };
}

async function soundRun() {
  // The tap is a worklet made in the page, which the page's own policy
  // refuses: this run alone sets the policy aside.
  const context = await browser.newContext({ viewport: { width: 1280, height: 720 }, bypassCSP: true });
  await context.addInitScript(tapAudio);
  const page = await freshPage(context);
  const said = [];
  page.on('console', (message) => said.push(message.text()));
  const audio = () => page.evaluate(() => ({ ...window.zorbanixAudio }));
  // The loudest sample over `ms`.
  const loudest = async (ms) => {
    await page.evaluate(() => { window.zorbanixAudio.peak = 0; });
    await pause(ms);
    return (await audio()).peak;
  };
  await page.keyboard.press('Enter');
  await waitForScreen(page, 'title');
  await page.keyboard.press('Space');
  await waitForScreen(page, 'getready');
  await waitForPlay(page);
  await page.evaluate(() => window.zorbanixSound.measure());
  await pause(300);
  const before = await audio();
  await page.keyboard.press('Space');
  await pause(300);
  const shot = await audio();
  check(shot.buffers > before.buffers && shot.sounding > before.sounding,
        `sound comes out after a shot (${shot.sounding - before.sounding} of ` +
        `${shot.buffers - before.buffers} quanta)`);
  // Once the shot has hit or left, nothing fired: the march is the loudest,
  // and 4 s hold all four of its notes. Five steps down are a quarter of the
  // gain.
  await pause(1200);
  const full = await loudest(4000);
  for (let step = 0; step < 5; ++step) await page.keyboard.press('Minus');
  await pause(100);
  const low = await loudest(4000);
  check(full > 0.05 && low > 0.15 * full && low < 0.35 * full,
        `five steps down the volume: loudest ${low.toFixed(3)} against ${full.toFixed(3)}`);
  const kept = await page.evaluate(() => [localStorage.getItem('zorbanix.volume'),
                                          document.getElementById('volume').getAttribute('aria-label')]);
  check(kept[0] === '5' && kept[1] === 'Volume 5 of 10', `the page keeps the volume (${kept})`);
  await page.locator('#sound').click();
  check(await page.locator('#sound').getAttribute('aria-pressed') === 'false', 'the sound button mutes');
  await pause(300);
  const muted = await audio();
  await page.keyboard.press('Space');
  await pause(800);
  const after = await audio();
  const held = await page.evaluate(() => window.zorbanixSound.context().state);
  check(held === 'suspended' && after.sounding === muted.sounding,
        `muted, the output is held (${held}) and silent`);
  await page.keyboard.press('KeyM');
  check(await page.locator('#sound').getAttribute('aria-pressed') === 'true', 'M gives the sound back');
  const back = await audio();
  await pause(2000);
  check((await audio()).sounding > back.sounding, 'unmuted, the march is heard again');
  const { quanta, pastOwnLatency } = await page.evaluate(() => window.zorbanixSound.latencies());
  const spread = (values) => {
    values.sort((a, b) => a - b);
    return `median ${values[values.length >> 1]?.toFixed(2)}, max ${values.at(-1)?.toFixed(2)}`;
  };
  console.log(`from a cue to its first sample out of the renderer, in render quanta over ` +
              `${quanta.length} cues: ${spread(quanta)} by the wall clock; ` +
              `${spread(pastOwnLatency)} past the output's own latency`);
  const warned = said.filter((text) => /ScriptProcessor|deprecat/i.test(text));
  check(warned.length === 0, `no deprecation warning on the console (${warned})`);
  await context.close();
}

// --- a pause that holds while the page is hidden ----------------------------

// Headless Chromium keeps every page visible, so what a page goes through in
// a background tab or a minimised window is played here: document.hidden and
// visibilityState change, visibilitychange fires, and no animation frame
// runs while the page is hidden (one already asked for waits until it shows).
function installVisibility() {
  const request = window.requestAnimationFrame.bind(window);
  const held = [];
  window.requestAnimationFrame = (callback) =>
    request((time) => (document.hidden ? held.push(callback) : callback(time)));
  window.zorbanixSetHidden = (hidden) => {
    Object.defineProperty(document, 'hidden', { configurable: true, get: () => hidden });
    Object.defineProperty(document, 'visibilityState', { configurable: true,
                                                         get: () => (hidden ? 'hidden' : 'visible') });
    document.dispatchEvent(new Event('visibilitychange'));
    if (!hidden) held.splice(0).forEach((callback) => request(callback));
  };
}

async function hiddenPageRun() {
  const context = await browser.newContext({ viewport: { width: 1280, height: 720 } });
  const page = await freshPage(context);
  await page.evaluate(installVisibility);
  await page.keyboard.press('Enter');
  await waitForScreen(page, 'title');
  await page.keyboard.press('Space');
  await waitForPlay(page);
  check(!(await playField(page)).paused, 'play runs before the page is hidden');
  await page.evaluate(() => window.zorbanixSetHidden(true));
  await pause(1500);
  await page.evaluate(() => window.zorbanixSetHidden(false));
  await pause(300);
  const back = await playField(page);
  await pause(PAUSE_REPEAT);
  const later = await playField(page);
  check(back.paused && later.paused && later.ships.length === 1 && later.ships[0] === back.ships[0],
        'a hidden page pauses play, and it stays paused once the page shows again');
  await page.keyboard.press('KeyP');
  await pause(PAUSE_REPEAT);
  check(!(await playField(page)).paused, 'P resumes play after the page was hidden');
  await context.close();
}

// After one visit the best score outlives a reload, and with the network
// cut the page loads again from the service worker's cache and plays. The
// ten best the page kept itself before, out of order and with a row the game
// cannot read, go into the game's score book: kept in order, the bad row
// dropped and the table as it was kept aside.
async function keptAndOfflineRun() {
  const context = await browser.newContext({ viewport: { width: 1280, height: 720 } });
  await context.addInitScript(() => {
    if (localStorage.getItem('zorbanix.best-scores') === null) {
      localStorage.setItem('zorbanix.best-scores', '[[5,"2026-01-01"],[-3,"2026-01-02"],[8,"2026-01-03"]]');
    }
  });
  let page = await freshPage(context);
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null, null,
                             { timeout: 30000 });
  check(!(await page.locator('#best').isVisible()), 'a first visit shows no best score');
  await page.keyboard.press('Enter');
  await waitForScreen(page, 'title');
  await page.keyboard.press('Space');
  await waitForPlay(page);
  // From the right bound, clear of the bunkers, fire until an invader falls.
  await page.keyboard.down('ArrowRight');
  await pause(1500);
  await page.keyboard.up('ArrowRight');
  for (let shot = 0; shot < 60 && !(await page.evaluate(() => window.zorbanixPage.score())); ++shot) {
    await page.keyboard.press('Space');
    await pause(250);
  }
  await page.keyboard.press('Escape');
  await waitForResults(page);
  await page.keyboard.press('Escape');
  await page.waitForFunction(() => document.body.dataset.state === 'ended', null, { timeout: 15000 });
  const score = await page.evaluate(() => window.zorbanixPage.finalScore);
  const said = await page.locator('#best-score').textContent();
  check(score > 0 && said === 'New best!', `the end panel says a score of ${score} is a new best (${said})`);
  const [book, aside] = await page.evaluate(() => ['score-book', 'score-book.bad'].map(
    (name) => JSON.parse(localStorage.getItem(`zorbanix.${name}`))));
  check(new RegExp(`^score = ${score} \\d{4}-\\d\\d-\\d\\d\nscore = 8 2026-01-03\nscore = 5 2026-01-01\n$`).test(book) &&
        /score = -3 2026-01-02/.test(aside),
        `the game's book keeps the score with its date and the good rows kept before, in order (${book}; aside: ${aside})`);
  await page.reload();
  await page.waitForFunction(() => document.body.dataset.state === 'ready', null, { timeout: 30000 });
  const shown = await page.locator('#best').textContent();
  check(shown === `Best ${score}` && await page.locator('#best').isVisible(),
        `the best score outlives a reload (${shown})`);
  await context.setOffline(true);
  await page.close();
  page = await freshPage(context);
  check(await page.evaluate(() => !navigator.onLine), 'the network is cut');
  await page.keyboard.press('Enter');
  await waitForScreen(page, 'title');
  await page.keyboard.press('Space');
  await waitForScreen(page, 'getready');
  await context.close();
}

// A copy of the site is served and visited twice (the second load from the
// service worker), then a new release of it is published: another version
// in sw.js, a mark in index.html and one in style.css. The very next load
// must run the new release throughout (both marks) and play; once its
// worker has taken over, the new release loads and plays with the network
// cut.
async function newReleaseRun() {
  const folder = `${work}/release`;
  rmSync(folder, { recursive: true, force: true });
  cpSync(site, folder, { recursive: true });
  const { server, url: at } = await serve(folder);
  const context = await browser.newContext({ viewport: { width: 1280, height: 720 } });
  try {
    await publishRelease(context, folder, at);
  } finally {
    await context.close();
    server.close();
  }
}

async function publishRelease(context, folder, at) {
  const page = await freshPage(context, at);
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null, null, { timeout: 30000 });
  const release = async () => {
    await page.waitForFunction(() => document.body.dataset.state === 'ready', null, { timeout: 30000 });
    await page.evaluate(installReferences, references());
    return page.evaluate(() => [document.querySelector('meta[name="release"]')?.content || 'A',
                                getComputedStyle(document.body).getPropertyValue('--release').trim() || 'A']);
  };
  await page.reload();
  check((await release()).join() === 'A,A', 'a second visit runs the first release');
  const edit = (file, change) => writeFileSync(`${folder}/${file}`, change(readFileSync(`${folder}/${file}`, 'utf8')));
  edit('sw.js', (text) => text.replace(/const VERSION = '([^']*)'/, "const VERSION = '$1-B'"));
  edit('index.html', (text) => text.replace('<title>', '<meta name="release" content="B">\n<title>'));
  edit('style.css', (text) => `${text}\nbody { --release: B; }\n`);
  await page.reload();
  const next = (await release()).join();
  check(next === 'B,B', `the next load after a release runs it throughout (${next})`);
  await page.keyboard.press('Enter');
  await waitForScreen(page, 'intro-early');
  // Its worker installs meanwhile (the old release's cache goes once no
  // open page has used it for a while).
  let installed = false;
  for (const end = Date.now() + 30000; !installed && Date.now() < end; await pause(200)) {
    installed = await page.evaluate(async () => {
      const registration = await navigator.serviceWorker.getRegistration();
      const name = (await caches.keys()).find((key) => key.endsWith('-B'));
      return Boolean(name && await (await caches.open(name)).match('./')) &&
             !registration.installing && !registration.waiting;
    });
  }
  check(installed, 'the new release\'s worker installs it and takes over');
  await context.setOffline(true);
  await page.reload();
  const offline = (await release()).join();
  check(offline === 'B,B', `offline, the page loads the new release (${offline})`);
  await page.keyboard.press('Enter');
  await waitForScreen(page, 'intro-early');
  check(page.violations.length === 0, `no security policy violation (${page.violations})`);
}

try {
  await newReleaseRun();
  await keyboardRun();
  await touchRun();
  await soundRun();
  await hiddenPageRun();
  await keptAndOfflineRun();
} catch (error) {
  console.log(`FAILED: ${error.message}`);
  process.exitCode = 1;
} finally {
  await close();
}
