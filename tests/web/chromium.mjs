// Shared by the browser tests and scripts/bench-web: Debian's Chromium,
// headless, driven by playwright-core (no browser of its own is downloaded),
// and the site served from 127.0.0.1.
import { existsSync } from 'node:fs';
import { serve } from '../../web/serve.mjs';

// Exit code with which CTest counts a test as skipped.
export const SKIPPED = 77;

export function skip(reason) {
  console.log(`skipped: ${reason}`);
  process.exit(SKIPPED);
}

// The browser and a server for `site`, or a skip with the reason why not.
export async function openBrowser(site) {
  const executablePath = process.env.ZORBANIX_CHROMIUM || '/usr/bin/chromium';
  if (!existsSync(executablePath)) skip(`no Chromium at ${executablePath} (./scripts/setup installs it)`);
  if (!existsSync(`${site}/index.html`) || !existsSync(`${site}/zorbanix.wasm.gz`)) {
    skip(`no browser build in ${site} (Emscripten missing?)`);
  }
  let chromium;
  try {
    ({ chromium } = await import('playwright-core'));
  } catch {
    skip('playwright-core is not installed (./scripts/setup runs npm ci in tests/web)');
  }
  // As root Chromium needs --no-sandbox; the network flags keep it from
  // calling out of this closed machine at every start.
  const browser = await chromium.launch({
    executablePath,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  const { server, url } = await serve(site);
  return {
    browser, url,
    close: async () => {
      await browser.close();
      server.close();
    },
  };
}
