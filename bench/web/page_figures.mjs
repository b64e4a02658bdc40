// The browser build's page in headless Chromium, measured: how long from
// navigation to the first picture, and how much CPU the renderer process
// takes on the title screen and in play. For scripts/bench-web.
//
//   node page_figures.mjs <site> [loads] [seconds]
//
// Prints "load <ms to ready> <ms from start to first picture>" for each of
// `loads` fresh pages (5), then "slow <ms from navigation to first picture>
// <bytes over the wire>" for as many cold loads over a line throttled to
// 4 Mbit/s with 40 ms latency, then "cpu <screen> renderer <percent of one core>
// gpu <percent> browser <percent>" for two floor pages (animation frames
// only; a whole picture put at each), the title screen and play, each over
// `seconds` (10).
import { openBrowser } from '../../tests/web/chromium.mjs';

const [site, loads = '5', seconds = '10'] = process.argv.slice(2);
const { browser, url, close } = await openBrowser(site);

async function readyPage(context) {
  const page = await context.newPage();
  await page.goto(url);
  await page.waitForFunction(() => document.body.dataset.state === 'ready', null, { timeout: 30000 });
  return page;
}

for (let i = 0; i < Number(loads); ++i) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 720 } });
  const page = await readyPage(context);
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => window.zorbanixPage.times.firstPicture, null, { timeout: 30000 });
  const t = await page.evaluate(() => window.zorbanixPage.times);
  console.log(`load ${t.loaded.toFixed(0)} ${(t.firstPicture - t.started).toFixed(0)}`);
  await context.close();
}

// Cold loads (a fresh context each: an empty cache) over a slow line, with
// the key pressed as soon as the page is ready.
for (let i = 0; i < Number(loads); ++i) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 720 } });
  const page = await context.newPage();
  const network = await context.newCDPSession(page);
  await network.send('Network.enable');
  await network.send('Network.setCacheDisabled', { cacheDisabled: true });
  await network.send('Network.emulateNetworkConditions', {
    offline: false, latency: 40, downloadThroughput: 4e6 / 8, uploadThroughput: 4e6 / 8 });
  let bytes = 0;
  network.on('Network.loadingFinished', (event) => { bytes += event.encodedDataLength; });
  await page.goto(url);
  await page.waitForFunction(() => document.body.dataset.state === 'ready', null, { timeout: 60000 });
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => window.zorbanixPage.times.firstPicture, null, { timeout: 30000 });
  const t = await page.evaluate(() => window.zorbanixPage.times);
  console.log(`slow ${t.firstPicture.toFixed(0)} ${bytes}`);
  await context.close();
}

// CPU time by process type, in seconds, summed over the processes of a type.
const system = await browser.newBrowserCDPSession();
async function cpuByType() {
  const { processInfo } = await system.send('SystemInfo.getProcessInfo');
  const sums = {};
  for (const p of processInfo) sums[p.type.toLowerCase()] = (sums[p.type.toLowerCase()] || 0) + p.cpuTime;
  return sums;
}
async function measure(name) {
  const before = await cpuByType();
  const start = performance.now();
  await new Promise((resolve) => setTimeout(resolve, Number(seconds) * 1000));
  const after = await cpuByType();
  const wall = (performance.now() - start) / 1000;
  const share = (type) => ((100 * ((after[type] || 0) - (before[type] || 0))) / wall).toFixed(1);
  console.log(`cpu ${name} renderer ${share('renderer')} gpu ${share('gpu')} browser ${share('browser')}`);
}

// Floors, measured in the same run: a page that only asks for animation
// frames, and one that also puts a whole 800 x 600 picture on a canvas at
// each of them.
const floor = (putting) => `<canvas id="c" width="800" height="600"></canvas><script>
  const context = document.getElementById('c').getContext('2d');
  const image = context.createImageData(800, 600);
  image.data.fill(255);
  const frame = () => { ${putting ? 'context.putImageData(image, 0, 0);' : ''} requestAnimationFrame(frame); };
  requestAnimationFrame(frame);
</script>`;
for (const [name, putting] of [['floor-frames', false], ['floor-puts', true]]) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 720 } });
  const page = await context.newPage();
  await page.setContent(floor(putting));
  await new Promise((resolve) => setTimeout(resolve, 1000));
  await measure(name);
  await context.close();
}

const context = await browser.newContext({ viewport: { width: 1280, height: 720 } });
const page = await readyPage(context);
await page.keyboard.press('Enter');
await page.keyboard.press('Escape');  // past the intro
await new Promise((resolve) => setTimeout(resolve, 1000));
await measure('title');
await page.keyboard.press('Space');
await new Promise((resolve) => setTimeout(resolve, 3500));  // past the get-ready wait
await measure('play');
await close();
