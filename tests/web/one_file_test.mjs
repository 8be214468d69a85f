// veldra.html, the page in one file, opened as a file with the network off:
// the whole dialogue, the drawing, the printout and saving, and nothing
// fetched. Its sizes are reported and bounded.
//
//   VELDRA_ONE_FILE=build/web/veldra.html (skipped without it)

import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { resolve } from 'node:path';
import { after, before, test } from 'node:test';
import { gzipSync } from 'node:zlib';

import { download, launchBrowser, outputOf, runEnded, typeKeys } from './page_driver.mjs';

const file = process.env.VELDRA_ONE_FILE;
const transcripts = process.env.VELDRA_TRANSCRIPTS ? JSON.parse(readFileSync(process.env.VELDRA_TRANSCRIPTS, 'utf8')) : [];
const skip = file ? false : 'VELDRA_ONE_FILE names no veldra.html';

let browser;
before(async () => {
  if (!skip) browser = await launchBrowser();
});
after(async () => browser?.close());

test('its size', { skip }, () => {
  const bytes = readFileSync(file);
  const packed = gzipSync(bytes, { level: 9 }).length;
  console.log(`veldra.html: ${bytes.length} bytes, ${packed} bytes gzipped (${(packed / 1024).toFixed(1)} KiB)`);
  assert.ok(bytes.length < 600_000);
  assert.ok(packed < 200 * 1024);
});

test('opened as a file, offline: the typical run, its drawing, printout and saved input', { skip }, async () => {
  const t = transcripts.find((s) => s.name === 'typical_run_case_2');
  assert.ok(t, 'VELDRA_TRANSCRIPTS holds the typical run');
  const page = await browser.newPage();
  const errors = [];
  const fetched = [];
  page.on('pageerror', (e) => errors.push(e.message));
  page.on('request', (r) => fetched.push(r.url()));
  await page.setOfflineMode(true);
  await page.setViewport({ width: 1366, height: 900 });
  await page.goto(`file://${resolve(file)}`);
  await page.waitForFunction(() => window.veldraPage?.keyWaits > 0);
  await page.click('#terminal');
  // Up to the report, then the printout and the saved input, then the end.
  const before = t.input.slice(0, t.input.lastIndexOf('q'));
  await typeKeys(page, before);
  await page.waitForFunction(() => window.veldraPage.run.idle() && !window.veldraPage.drawingPending);
  assert.equal(await page.$eval('#drawing svg', (svg) => svg.dataset.case), '2');
  const pdf = await page.pdf({ format: 'A4' });
  const text = spawnSync('pdftotext', ['-layout', '-', '-'], { input: pdf }).stdout.toString();
  assert.match(text, /^fm {4}= 0\.698980$/m);

  assert.equal((await download(page, '#save-input', 'eingabe.txt')).toString('latin1'), before);

  await page.click('#terminal');
  await typeKeys(page, t.input.slice(before.length));
  await runEnded(page);
  assert.equal(await outputOf(page), t.expected);
  assert.deepEqual(errors, []);
  const elsewhere = fetched.filter((url) => !/^(file|blob|data):/.test(url));
  assert.deepEqual(elsewhere, []);
  await page.close();
});
