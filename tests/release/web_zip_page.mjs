// The browser site as a player unpacks it from the web zip: served from
// 127.0.0.1 and opened in headless Chromium, its page must load the game
// (the start overlay appears) and, once started, show a first picture.
//   node web_zip_page.mjs <unpacked site>
import { openBrowser } from '../web/chromium.mjs';

const [site] = process.argv.slice(2);
const { browser, url, close } = await openBrowser(site);
try {
  const page = await browser.newPage({ viewport: { width: 1024, height: 768 } });
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  page.on('requestfailed', (request) => errors.push(`${request.url()}: ${request.failure().errorText}`));
  await page.goto(url);
  await page.waitForFunction(() => ['ready', 'error'].includes(document.body.dataset.state), null,
                             { timeout: 60000 });
  const state = await page.evaluate(() => document.body.dataset.state);
  if (state !== 'ready') throw new Error(`the page shows "${state}", not the start overlay`);
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => window.zorbanixPage.times.firstPicture, null, { timeout: 60000 });
  if (errors.length) throw new Error(`the page reported: ${errors.join('; ')}`);
  console.log('the page loaded and showed its first picture');
} finally {
  await close();
}
