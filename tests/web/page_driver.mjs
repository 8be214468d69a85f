// The built page served on 127.0.0.1 for the length of a test run, Debian's
// Chromium to open it, and the ways a test types into it and reads it back.
// Nothing else is reached.

import assert from 'node:assert/strict';
import { existsSync, mkdtempSync, readFileSync, readdirSync, rmSync } from 'node:fs';
import { readFile, stat } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { createServer } from 'node:http';
import { createRequire } from 'node:module';
import { extname, join, normalize } from 'node:path';
import { after, before } from 'node:test';

// puppeteer-core comes with the page's own npm packages (web/package.json).
const require = createRequire(new URL('../../web/package.json', import.meta.url));
const puppeteer = require('puppeteer-core');

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript',
  '.mjs': 'text/javascript',
  '.css': 'text/css',
  '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json',
  '.svg': 'image/svg+xml',
  '.png': 'image/png',
};

// Serves the files of `folder` as a plain static server does, with their
// dates, answering "not modified" for what the browser holds; resolves to
// { url, close() }.
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
      const modified = new Date(Math.floor((await stat(file)).mtimeMs / 1000) * 1000);
      const since = Date.parse(request.headers['if-modified-since'] ?? '');
      if (since >= modified.getTime()) {
        response.writeHead(304).end();
        return;
      }
      response.writeHead(200, {
        'Content-Type': types[extname(file)] ?? 'application/octet-stream',
        'Last-Modified': modified.toUTCString(),
      });
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

// A fresh page with the program waiting at its menu; page errors are
// collected in page.errors.
export async function openPage(browser, url, width = 1600, height = 1000) {
  const page = await browser.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  await page.setViewport({ width, height });
  await page.goto(url);
  await page.waitForFunction(() => window.veldraPage?.keyWaits > 0);
  page.errors = errors;
  return page;
}

// Types the bytes of a session as keys: Enter for a line end, Escape for the
// escape code of a function key; the rest are printable characters.
export async function typeKeys(page, input) {
  for (const ch of input) {
    const code = ch.charCodeAt(0);
    if (ch === '\n') {
      await page.keyboard.press('Enter');
    } else if (code === 0x1b) {
      await page.keyboard.press('Escape');
    } else {
      assert.ok(code >= 0x20 && code < 0x7f, `no key types byte ${code}`);
      await page.keyboard.type(ch);
    }
  }
}

// Clicks a save button and returns the bytes of the file `name` it gives.
export async function download(page, button, name) {
  const folder = mkdtempSync(join(tmpdir(), 'veldra-download-'));
  const cdp = await page.createCDPSession();
  await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
  await page.click(button);
  const file = join(folder, name);
  for (let waited = 0; !existsSync(file) || readdirSync(folder).some((f) => f.endsWith('.crdownload')); waited += 50) {
    assert.ok(waited < 10000, `${name} never arrived`);
    await new Promise((r) => setTimeout(r, 50));
  }
  const bytes = readFileSync(file);
  rmSync(folder, { recursive: true });
  return bytes;
}

export const runEnded = (page) => page.waitForFunction(() => window.veldraPage.status !== null);
export const outputOf = (page) => page.evaluate(() => window.veldraPage.run.outputText());
export const statusOf = (page) => page.evaluate(() => window.veldraPage.status);

// The longest gap of a 10 ms timer in the page while `work` runs: how long
// the page was frozen at most. `input` waits in window.pasteInput for it.
export async function longestFreeze(page, input, work) {
  await page.evaluate((text) => {
    window.pasteInput = text;
  }, input);
  await page.evaluate(() => {
    const probe = { last: performance.now(), longest: 0 };
    probe.timer = setInterval(() => {
      const now = performance.now();
      probe.longest = Math.max(probe.longest, now - probe.last);
      probe.last = now;
    }, 10);
    window.freezeProbe = probe;
  });
  await work();
  return page.evaluate(() => {
    clearInterval(window.freezeProbe.timer);
    return window.freezeProbe.longest;
  });
}

// Resolves once the program has printed `text` at the end of its output and
// waits for a key.
export const awaitOutputEnding = (page, text) =>
  page.waitForFunction((t) => window.veldraPage.run.outputText().endsWith(t), {}, text);

// Resolves once the program has taken every byte typed and waits for more,
// and the drawing shows the values it waits with.
export const awaitIdle = (page) =>
  page.waitForFunction(() => window.veldraPage.run.idle() && !window.veldraPage.drawingPending);

// For the tests of one file: serves the page of VELDRA_PAGE and starts
// Chromium before them, stops both after them. open() gives a fresh page.
export function pageUnderTest() {
  const up = {};
  before(async () => {
    up.server = await servePage(process.env.VELDRA_PAGE);
    up.browser = await launchBrowser();
  });
  after(async () => {
    await up.browser?.close();
    await up.server?.close();
  });
  return {
    open: (width, height) => openPage(up.browser, up.server.url, width, height),
    get browser() {
      return up.browser;
    },
    get url() {
      return up.server.url;
    },
  };
}
