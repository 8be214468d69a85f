// The built page served on 127.0.0.1 for the length of a test run, and Debian's
// Chromium to open it. Nothing else is reached.

import { readFile } from 'node:fs/promises';
import { createServer } from 'node:http';
import { createRequire } from 'node:module';
import { extname, join, normalize } from 'node:path';

// puppeteer-core comes with the page's own npm packages (web/package.json).
const require = createRequire(new URL('../../web/package.json', import.meta.url));
const puppeteer = require('puppeteer-core');

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript',
  '.mjs': 'text/javascript',
  '.css': 'text/css',
  '.wasm': 'application/wasm',
};

// Serves the files of `folder`; resolves to { url, close() }.
export function servePage(folder) {
  const server = createServer(async (request, response) => {
    const path = new URL(request.url, 'http://localhost').pathname;
    const file = normalize(join(folder, path === '/' ? 'index.html' : path));
    if (!file.startsWith(normalize(folder))) {
      response.writeHead(403).end();
      return;
    }
    try {
      const body = await readFile(file);
      response.writeHead(200, { 'Content-Type': types[extname(file)] ?? 'application/octet-stream' });
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => {
      resolve({
        url: `http://127.0.0.1:${server.address().port}/`,
        close: () => new Promise((done) => server.close(done)),
      });
    });
  });
}

// Headless Chromium: CHROMIUM, or Debian's package.
export function launchBrowser() {
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    // Root in CI has no user namespace for Chromium's sandbox.
    args: process.getuid?.() === 0 ? ['--no-sandbox'] : [],
  });
}
