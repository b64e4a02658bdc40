// A small static file server for the browser build, on 127.0.0.1 only.
//
//   node web/serve.mjs <site folder> [port]      (port 0: any free port)
//
// Prints "http://127.0.0.1:<port>/" once it listens. Also imported by the
// browser tests, which serve the site themselves.
import { createReadStream, statSync } from 'node:fs';
import { createServer } from 'node:http';
import { extname, join, normalize, resolve, sep } from 'node:path';
import { pathToFileURL } from 'node:url';

const types = {
  '.html': 'text/html; charset=utf-8', '.css': 'text/css; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8', '.mjs': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm', '.data': 'application/octet-stream',
  '.txt': 'text/plain; charset=utf-8', '.png': 'image/png',
};

// Resolves to the listening server and its address.
export function serve(folder, port = 0) {
  const root = resolve(folder);
  const server = createServer((request, response) => {
    const path = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    let file = normalize(join(root, path.endsWith('/') ? `${path}index.html` : path));
    if (file !== root && !file.startsWith(root + sep)) file = '';
    let size = -1;
    try {
      const stats = file ? statSync(file) : null;
      if (stats && stats.isFile()) size = stats.size;
    } catch {
      size = -1;
    }
    if (size < 0) {
      response.writeHead(404, { 'Content-Type': 'text/plain' });
      response.end('not found\n');
      return;
    }
    response.writeHead(200, {
      'Content-Type': types[extname(file)] || 'application/octet-stream',
      'Content-Length': size,
      'Cache-Control': 'no-cache',
    });
    if (request.method === 'HEAD') response.end();
    else createReadStream(file).pipe(response);
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
