// The page as an app on a phone: installable with its own icons, opened and
// run with no network after one visit, moved cleanly to a newly served
// release, and no service worker at all from a file. Served as a real server
// serves it: python3 -m http.server, which gives each file its type and date.

import assert from 'node:assert/strict';
import { spawn, spawnSync } from 'node:child_process';
import { cpSync, mkdtempSync, readFileSync, readdirSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { after, before, test } from 'node:test';
import { gzipSync } from 'node:zlib';

import { launchBrowser, typeKeys } from './page_driver.mjs';

const transcripts = JSON.parse(readFileSync(process.env.VELDRA_TRANSCRIPTS, 'utf8'));
const typical = transcripts.find((t) => t.name === 'typical_run_case_2');
const NEW_RELEASE = 'Eine neue Version ist geladen: sie gilt ab dem nächsten Start der Seite.';

// A copy of the page in a folder of its own, served by Python on 127.0.0.1:
// { url, folder, sent (the requests answered, as [path, status]), close() }.
async function serveCopy() {
  const folder = mkdtempSync(join(tmpdir(), 'veldra-served-'));
  cpSync(process.env.VELDRA_PAGE, folder, { recursive: true });
  // Port 0: the system gives a free one, which the server names once it listens.
  const server = spawn('python3', ['-u', '-m', 'http.server', '--bind', '127.0.0.1', '-d', folder, '0']);
  running.push(server);
  const sent = [];
  server.stderr.on('data', (data) => {
    for (const [, path, status] of String(data).matchAll(/"GET (\S+) HTTP\/[\d.]+" (\d+)/g)) sent.push([path, Number(status)]);
  });
  const port = await new Promise((resolve, reject) => {
    let said = '';
    server.stdout.on('data', (data) => {
      said += data;
      const listening = / port (\d+)/.exec(said);
      if (listening) resolve(Number(listening[1]));
    });
    server.on('exit', (code) => reject(new Error(`python3 -m http.server ended with ${code}: ${said}`)));
  });
  const url = `http://127.0.0.1:${port}/`;
  assert.ok(await fetch(url).then((r) => r.ok), 'python3 -m http.server answers');
  sent.length = 0;
  return { url, folder, sent, close: () => server.kill() };
}
// Every server started, stopped after the tests whatever they found.
const running = [];

let browser;
before(async () => {
  browser = await launchBrowser();
});
after(async () => {
  for (const server of running) server.kill();
  await browser.close();
});

// A page at a fresh address (each copy has a port of its own): its own
// caches and workers.
async function openFresh(url) {
  const page = await browser.newPage();
  page.errors = [];
  page.on('pageerror', (e) => page.errors.push(e.message));
  page.on('console', (m) => m.type() === 'error' && page.errors.push(m.text()));
  await page.goto(url);
  await page.waitForFunction(() => window.veldraPage?.keyWaits > 0);
  return page;
}

// Once the page's files are kept: the next load is the worker's to answer.
async function kept(page) {
  await page.waitForFunction(async () => (await navigator.serviceWorker.getRegistration())?.active?.state === 'activated');
  await page.reload();
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null && window.veldraPage?.keyWaits > 0);
}
const cacheNames = (page) => page.evaluate(() => caches.keys());
const cacheOf = (folder) => /const CACHE = '([^']+)'/.exec(readFileSync(join(folder, 'sw.js'), 'utf8'))[1];

// Until `check(arg)` holds in the page, across the page's loading anew (an
// evaluation that a navigation cuts off counts as not yet).
async function until(page, check, arg) {
  const pause = (ms, value) => new Promise((r) => setTimeout(() => r(value), ms));
  for (const start = Date.now(); Date.now() - start < 30000; await pause(100)) {
    const seen = await Promise.race([page.evaluate(check, arg).catch(() => false), pause(2000, false)]);
    if (seen === true) return;
  }
  const state = await page.evaluate(async () => {
    const r = await navigator.serviceWorker.getRegistration();
    return { waiting: !!r?.waiting, installing: !!r?.installing, active: r?.active?.state, controlled: !!navigator.serviceWorker.controller, same: navigator.serviceWorker.controller === r?.active, keyWaits: window.veldraPage?.keyWaits, release: getComputedStyle(document.documentElement).getPropertyValue('--release'), caches: await caches.keys(), vr: window.veldraRelease?.started };
  }).catch((e) => e.message);
  assert.fail(`never: ${check} ${JSON.stringify(state)}`);
}

async function runTypical(page) {
  await page.evaluate(() => window.veldraPage.screen.focus());
  await typeKeys(page, typical.input);
  await page.waitForFunction(() => window.veldraPage.status !== null);
  return page.evaluate(() => window.veldraPage.run.outputText());
}

test('installable: no installability error, and icons of the sizes they claim', async () => {
  const served = await serveCopy();
  const page = await openFresh(served.url);
  await kept(page);
  const cdp = await page.createCDPSession();
  const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
  assert.deepEqual(installabilityErrors, []);
  const manifest = await page.evaluate(async () => {
    const response = await fetch(document.querySelector('link[rel="manifest"]').href);
    return { type: response.headers.get('Content-Type'), ...(await response.json()) };
  });
  assert.equal(manifest.type, 'application/manifest+json');
  assert.equal(manifest.lang, 'de');
  assert.equal(manifest.display, 'standalone');
  const icons = [...manifest.icons, { src: 'apple-touch-icon.png', sizes: '180x180' }, { src: 'favicon.png', sizes: '32x32' }];
  for (const icon of icons) {
    const size = await page.evaluate(async (src) => {
      const image = new Image();
      image.src = src;
      await image.decode();
      return `${image.naturalWidth}x${image.naturalHeight}`;
    }, icon.src);
    if (icon.sizes !== 'any') assert.equal(size, icon.sizes, icon.src);
  }
  assert.ok(manifest.icons.some((i) => i.purpose === 'maskable'), 'a maskable icon');
  assert.deepEqual(page.errors, []);
  served.close();
});

// The budget: 183.6 KiB before the user's guide (14 KiB) and the
// section aid (13 KiB, most of it in the WebAssembly) came.
test('a first visit fetches each file once, under 225 KiB compressed, service worker and all', async () => {
  const served = await serveCopy();
  const page = await openFresh(served.url);
  await kept(page);
  const bodies = served.sent.filter(([, status]) => status === 200).map(([path]) => path);
  // The tab's icon and the manifest the browser fetches on its own schedule,
  // now and then after the worker has asked for them (under a kilobyte).
  const own = ['/icon.svg', '/manifest.webmanifest'];
  const twice = bodies.filter((path, k) => bodies.indexOf(path) !== k && !own.includes(path));
  assert.deepEqual(twice, [], 'fetched twice');
  const files = readdirSync(served.folder).filter((f) => !bodies.includes(`/${f}`) && f !== 'index.html');
  assert.deepEqual(files.filter((f) => !f.endsWith('.png')), [], 'what the page needs is fetched');
  const total = bodies.reduce((sum, path) => {
    const file = join(served.folder, path === '/' ? 'index.html' : path.slice(1));
    return sum + gzipSync(readFileSync(file), { level: 9 }).length;
  }, 0);
  console.log(`# a first visit: ${bodies.length} files, ${(total / 1024).toFixed(1)} KiB gzipped; not fetched: ${files.join(' ')}`);
  assert.ok(total < 225 * 1024, `${total} bytes`);
  await page.close();
  served.close();
});

test('offline after one visit: the typical session, and a link opened offline', async () => {
  const served = await serveCopy();
  const page = await openFresh(served.url);
  await kept(page);
  const online = await runTypical(page);
  assert.equal(online, typical.expected);
  const link = await page.evaluate(() => location.href);
  assert.match(link, /#eingabe=/);

  await page.setOfflineMode(true);
  await page.goto(served.url);
  await page.waitForFunction(() => window.veldraPage?.keyWaits > 0);
  assert.equal(await runTypical(page), typical.expected);
  // Everything the page loaded is in the worker's cache, not only in the
  // browser's, which may forget it.
  const missing = await page.evaluate(async () => {
    const loaded = performance.getEntriesByType('resource').map((e) => e.name);
    const found = await Promise.all(loaded.map((url) => caches.match(url, { ignoreSearch: true })));
    return loaded.filter((url, k) => url.startsWith(location.origin) && !found[k]);
  });
  assert.deepEqual(missing, []);
  await page.goto('about:blank');
  await page.goto(link);
  await page.waitForFunction(() => window.veldraPage?.status === 113);
  assert.equal(await page.evaluate(() => window.veldraPage.run.outputText()), online);
  assert.deepEqual(page.errors.filter((e) => !e.includes('net::ERR_INTERNET_DISCONNECTED')), []);
  served.close();
});

test('a new release: taken in, said once, running within two reloads, its cache the only one', async () => {
  const served = await serveCopy();
  const page = await browser.newPage();
  page.errors = [];
  page.on('pageerror', (e) => page.errors.push(e.message));
  page.on('console', (m) => m.type() === 'error' && page.errors.push(m.text()));
  // Every text of the status line, by the load of the page that showed it
  // and the release that load ran.
  const said = [];
  await page.exposeFunction('statusSaid', (entry) => said.push(entry));
  await page.evaluateOnNewDocument(() => {
    addEventListener('DOMContentLoaded', () => {
      const status = document.getElementById('status');
      const release = () => getComputedStyle(document.documentElement).getPropertyValue('--release').trim();
      new MutationObserver(() => window.statusSaid({ load: performance.timeOrigin, text: status.textContent, release: release() })).observe(status, { childList: true });
    });
  });
  await page.goto(served.url);
  await page.waitForFunction(() => window.veldraPage?.keyWaits > 0);
  await kept(page);
  const first = cacheOf(served.folder);
  assert.deepEqual(await cacheNames(page), [first]);

  // Release B: one file changed, its worker written anew.
  writeFileSync(join(served.folder, 'style.css'), `${readFileSync(join(served.folder, 'style.css'))}\n:root { --release: "B"; }\n`);
  const files = JSON.parse(/const FILES = (.*);/.exec(readFileSync(join(served.folder, 'sw.js'), 'utf8'))[1]);
  const made = spawnSync('node', [
    resolve('web/offline_cache.mjs'),
    served.folder,
    '1.3.0',
    ...files.map((f) => (f === './' ? 'index.html' : f)),
  ]);
  assert.equal(made.status, 0, String(made.stderr));
  const second = cacheOf(served.folder);
  assert.notEqual(second, first);

  // Whether the page's own look or the browser's finds B first, and before
  // or after this start, a load that runs A says so once B waits, and goes
  // on under A; a load that starts while B waits hands over to it.
  const release = () => getComputedStyle(document.documentElement).getPropertyValue('--release').trim();
  await page.reload();
  await until(page, () => window.veldraPage?.keyWaits > 0);
  if ((await page.evaluate(release)) === '') {
    await page.waitForFunction((text) => document.getElementById('status').textContent === text, {}, NEW_RELEASE).catch(() => {
      assert.fail(`the page never said the new release was taken in: ${said.map((s) => s.text).join(' | ')}`);
    });
    await page.reload();
  }
  // The page loads once more on its own, under release B.
  await until(page, (r) => window.veldraPage?.keyWaits > 0 && getComputedStyle(document.documentElement).getPropertyValue('--release').trim() === r, '"B"');
  await page.waitForFunction(() => navigator.serviceWorker.controller?.state === 'activated');
  assert.deepEqual(await cacheNames(page), [second]);
  const news = said.filter((s) => s.text === NEW_RELEASE);
  assert.ok(news.length > 0, 'said');
  assert.ok(news.every((s) => s.release === ''), 'said under release A, which runs on');
  assert.equal(new Set(news.map((s) => s.load)).size, news.length, 'said once in a load');
  assert.deepEqual(page.errors, []);
  served.close();
});

test('opened from file://: no service worker, no error', async () => {
  const page = await browser.newPage();
  await page.evaluateOnNewDocument(() => {
    window.registered = 0;
    const workers = navigator.serviceWorker;
    if (workers) workers.register = () => ((window.registered += 1), Promise.reject(new Error('registered')));
  });
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  page.on('console', (m) => m.type() === 'error' && errors.push(m.text()));
  await page.goto(`file://${resolve(process.env.VELDRA_ONE_FILE)}`);
  await page.waitForFunction(() => window.veldraPage?.keyWaits > 0);
  await typeKeys(page, 'w');
  assert.equal(await page.evaluate(() => window.registered), 0);
  assert.deepEqual(errors, []);
  await page.close();
});
