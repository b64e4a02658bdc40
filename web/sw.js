// The service worker that lets the game load and play with no network once
// it has been visited, and that gives a player each new release at the very
// next load, never a page of files from two releases.
//
// The site's staging writes the release's version (with a digest of its
// files) and the site's file list into the two constants below, so each
// release has a cache of its own, which installing fills whole from the
// network (all files or none). Each page runs from one source, chosen when
// it is opened and kept until it closes (its "pin"):
//   - the worker asks the server for the published sw.js first, and reads
//     its version: where that is this worker's, the page runs from this
//     worker's cache;
//   - where a newer release is published and its cache is already complete
//     (its worker installed), from that cache;
//   - where a newer release is published but not yet cached, from the
//     network, as a first visit does, while the browser installs the new
//     worker, which takes over at once and caches it for the next load;
//   - with no answer from the network in time, from this worker's cache.
// A page the worker did not open (the first visit) runs from the network.
// The pins are kept in a cache of their own, so that they outlive a stopped
// worker and are read by the next release's; a release's cache is removed
// only once no open page runs from it.
'use strict';

const VERSION = '@ZORBANIX_VERSION@';
const FILES = [/* @ZORBANIX_SITE_FILES@ */];
const PREFIX = 'zorbanix-';
const CACHE = `${PREFIX}${VERSION}`;
const PINS = 'zorbanix.pages';  // not a release's cache: no PREFIX
const NETWORK = 'network';
const ASK_MS = 3000;  // how long a load waits for the published version

const YOUNG_MS = 30000;  // a pin this young may be a page not yet open
const pins = new Map();  // client id -> { source, at }, as kept in PINS
const pinKey = (id) => `/page/${encodeURIComponent(id)}`;

async function pin(id, source) {
  if (!id) return;
  const kept = { source, at: Date.now() };
  pins.set(id, kept);
  await (await caches.open(PINS)).put(pinKey(id), Response.json(kept));
}

async function keptPin(id) {
  if (!pins.has(id)) {
    const kept = await (await caches.open(PINS)).match(pinKey(id));
    pins.set(id, kept ? await kept.json() : { source: NETWORK, at: 0 });
  }
  return pins.get(id);
}

const pinOf = async (id) => (id ? (await keptPin(id)).source : NETWORK);

// Removes the pins of closed pages, and every release's cache that is
// neither this worker's nor an open page's.
async function tidy() {
  const open = new Set((await self.clients.matchAll({ includeUncontrolled: true, type: 'all' }))
      .map((client) => client.id));
  const kept = await caches.open(PINS);
  const used = new Set([CACHE]);
  for (const request of await kept.keys()) {
    const id = decodeURIComponent(new URL(request.url).pathname.slice('/page/'.length));
    const { source, at } = await keptPin(id);
    if (open.has(id) || Date.now() - at < YOUNG_MS) {
      used.add(source);
    } else {
      pins.delete(id);
      await kept.delete(request);
    }
  }
  for (const name of await caches.keys()) {
    if (name.startsWith(PREFIX) && !used.has(name)) await caches.delete(name);
  }
}

// The version of the sw.js the server publishes now, or null.
async function publishedVersion() {
  const abort = new AbortController();
  const timer = setTimeout(() => abort.abort(), ASK_MS);
  try {
    const response = await fetch('sw.js', { cache: 'no-store', signal: abort.signal });
    if (!response.ok) return null;
    return /const VERSION = '([^']*)'/.exec(await response.text())?.[1] ?? null;
  } catch {
    return null;
  } finally {
    clearTimeout(timer);
  }
}

// Whether the cache `name` holds a whole release (installing adds all its
// files at once).
async function complete(name) {
  return await caches.has(name) && Boolean(await (await caches.open(name)).match('./'));
}

async function sourceForNewPage() {
  const published = await publishedVersion();
  if (published === null || published === VERSION) return CACHE;
  self.registration.update().catch(() => {});
  return await complete(PREFIX + published) ? PREFIX + published : NETWORK;
}

// `request` from `source`. A page pinned to the network that loses it, or a
// file a release does not hold (README.txt), falls back on the other.
async function fetchFrom(source, request) {
  if (source === NETWORK) {
    try {
      return await fetch(request);
    } catch (error) {
      const cached = await caches.match(request, { ignoreSearch: true, cacheName: CACHE });
      if (cached) return cached;
      throw error;
    }
  }
  const cached = await (await caches.open(source)).match(request, { ignoreSearch: true });
  return cached || fetch(request);
}

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const cache = await caches.open(CACHE);
    // Past the HTTP cache, which may still hold the previous release's files.
    await cache.addAll(['./', ...FILES].map((file) => new Request(file, { cache: 'reload' })));
    // Safe at once: the pages already open keep their own release's files.
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    await tidy();
    await self.clients.claim();
  })());
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  if (request.mode === 'navigate') {
    event.respondWith((async () => {
      const source = await sourceForNewPage();
      await pin(event.resultingClientId, source);
      event.waitUntil(tidy());
      return fetchFrom(source, request);
    })());
    return;
  }
  event.respondWith((async () => fetchFrom(await pinOf(event.clientId), request))());
});
