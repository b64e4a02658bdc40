// The page around the picture at many window sizes and in every state it
// can show, checked from the elements' real boxes in headless Chromium:
//   - no two visible controls or labels overlap, none lies over the picture,
//     and the overlay (start, end panel, loading, error) covers the picture
//     and nothing else;
//   - every text fits its box (scroll against client sizes), with the
//     longest texts: a best of 999990, "Tap again to quit", long headings;
//   - everything lies inside the window, which does not scroll;
//   - targets are 48 px by touch, 24 with a mouse (the corner controls 36);
//   - the touch captions show by touch only, among the controls;
//   - the results in the page's text cover the room of a picture too small
//     to read them, with lines at least 11 px tall, and no larger picture;
//   - the picture's limiting side takes 95 % of its room, on whole device
//     pixels;
//   - by touch Left and Right sit low on the left, Fire low on the right;
//     upright they are taller than the least where the band allows it, and
//     on a tablet they grow from 48 px toward 96.
//
//   node page_sweep.mjs <site> <work folder> [gallery folder]
//
// Each window is tried with touch and with a mouse. A run of the game is
// started in each browser context, so that the picture is placed as in
// play; the states are then shown as page.js shows them (its
// body[data-state] and texts). A paused game is the playing page: the game
// draws its pause in the picture. Each failure names the window, the state, the
// rule and the elements, and leaves a screenshot in the work folder. With a
// gallery folder it also writes the pictures of docs/screenshots/web-*.png.
// Exit 0 when all holds, 1 on a failure, 77 (skipped) without Chromium,
// playwright-core or the browser build.
import { mkdirSync } from 'node:fs';
import { openBrowser } from './chromium.mjs';

const [site, work, gallery] = process.argv.slice(2);
mkdirSync(work, { recursive: true });

// Width, height (CSS px), device pixels per CSS pixel.
const WINDOWS = [
  [320, 480, 2], [480, 320, 2], [320, 568, 2], [568, 320, 2], [360, 640, 3], [640, 360, 3],
  [375, 667, 2], [667, 375, 2], [360, 780, 3], [780, 360, 3], [390, 844, 3], [844, 390, 3],
  [412, 915, 3], [915, 412, 3], [414, 896, 2], [896, 414, 2], [600, 960, 2], [960, 600, 2],
  [768, 1024, 2], [1024, 768, 2], [820, 1180, 2], [1180, 820, 2], [800, 1280, 2], [1280, 800, 2],
  [1024, 1366, 2], [1366, 1024, 2], [800, 600, 1], [1024, 768, 1], [1280, 720, 1], [1280, 800, 1],
  [1280, 1024, 1], [1366, 768, 1], [1440, 900, 2], [1536, 864, 1], [1600, 900, 1],
  [1920, 1080, 1], [1920, 1200, 1], [1080, 1920, 1], [2560, 1080, 1], [2560, 1440, 1],
  [2560, 1600, 2], [3840, 2160, 1], [2160, 3840, 1],
];
const STATES = ['loading', 'ready', 'playing', 'asking', 'results', 'ended', 'error'];
const GALLERY = [  // file, window, touch, state
  ['web-phone-portrait', [390, 844, 3], true, 'playing'],
  ['web-phone-landscape', [844, 390, 3], true, 'playing'],
  ['web-small-phone-ended', [568, 320, 2], true, 'ended'],
  ['web-tablet', [1024, 768, 2], true, 'asking'],
  ['web-desktop', [1280, 800, 1], false, 'playing'],
];

// In the page: shows `state` as page.js does, with the longest texts.
function show(state) {
  const set = (id, text) => { document.getElementById(id).textContent = text; };
  const quit = document.getElementById('quit');
  quit.textContent = state === 'asking' ? 'Tap again to quit' : 'Quit';
  quit.classList.toggle('asking', state === 'asking');
  set('loading-text', 'Loading… 100 % (9999 of 9999 KB)');
  set('ended-text', 'The game ended with code 255.');
  set('final-score', 'Score 999990');
  set('best-score', 'Best 999990');
  set('error', 'This browser runs WebAssembly without its 128-bit vectors (SIMD), which ' +
               'Zorbanix needs. A current Firefox, Chrome, Edge or Safari has them.');
  const rows = Array.from({ length: 10 }, (_, i) => ({ points: 999990 - i, date: '2026-12-08' }));
  window.sweepResults = state === 'results';
  window.zorbanixPage.showResults(state !== 'results' ? null : {
    score: 999990, newBest: true, notSaved: true, unreadable: true, marked: 0, rows });
  document.body.dataset.state = ['asking', 'results'].includes(state) ? 'playing' : state;
  return new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));
}

// In the page: what breaks a rule, as "rule: elements" lines.
function inspect() {
  const [W, H, ratio] = [innerWidth, innerHeight, devicePixelRatio];
  const touch = document.body.classList.contains('touch');
  const playing = document.body.dataset.state === 'playing';
  const $ = (selector) => document.querySelector(selector);
  const shown = (el) => el.getClientRects().length > 0 &&
                        getComputedStyle(el).visibility === 'visible' && getComputedStyle(el).opacity !== '0';
  const name = (el) => (el.id ? `#${el.id}` : el.getAttribute('aria-label') || el.tagName);
  const box = (el) => el.getBoundingClientRect();
  const meet = (a, b) => Math.min(a.right, b.right) - Math.max(a.left, b.left) > 0.5 &&
                         Math.min(a.bottom, b.bottom) - Math.max(a.top, b.top) > 0.5;
  const within = (a, b) => a.left >= b.left - 0.5 && a.top >= b.top - 0.5 &&
                           a.right <= b.right + 0.5 && a.bottom <= b.bottom + 0.5;
  const found = [];
  const fail = (rule, ...elements) => found.push(`${rule}: ${elements.map(name).join(', ')}`);
  const pairs = (list, each) => list.forEach((a, i) => list.slice(i + 1).forEach((b) => each(a, b)));

  const [overlay, canvas, room, best] = ['#overlay', '#canvas', '#room', '#best'].map($);
  const covered = shown(overlay);
  const controls = [...document.querySelectorAll('#touch-controls button, .corner, #best, #hint')]
      .filter(shown);
  if (shown($('#hint')) !== (touch && playing)) fail('the touch captions show wrongly', $('#hint'));
  const inOverlay = covered ? [...overlay.querySelectorAll('h1, p, button, progress')].filter(shown) : [];
  const picture = box(canvas);

  if (covered === playing) fail(`the overlay ${covered ? 'shows' : 'is missing'}`, overlay);
  pairs(controls, (a, b) => meet(box(a), box(b)) && fail('overlap', a, b));
  pairs(inOverlay, (a, b) => meet(box(a), box(b)) && fail('overlap', a, b));
  for (const c of controls) {
    if (meet(box(c), picture)) fail('over the picture', c, canvas);
    if (covered && meet(box(c), box(overlay))) fail('the overlay covers a control', overlay, c);
  }
  if (covered && !within(picture, box(overlay))) fail('the overlay leaves the picture uncovered', overlay);
  inOverlay.filter((a) => !within(box(a), box(overlay))).forEach((a) => fail('outside the overlay', a));
  // What a finger or the eye finds at the middle of each is that element.
  for (const el of [...controls, ...(covered ? [overlay] : [])]) {
    const b = box(el);
    const top = document.elementFromPoint(b.left + b.width / 2, b.top + b.height / 2);
    if (!el.contains(top)) fail('hidden under another element', el, top);
  }

  for (const el of [...controls, ...inOverlay, ...(covered ? [overlay] : [])]) {
    if (el.scrollWidth > el.clientWidth + 1 || el.scrollHeight > el.clientHeight + 1) {
      fail(`text does not fit (${el.scrollWidth} x ${el.scrollHeight} in ${el.clientWidth} x ` +
           `${el.clientHeight})`, el);
    }
  }
  if (!shown(best) || best.textContent !== 'Best 999990') fail(`the best score reads "${best.textContent}"`, best);
  const everything = { left: 0, top: 0, right: W, bottom: H };
  [...controls, ...inOverlay, canvas].filter((el) => !within(box(el), everything))
      .forEach((el) => fail('outside the window', el));
  const root = document.scrollingElement;
  if (root.scrollWidth > W || root.scrollHeight > H) fail('the page scrolls', root);
  for (const el of [...controls, ...inOverlay].filter((c) => c.tagName === 'BUTTON')) {
    const least = touch ? 48 : el.classList.contains('corner') ? 36 : 24;
    const b = box(el);
    if (Math.min(b.width, b.height) < least - 0.01) fail(`smaller than ${least} px (${b.width} x ${b.height})`, el);
  }

  const r = box(room);
  // Layout keeps 1/64 of a CSS pixel: a third of one is as near as it gets.
  const whole = (css) => Math.abs(css * ratio - Math.round(css * ratio)) < 0.05;
  if (Math.max(picture.width / r.width, picture.height / r.height) < 0.95) {
    fail(`the picture takes less than 95 % of its room (${picture.width} x ${picture.height} in ` +
         `${r.width} x ${r.height})`, canvas);
  }
  if (![picture.left, picture.top, picture.width, picture.height].every(whole)) {
    fail(`the picture is off whole device pixels (${JSON.stringify(picture)})`, canvas);
  }
  if (!within(picture, r)) fail('the picture leaves its room', canvas);

  const results = $('#results');
  if (shown(results) !== (window.sweepResults && picture.width < 600)) {
    fail(`the page's results show wrongly by a picture ${picture.width} px wide`, results);
  } else if (shown(results)) {
    const lines = [...results.querySelectorAll('p, h2, li > span')].filter(shown);
    if (!within(box(results), r) || !within(picture, box(results))) fail('the results leave the room', results);
    lines.filter((l) => !within(box(l), box(results))).forEach((l) => fail('outside the results', l));
    lines.filter((l) => box(l).height < 11).forEach((l) => fail(`too small to read (${box(l).height} px)`, l));
  }

  if (touch && playing) {
    const buttons = ['ArrowLeft', 'ArrowRight', 'Space'].map((place) => $(`[data-place="${place}"]`));
    const [l, rt, f] = buttons.map(box);
    if ([l, rt, f].some((b) => b.bottom < H / 2) || l.left > W / 2 || rt.right > f.left || f.right < W / 2) {
      fail('not where thumbs rest', ...buttons);
    }
    if (H > W && ([l, rt, f].some((b) => b.top < picture.bottom) ||
                  (H - picture.bottom >= 240 && Math.min(l.height, rt.height, f.height) < 72))) {
      fail('upright, the band below the picture is not used', ...buttons);
    }
    if (Math.min(W, H) >= 720 && Math.min(...[l, rt, f].flatMap((b) => [b.width, b.height])) < 60) {
      fail('a tablet\'s movement and fire buttons stay small', ...buttons);
    }
  }
  return found;
}

const { browser, url, close } = await openBrowser(site);
let failures = 0;
let checked = 0;
try {
  for (const ratio of [1, 2, 3]) {
    for (const touch of [false, true]) {
      const windows = WINDOWS.filter(([, , r]) => r === ratio);
      const context = await browser.newContext({
        viewport: { width: windows[0][0], height: windows[0][1] }, deviceScaleFactor: ratio,
        hasTouch: touch, isMobile: touch,
      });
      await context.addInitScript(() => localStorage.setItem('zorbanix.best', '999990'));
      const page = await context.newPage();
      page.on('pageerror', (error) => console.log(`page error: ${error.message}`));
      await page.goto(url);
      await page.waitForFunction(() => document.body.dataset.state === 'ready', null, { timeout: 30000 });
      // A run, started and left on its title screen: the picture is placed
      // as in play, and nothing of the game changes the page meanwhile.
      await page.keyboard.press('Enter');
      await page.waitForFunction(() => document.getElementById('canvas').style.width !== '', null,
                                 { timeout: 15000 });
      for (const [width, height] of windows) {
        await page.setViewportSize({ width, height });
        for (const state of STATES) {
          if (state === 'asking' && !touch) continue;
          await page.evaluate(show, state);
          const found = await page.evaluate(inspect);
          ++checked;
          if (found.length === 0) continue;
          failures += found.length;
          const where = `${width}x${height}@${ratio}-${touch ? 'touch' : 'mouse'}-${state}`;
          for (const line of found) console.log(`FAILED ${where}: ${line}`);
          await page.screenshot({ path: `${work}/${where}.png` });
        }
      }
      const pictures = gallery ? GALLERY.filter(([, [, , r], t]) => r === ratio && t === touch) : [];
      if (pictures.length > 0) {
        // Out of the title screen into play, for pictures of the game itself.
        await page.evaluate(show, 'playing');
        await page.keyboard.press('Space');
        await new Promise((resolve) => setTimeout(resolve, 4000));
      }
      for (const [file, [width, height], , state] of pictures) {
        await page.setViewportSize({ width, height });
        await page.evaluate(show, state);
        await page.screenshot({ path: `${gallery}/${file}.png` });
      }
      await context.close();
    }
  }
  console.log(`${checked} window, input and state combinations checked, ${failures} failures`);
  if (failures > 0) process.exitCode = 1;
} catch (error) {
  console.log(`FAILED: ${error.message}`);
  process.exitCode = 1;
} finally {
  await close();
}
