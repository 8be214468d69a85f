// The page's start and its speed, this build against an earlier release's,
// measured in one run on one machine, taking turns: Lighthouse on a phone
// (performance and total blocking time, median of three), the menu shown
// after opening (desktop, median of seven fresh visits, or more), a key to its output
// (median of 100), the page's longest freeze while a 1 MB session is pasted
// (a 10 ms timer's longest gap, median of three), and what a first visit
// downloads (gzip -9, as a server compresses it). It prints both, their
// ratios and the machine, and judges nothing.
//
//   node bench/page_against_release.mjs [commit]
//
// VELDRA_BENCH_VISITS sets the fresh visits for the menu's time (7): the
// menu's figure varies by tens of milliseconds from one visit to the next.
//
// The release's page is built from `commit` in a git worktree under
// build/release-page/. By default that is the last release before this
// commit: the newest tag v<version> of an earlier commit (a release is
// tagged where it landed; the version in CMakeLists.txt moves while its
// work is still coming in), or, in a clone without tags, the commit that
// last changed that version. This build's page is VELDRA_PAGE (build/web/page).
// Needs what the page's build and its checks need: emscripten, Chromium, and
// web/'s development packages (npm ci in web/).

import { execFileSync } from 'node:child_process';
import { existsSync, mkdirSync } from 'node:fs';
import { createRequire } from 'node:module';
import { cpus, totalmem } from 'node:os';
import { join, resolve } from 'node:path';
import { gzipSync } from 'node:zlib';

import { launchBrowser, longestFreeze, servePage } from '../tests/web/page_driver.mjs';

const require = createRequire(new URL('../web/package.json', import.meta.url));
const top = resolve(new URL('..', import.meta.url).pathname);
const git = (...args) => execFileSync('git', ['-C', top, ...args], { encoding: 'utf8' }).trim();

const LIGHTHOUSE_RUNS = 3;
const VISITS = Number(process.env.VELDRA_BENCH_VISITS ?? 7);
const PASTES = 3;

// The page of `commit`, built once in a worktree of its own and kept there.
function releasePage(commit) {
  const hash = git('rev-parse', '--short=12', `${commit}^{commit}`);
  const tree = join(top, 'build', 'release-page', hash);
  if (!existsSync(tree)) {
    mkdirSync(join(top, 'build', 'release-page'), { recursive: true });
    git('worktree', 'add', '--detach', tree, hash);
  }
  const page = join(tree, 'build', 'web', 'page');
  if (!existsSync(join(page, 'veldra.wasm'))) {
    const quiet = { cwd: tree, stdio: ['ignore', 'ignore', 'inherit'] };
    execFileSync('cmake', ['--preset', 'web'], quiet);
    execFileSync('cmake', ['--build', '--preset', 'web'], quiet);
  }
  return { hash, page };
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

async function lighthouseRun(browser, url) {
  const { default: lighthouse } = await import(require.resolve('lighthouse'));
  const { lhr } = await lighthouse(url, {
    port: Number(new URL(browser.wsEndpoint()).port),
    logLevel: 'error',
    onlyCategories: ['performance'],
    formFactor: 'mobile',
  });
  return {
    performance: Math.round(lhr.categories.performance.score * 100),
    blocking: lhr.audits['total-blocking-time'].numericValue,
  };
}

// Runs `measure` on a page of its own context (no cache, no service worker)
// on a desktop screen; `before` comes between the new page and its opening.
async function onFreshPage(browser, url, measure, before = async () => {}) {
  const context = await browser.createBrowserContext();
  try {
    const page = await context.newPage();
    await before(page);
    await page.setViewport({ width: 1500, height: 1000 });
    await page.goto(url);
    return await measure(page);
  } finally {
    await context.close();
  }
}

// A fresh visit: the menu's time after opening, and what it downloaded.
async function visit(browser, url) {
  const sizes = [];
  return onFreshPage(
    browser,
    url,
    async (page) => {
      await page.waitForFunction(() => (window.veldraPage?.menuShownAt ?? null) !== null);
      const menu = await page.evaluate(() => window.veldraPage.menuShownAt);
      // What the menu does not need comes after it.
      await page.waitForNetworkIdle();
      return { menu, bytes: (await Promise.all(sizes)).reduce((a, b) => a + b, 0), files: sizes.length };
    },
    // A response without a body (a redirect) downloads nothing.
    async (page) =>
      page.on('response', (response) => {
        sizes.push(response.buffer().then((body) => gzipSync(body, { level: 9 }).length, () => 0));
      }),
  );
}

// From a key press to its output on the screen, for 100 keys (w and the
// key that ends its pause): the median.
async function keys(browser, url) {
  return onFreshPage(browser, url, async (page) => {
    await page.waitForFunction(() => window.veldraPage?.keyWaits > 0);
    await page.click('#terminal');
    const delays = [];
    for (let i = 0; i < 100; ++i) {
      await page.keyboard.type(i % 2 === 0 ? 'w' : ' ');
      delays.push(
        await page.evaluate(async () => {
          const p = window.veldraPage;
          while (p.lastOutputAt < p.lastKeyAt) await new Promise((r) => setTimeout(r, 1));
          return p.lastOutputAt - p.lastKeyAt;
        }),
      );
    }
    return median(delays);
  });
}

// The typical session, about 1 MB of it, pasted at once: the page's longest
// freeze until the run has ended.
const PASTE = (() => {
  const body = 'n2\nf10000\nl4000 210000 8.356e7\na1500\nx2000\nw g ';
  return body.repeat(Math.ceil(1_000_000 / body.length)) + 'q';
})();

async function paste(browser, url) {
  return onFreshPage(browser, url, async (page) => {
    await page.waitForFunction(() => window.veldraPage?.keyWaits > 0);
    return longestFreeze(page, PASTE, async () => {
      await page.evaluate(() => window.veldraPage.screen.paste(window.pasteInput));
      await page.waitForFunction(() => window.veldraPage.status !== null, { timeout: 600_000, polling: 100 });
    });
  });
}

function lastRelease() {
  try {
    return git('describe', '--tags', '--abbrev=0', '--match', 'v[0-9]*', 'HEAD^');
  } catch {
    return git('log', '-1', '--format=%H', '-G', '^project\\(veldra VERSION', '--', 'CMakeLists.txt');
  }
}

const commit = process.argv[2] ?? lastRelease();
const release = releasePage(commit);
const current = resolve(process.env.VELDRA_PAGE ?? join(top, 'build', 'web', 'page'));
const servers = { release: await servePage(release.page), current: await servePage(current) };
const figures = { release: {}, current: {} };
const add = (side, name, value) => (figures[side][name] ??= []).push(value);
const sides = ['release', 'current'];
let version = '';
// Lighthouse leaves its browser changed: the visits get one of their own.
let browser = await launchBrowser();
try {
  for (let run = 0; run < LIGHTHOUSE_RUNS; ++run) {
    for (const side of sides) {
      const { performance, blocking } = await lighthouseRun(browser, servers[side].url);
      add(side, 'performance', performance);
      add(side, 'blocking', blocking);
    }
  }
  await browser.close();
  browser = await launchBrowser();
  for (let run = 0; run < VISITS; ++run) {
    for (const side of sides) {
      const { menu, bytes, files } = await visit(browser, servers[side].url);
      add(side, 'menu', menu);
      add(side, 'bytes', bytes);
      add(side, 'files', files);
    }
  }
  for (const side of sides) add(side, 'key', await keys(browser, servers[side].url));
  for (let run = 0; run < PASTES; ++run) {
    for (const side of sides) add(side, 'freeze', await paste(browser, servers[side].url));
  }
  version = await browser.version();
} finally {
  await browser.close();
  for (const server of Object.values(servers)) await server.close();
}

// Each figure as its median, and every run's beside it.
const rows = [
  ['Lighthouse performance, phone', 'performance', (v) => `${v}`],
  ['total blocking time, phone', 'blocking', (v) => `${v.toFixed(0)} ms`],
  ['menu shown after opening, desktop', 'menu', (v) => `${v.toFixed(0)} ms`],
  ['a key to its output, median of 100, desktop', 'key', (v) => `${v.toFixed(1)} ms`],
  ['longest freeze, 1 MB pasted', 'freeze', (v) => `${v.toFixed(0)} ms`],
  ['first visit, gzip -9', 'bytes', (v) => `${(v / 1024).toFixed(1)} KiB`],
  ['first visit, files', 'files', (v) => `${v}`],
];
const shownAll = (values, shown) => {
  const middle = shown(median(values));
  return new Set(values).size === 1 ? middle : `${middle} (${values.map(shown).join(', ')})`;
};
console.log(`The page against the release ${/^[0-9a-f]{7,40}$/.test(commit) ? '' : `${commit} `}at ${release.hash}, measured in one run, taking turns`);
console.log(`machine: ${cpus().length} × ${cpus()[0].model}, ${Math.round(totalmem() / 2 ** 30)} GiB; ${version}`);
console.log('| median (every run) | release | this build | ratio |');
console.log('|---|---|---|---|');
for (const [what, key, shown] of rows) {
  const [before, now] = sides.map((side) => figures[side][key]);
  const ratio = median(before) === 0 ? '–' : (median(now) / median(before)).toFixed(2);
  console.log(`| ${what} | ${shownAll(before, shown)} | ${shownAll(now, shown)} | ${ratio} |`);
}
