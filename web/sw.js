// The service worker that lets the game load and play with no network once
// it has been visited. The site's staging writes the release version and the
// site's file list into the two constants below, so each release has a cache
// of its own: installing fills it whole from the network (all files or
// none), activating removes every other release's cache, and from then on
// every file of the site comes from it. A new release changes this file, so
// the browser installs its worker at the next visit, and the visit after
// that runs the new release throughout: a page never mixes files of two.
'use strict';

const VERSION = '@ZORBANIX_VERSION@';
const FILES = [/* @ZORBANIX_SITE_FILES@ */];
const CACHE = `zorbanix-${VERSION}`;
const PREFIX = 'zorbanix-';

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const cache = await caches.open(CACHE);
    // Past the HTTP cache, which may still hold the previous release's files.
    await cache.addAll(['./', ...FILES].map((file) => new Request(file, { cache: 'reload' })));
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys()) {
      if (name.startsWith(PREFIX) && name !== CACHE) await caches.delete(name);
    }
    await self.clients.claim();
  })());
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith((async () => {
    const cache = await caches.open(CACHE);
    // The page under any query string too; what the release does not hold
    // (README.txt) from the network.
    const cached = await cache.match(request, { ignoreSearch: true });
    return cached || fetch(request);
  })());
});
