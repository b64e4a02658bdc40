// What sound costs the browser build in play (S3): the renderer's CPU with
// sound and on the same page with no AudioContext (deleted before the page
// runs, so the game plays silently), in alternating pairs, and the share the
// renderer's audio threads took, read per thread from /proc. For
// scripts/bench-web.
//
//   node sound_cpu.mjs <site> [pairs] [seconds]
//
// Prints "pair <n> with <percent> audio <percent> without <percent>" for
// each of `pairs` (5), each page played `seconds` (10) with Space held.
import { readFileSync, readdirSync } from 'node:fs';
import { openBrowser } from '../../tests/web/chromium.mjs';

const [site, pairs = '5', seconds = '10'] = process.argv.slice(2);
const { browser, url, close } = await openBrowser(site);
const system = await browser.newBrowserCDPSession();
const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

async function renderers() {
  const { processInfo } = await system.send('SystemInfo.getProcessInfo');
  return processInfo.filter((process) => process.type === 'renderer');
}

// Clock ticks (hundredths of a second) of the threads Chromium names for
// audio ("AudioOutputDevice", "Realtime AudioWorklet") in these processes.
function audioTicks(pids) {
  let ticks = 0;
  for (const pid of pids) {
    for (const task of readdirSync(`/proc/${pid}/task`)) {
      try {
        const stat = readFileSync(`/proc/${pid}/task/${task}/stat`, 'utf8');
        const name = stat.slice(stat.indexOf('(') + 1, stat.lastIndexOf(')'));
        const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
        if (/Audio/i.test(name)) ticks += Number(fields[11]) + Number(fields[12]);
      } catch {
        // A thread that ended meanwhile.
      }
    }
  }
  return ticks;
}

async function play(sound) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 720 } });
  if (!sound) {
    await context.addInitScript(() => {
      delete window.AudioContext;
      delete window.webkitAudioContext;
    });
  }
  const page = await context.newPage();
  await page.goto(url);
  await page.waitForFunction(() => document.body.dataset.state === 'ready', null, { timeout: 30000 });
  await page.keyboard.press('Enter');
  await page.keyboard.press('Escape');
  await pause(1000);
  await page.keyboard.press('Space');
  await pause(3500);
  await page.keyboard.down('Space');
  const before = await renderers();
  const pids = before.map((process) => process.id);
  const cpu = before.reduce((sum, process) => sum + process.cpuTime, 0);
  const audio = audioTicks(pids);
  const start = performance.now();
  await pause(Number(seconds) * 1000);
  const elapsed = (performance.now() - start) / 1000;
  const share = (100 * ((await renderers()).reduce((sum, process) => sum + process.cpuTime, 0) - cpu)) / elapsed;
  const audioShare = (audioTicks(pids) - audio) / elapsed;
  await context.close();
  return [share, audioShare];
}

for (let i = 1; i <= Number(pairs); ++i) {
  const [withSound, audio] = await play(true);
  const [without] = await play(false);
  console.log(`pair ${i} with ${withSound.toFixed(1)} audio ${audio.toFixed(1)} without ${without.toFixed(1)}`);
}
await close();
