// Presses keys in the browser build in headless Chromium and writes when
// each keydown reached the page, with the game's latency log, for
// analyse.py.
//
//   node page_keys.mjs <site> <presses> <out file>
//
// The game logs its keyboard reads and presents (window.zorbanixLatencyLog,
// set before it starts) on the console; the page's clock, performance.now(),
// is the one the keydown's timeStamp is on. After Space on the title and the
// 3 s get-ready wait, `presses` taps of Left and Right in turn, each held
// 40 ms with 30 to 90 ms between them.
import { writeFileSync } from 'node:fs';
import { openBrowser } from '../../tests/web/chromium.mjs';

const [site, presses = '200', out] = process.argv.slice(2);
const { browser, url, close } = await openBrowser(site);
const DIK = { ArrowLeft: 0xcb, ArrowRight: 0xcd };
const lines = [];
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

try {
  const context = await browser.newContext({ viewport: { width: 1280, height: 720 } });
  const page = await context.newPage();
  page.on('console', (message) => {
    const text = message.text();
    if (text.startsWith('latency ')) lines.push(text);
  });
  await page.addInitScript(() => {
    globalThis.zorbanixLatencyLog = true;
    globalThis.keyArrivals = [];
    addEventListener('keydown', (event) => {
      if (!event.repeat) globalThis.keyArrivals.push([event.code, event.timeStamp]);
    }, { capture: true });
  });
  await page.goto(url);
  await page.waitForFunction(() => document.body.dataset.state === 'ready', null, { timeout: 30000 });
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => window.zorbanixPage.times.firstPicture, null, { timeout: 30000 });
  // The intro's 3 s, then the title.
  await sleep(3500);
  await page.keyboard.down('Space');
  await sleep(100);
  await page.keyboard.up('Space');
  await sleep(3600);
  let draw = 24;
  const random = () => {
    draw = (draw * 48271) % 2147483647;
    return draw / 2147483647;
  };
  for (let i = 0; i < Number(presses); ++i) {
    const key = i % 2 === 0 ? 'ArrowLeft' : 'ArrowRight';
    await page.keyboard.down(key);
    await sleep(40);
    await page.keyboard.up(key);
    await sleep(30 + 60 * random());
  }
  await sleep(200);
  const arrivals = await page.evaluate(() => globalThis.keyArrivals);
  for (const [code, at] of arrivals) {
    if (code in DIK) lines.push(`arrival ${DIK[code]} ${at.toFixed(3)}`);
  }
  writeFileSync(out, `${lines.join('\n')}\n`);
  await context.close();
} finally {
  await close();
}
