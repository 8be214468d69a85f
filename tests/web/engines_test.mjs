// The page in every browser engine it claims: Chromium, Firefox ESR and
// WebKitGTK (Safari's engine). In each, the typical session typed key by key
// gives byte for byte the native program's output; the drawing shows case 2
// with its marks; the link replays the run in a fresh page; the saved input
// is what the program read; and veldra.html runs from file://.

import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { mkdirSync, readFileSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { after, before, describe, test } from 'node:test';

import { ENGINES } from './engines.mjs';
import { servePage } from './page_driver.mjs';

const transcripts = JSON.parse(readFileSync(process.env.VELDRA_TRANSCRIPTS, 'utf8'));
const typical = transcripts.find((t) => t.name === 'typical_run_case_2');
// The native program's output for the typical input, as the page must print it.
const native = spawnSync(process.env.VELDRA_NATIVE, { input: typical.input });
const oneFile = `file://${resolve(process.env.VELDRA_ONE_FILE)}`;
const screenshots = process.env.VELDRA_SCREENSHOTS ?? 'build/web/screenshots';
mkdirSync(screenshots, { recursive: true });

const started = () => window.veldraPage?.keyWaits > 0;
const output = () => window.veldraPage.run.outputText();
const ended = () => window.veldraPage.status !== null;

// The files the page offers are caught as it offers them: name and text.
function catchFiles() {
  window.offered = [];
  HTMLAnchorElement.prototype.click = function click() {
    const name = this.download;
    fetch(this.href)
      .then((r) => r.text())
      .then((text) => window.offered.push({ name, text }));
  };
}

// The drawing as shown: its case and the roles of its marks.
const drawn = () => {
  const svg = document.querySelector('#drawing svg');
  return {
    case: svg?.dataset.case,
    marks: [...(svg?.querySelectorAll('[data-role^="marker-"]') ?? [])].map((g) => g.dataset.role).sort(),
  };
};

let server;
before(async () => {
  server = await servePage(process.env.VELDRA_PAGE);
});
after(() => server.close());

test('the native program gives the typical output', () => {
  assert.equal(native.status, 113);
  assert.equal(native.stdout.toString(), typical.expected);
});

for (const engine of ENGINES) {
  describe(engine.name, () => {
    before(() => engine.start());
    after(() => engine.stop());

    test('the typical session, the drawing, the link and the saved input', async () => {
      const tab = await engine.open(server.url);
      // The engine and version that ran, for the README's table.
      console.log(`# ${engine.name}: ${await tab.version()}`);
      await tab.waitFor(started);
      const [beforePause, rest] = [typical.input.slice(0, -2), typical.input.slice(-2)];
      await tab.type(beforePause);
      await tab.waitFor(() => window.veldraPage.run.outputText().endsWith('weiter mit bel.Taste..'));
      await tab.waitFor(() => window.veldraPage.run.idle() && !window.veldraPage.drawingPending);
      assert.deepEqual(await tab.run(drawn), { case: '2', marks: ['marker-f', 'marker-x', 'marker-xm'] });
      await tab.screenshot(join(screenshots, `engine_${engine.name}.png`));
      await tab.type(rest);
      await tab.waitFor(ended);
      assert.equal(await tab.run(output), native.stdout.toString());
      assert.equal(await tab.run(() => window.veldraPage.status), 113);

      await tab.run(catchFiles);
      await tab.run(() => document.getElementById('save-input').click());
      await tab.waitFor(() => window.offered.length === 1);
      const [saved] = await tab.run(() => window.offered);
      assert.equal(saved.text, typical.input);

      // The address holds the run: opened afresh, it replays it.
      const link = await tab.run(() => location.href);
      assert.match(link, /#eingabe=/);
      await tab.goto('about:blank');
      await tab.goto(link);
      await tab.waitFor(started);
      await tab.waitFor(ended);
      assert.equal(await tab.run(output), native.stdout.toString());
      await tab.close();
    });

    test('veldra.html from file://', async () => {
      const tab = await engine.open(oneFile);
      await tab.waitFor(started);
      assert.equal(await tab.run(() => location.protocol), 'file:');
      await tab.type(typical.input);
      await tab.waitFor(ended);
      assert.equal(await tab.run(output), native.stdout.toString());
      await tab.close();
    });
  });
}
