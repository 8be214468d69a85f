// The three browser engines the page is checked in, behind one small
// interface: Chromium and Firefox ESR through puppeteer (Firefox over WebDriver
// BiDi), WebKitGTK through WebKitWebDriver (W3C WebDriver over HTTP) with the
// window of tests/web/webkit_browser.py, which needs a display (xvfb-run).
//
//   engine.start(), engine.stop()
//   tab = await engine.open(url)
//   await tab.run(fn, ...args)       fn evaluated in the page, its result back
//   await tab.waitFor(fn, ...args)   until fn gives something true
//   await tab.type(text)             keys into the terminal; '\n' is Enter
//   await tab.version()              the engine's name and version
//   await tab.screenshot(path)       a PNG of the window

import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import { writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { createServer } from 'node:net';
import { fileURLToPath } from 'node:url';

import { launchBrowser, typeKeys } from './page_driver.mjs';

const require = createRequire(new URL('../../web/package.json', import.meta.url));
const puppeteer = require('puppeteer-core');

const until = async (check, what, ms = 30000) => {
  for (const start = Date.now(); ; await new Promise((r) => setTimeout(r, 50))) {
    const value = await check();
    if (value) return value;
    assert.ok(Date.now() - start < ms, `waited ${ms} ms for ${what}`);
  }
};

function puppeteerEngine(name, launch) {
  const engine = {
    name,
    async start() {
      engine.browser = await launch();
    },
    stop: () => engine.browser?.close(),
    async open(url) {
      const page = await engine.browser.newPage();
      await page.setViewport({ width: 1366, height: 657 });
      await page.goto(url);
      return {
        run: (fn, ...args) => page.evaluate(fn, ...args),
        waitFor: (fn, ...args) => page.waitForFunction(fn, { timeout: 30000 }, ...args),
        async type(text) {
          await page.evaluate(() => window.veldraPage.screen.focus());
          await typeKeys(page, text);
        },
        goto: (to) => page.goto(to),
        version: () => engine.browser.version(),
        screenshot: (path) => page.screenshot({ path }),
        close: () => page.close(),
      };
    },
  };
  return engine;
}

// A free port on 127.0.0.1.
const freePort = () =>
  new Promise((resolve) => {
    const server = createServer().listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });

const ELEMENT = 'element-6066-11e4-a52e-4f735466cecf';

function webkitEngine() {
  const engine = {
    name: 'webkit',
    async start() {
      const port = await freePort();
      engine.driver = spawn('WebKitWebDriver', [`--port=${port}`, '--host=127.0.0.1'], { stdio: 'ignore' });
      engine.url = `http://127.0.0.1:${port}`;
      await until(() => fetch(`${engine.url}/status`).then((r) => r.ok, () => false), 'WebKitWebDriver');
    },
    async call(method, path, body) {
      const response = await fetch(`${engine.url}${path}`, {
        method,
        headers: { 'Content-Type': 'application/json' },
        body: body === undefined ? undefined : JSON.stringify(body),
        signal: AbortSignal.timeout(60000),
      });
      const { value } = await response.json();
      if (!response.ok) throw new Error(`WebDriver ${path}: ${value.error}: ${value.message}`);
      return value;
    },
    async stop() {
      engine.driver?.kill();
    },
    async open(url) {
      const binary = fileURLToPath(new URL('webkit_browser.py', import.meta.url));
      const created = await engine.call('POST', '/session', {
        capabilities: { alwaysMatch: { 'webkitgtk:browserOptions': { binary, args: [] } } },
      });
      const session = `/session/${created.sessionId}`;
      const run = (fn, ...args) =>
        engine.call('POST', `${session}/execute/sync`, { script: `return (${fn}).apply(null, arguments);`, args });
      const goto = (to) => engine.call('POST', `${session}/url`, { url: to });
      await goto(url);
      return {
        run,
        waitFor: (fn, ...args) => until(() => run(fn, ...args), String(fn)),
        async type(text) {
          const found = await engine.call('POST', `${session}/element`, {
            using: 'css selector',
            value: '.xterm-helper-textarea',
          });
          // WebDriver's Enter key is U+E007.
          await engine.call('POST', `${session}/element/${found[ELEMENT]}/value`, { text: text.replaceAll('\n', '\uE007') });
        },
        goto,
        async screenshot(path) {
          writeFileSync(path, Buffer.from(await engine.call('GET', `${session}/screenshot`), 'base64'));
        },
        version: async () => `${created.capabilities.browserName} ${created.capabilities.browserVersion}`,
        close: () => engine.call('DELETE', session),
      };
    },
  };
  return engine;
}

// Chromium, Firefox ESR and WebKitGTK, each where this machine has it.
export const ENGINES = [
  puppeteerEngine('chromium', launchBrowser),
  puppeteerEngine('firefox', () =>
    puppeteer.launch({ browser: 'firefox', executablePath: process.env.FIREFOX ?? '/usr/bin/firefox-esr', headless: true }),
  ),
  webkitEngine(),
];

