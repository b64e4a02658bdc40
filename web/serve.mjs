// A small static file server for the browser build, on 127.0.0.1 only.
//
//   node web/serve.mjs <site folder> [port]      (port 0: any free port)
//
// Prints "http://127.0.0.1:<port>/" once it listens. Also imported by the
// browser tests, which serve the site themselves. Text and programs go out
// compressed (brotli, else gzip) to a browser that accepts it; the files the
// build gzipped itself (.gz) go out as they are, for the page to inflate.
import { readFileSync, statSync } from 'node:fs';
import { createServer } from 'node:http';
import { extname, join, normalize, resolve, sep } from 'node:path';
import { pathToFileURL } from 'node:url';
import { brotliCompressSync, constants, gzipSync } from 'node:zlib';

const types = {
  '.html': 'text/html; charset=utf-8', '.css': 'text/css; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8', '.mjs': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm', '.data': 'application/octet-stream',
  '.txt': 'text/plain; charset=utf-8', '.png': 'image/png', '.gz': 'application/gzip',
  '.webmanifest': 'application/manifest+json',
};
const compressible = new Set(['.html', '.css', '.js', '.mjs', '.wasm', '.data', '.txt',
                              '.webmanifest']);

// The encoding to send `file` in for a request's Accept-Encoding, or null.
function encodingFor(file, accepted = '') {
  if (!compressible.has(extname(file))) return null;
  const offered = accepted.split(',').map((part) => part.trim().split(';'))
      .filter(([, q]) => !q || Number(q.trim().replace(/^q=/, '')) > 0)
      .map(([name]) => name.trim());
  if (offered.includes('br')) return 'br';
  return offered.includes('gzip') ? 'gzip' : null;
}

// The page's security policy (as index.html states it), with what only a
// header can say: no other site may frame the game.
export const SECURITY_POLICY = "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; " +
    "object-src 'none'; base-uri 'none'; form-action 'none'; frame-ancestors 'none'";

// Compressed bodies, kept while their file stays the same.
const packed = new Map();
function compressed(file, stats, encoding) {
  const key = `${encoding} ${file}`;
  const kept = packed.get(key);
  if (kept && kept.mtimeMs === stats.mtimeMs && kept.size === stats.size) return kept.body;
  const plain = readFileSync(file);
  const body = encoding === 'br'
      ? brotliCompressSync(plain, { params: {
        [constants.BROTLI_PARAM_QUALITY]: plain.length > 256 * 1024 ? 6 : 11,
        [constants.BROTLI_PARAM_SIZE_HINT]: plain.length } })
      : gzipSync(plain, { level: 9 });
  packed.set(key, { mtimeMs: stats.mtimeMs, size: stats.size, body });
  return body;
}

// Resolves to the listening server and its address.
export function serve(folder, port = 0) {
  const root = resolve(folder);
  const server = createServer((request, response) => {
    const path = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    let file = normalize(join(root, path.endsWith('/') ? `${path}index.html` : path));
    if (file !== root && !file.startsWith(root + sep)) file = '';
    let stats = null;
    try {
      stats = file ? statSync(file) : null;
    } catch {
      stats = null;
    }
    if (!stats || !stats.isFile()) {
      response.writeHead(404, { 'Content-Type': 'text/plain' });
      response.end('not found\n');
      return;
    }
    const encoding = encodingFor(file, request.headers['accept-encoding']);
    // Checked again at each visit (no-cache), and sent again only when the
    // file changed.
    const headers = {
      'Content-Type': types[extname(file)] || 'application/octet-stream',
      'Cache-Control': 'no-cache',
      'Content-Security-Policy': SECURITY_POLICY,
      'X-Content-Type-Options': 'nosniff',
      ETag: `"${stats.size.toString(36)}-${Math.floor(stats.mtimeMs).toString(36)}-${encoding || 'id'}"`,
    };
    if (compressible.has(extname(file))) headers.Vary = 'Accept-Encoding';
    if (request.headers['if-none-match'] === headers.ETag) {
      response.writeHead(304, headers);
      response.end();
      return;
    }
    if (encoding) headers['Content-Encoding'] = encoding;
    const body = encoding ? compressed(file, stats, encoding) : readFileSync(file);
    headers['Content-Length'] = body.length;
    response.writeHead(200, headers);
    response.end(request.method === 'HEAD' ? undefined : body);
  });
  return new Promise((resolveServer, reject) => {
    server.once('error', reject);
    server.listen(port, '127.0.0.1', () => {
      resolveServer({ server, url: `http://127.0.0.1:${server.address().port}/` });
    });
  });
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
  const [folder, port] = process.argv.slice(2);
  if (!folder) {
    console.error('usage: node serve.mjs <site folder> [port]');
    process.exit(2);
  }
  const { url } = await serve(folder, Number(port || 8000));
  console.log(url);
}
