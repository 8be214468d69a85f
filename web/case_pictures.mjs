// Saves the picture of each of the thirteen load cases for the user's guide
// (docs/anleitung.md): the page's own drawing of the case chosen and nothing
// typed yet, its sketch with the symbols L, a, x, xq and the load's, written
// as "Zeichnung speichern" writes it. CI makes them anew and compares them
// with the files in docs/faelle/.
//
//   node web/case_pictures.mjs <page folder> <folder for fall-<Nr>.svg>
//
// Needs web/'s development packages (puppeteer-core) and Debian's Chromium.

import { mkdirSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';

import { launchBrowser, servePage } from '../tests/web/page_driver.mjs';

const [folder, target] = process.argv.slice(2);
if (!folder || !target) {
  console.error('usage: node web/case_pictures.mjs <page folder> <folder for fall-<Nr>.svg>');
  process.exit(2);
}
mkdirSync(target, { recursive: true });

// Types `keys` and waits until the program waits for its next key: true
// where that is the end of a pause.
async function typeAndWait(page, keys) {
  const waits = await page.evaluate((k) => {
    window.veldraPage.run.type(k);
    return window.veldraPage.keyWaits;
  }, keys);
  await page.waitForFunction((w) => window.veldraPage.keyWaits > w && window.veldraPage.run.idle(), {}, waits);
  return page.evaluate(() => window.veldraPage.run.anyKey);
}

// The cases as the program's catalogue (key b) lists them, its pauses answered.
async function casesOf(page) {
  for (let paused = await typeAndWait(page, 'b'); paused; paused = await typeAndWait(page, ' '));
  const listed = await page.evaluate(() => window.veldraPage.run.outputText());
  return [...listed.matchAll(/Fall (\d+):/g)].map((m) => Number(m[1]));
}

const server = await servePage(folder);
const browser = await launchBrowser();
try {
  const first = await browser.newPage();
  await first.goto(server.url);
  await first.waitForFunction(() => window.veldraPage?.keyWaits > 0);
  const cases = await casesOf(first);
  await first.close();
  if (cases.length === 0) throw new Error('the catalogue (key b) lists no case');
  for (const nr of cases) {
    const page = await browser.newPage();
    // Wide enough that the drawing's labels take their usual size.
    await page.setViewport({ width: 1366, height: 900 });
    await page.goto(server.url);
    await page.waitForFunction(() => (window.veldraPage?.drawings ?? 0) > 0);
    await page.evaluate((keys) => window.veldraPage.run.type(keys), `n${nr}\n`);
    await page.waitForFunction(
      (n) => window.veldraPage.description?.case === n && window.veldraPage.run.idle() && !window.veldraPage.drawingPending,
      {},
      nr,
    );
    const svg = await page.evaluate(async () => {
      const { standaloneSvg } = await import('./downloads.js');
      return standaloneSvg(document.querySelector('#drawing svg'));
    });
    writeFileSync(join(target, `fall-${nr}.svg`), svg);
    await page.close();
  }
} finally {
  await browser.close();
  await server.close();
}
