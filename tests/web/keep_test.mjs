// Keeping and sharing a calculation: the saved input replays on the native
// program to what the page's program printed, the saved output is the
// session as the screen shows it, the link opens the same screen in another
// tab, the printout is one A4 page with the report as printed, the drawing
// saves as an SVG that shows the same without the page, and a bad link is
// named and never runs anything but the program.

import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { mkdirSync, mkdtempSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { describe, test } from 'node:test';

import { download, openPage, outputOf, pageUnderTest } from './page_driver.mjs';

const chromium = pageUnderTest();
const native = (input) => spawnSync(process.env.VELDRA_NATIVE, [], { input });
const screenshots = process.env.VELDRA_SCREENSHOTS ?? 'build/web/screenshots';
mkdirSync(screenshots, { recursive: true });

// Types `keys` as a person would: Backspace, Ctrl-U and Ctrl-D among them.
async function typeSession(page, keys) {
  const control = { '\b': 'Backspace', '\n': 'Enter' };
  for (const ch of keys) {
    if (control[ch]) await page.keyboard.press(control[ch]);
    else if (ch === '\x15' || ch === '\x04') {
      await page.keyboard.down('Control');
      await page.keyboard.press(ch === '\x15' ? 'KeyU' : 'KeyD');
      await page.keyboard.up('Control');
    } else await page.keyboard.type(ch);
  }
}

const settled = async (page) => {
  await page.waitForFunction(() => window.veldraPage.run.ended || (window.veldraPage.run.idle() && !window.veldraPage.drawingPending));
  // The address follows the key waits a quarter of a second late.
  await new Promise((r) => setTimeout(r, 400));
};

const sessions = [
  {
    name: 'typed, with Backspace and Ctrl-U',
    keys: 'n2\nf1000\b\b00\nl4000 21\x154000 210000 8.356e7\na1500\nx2000\nw g q',
    typed: true,
  },
  { name: 'pasted whole', keys: 'n11\nf-5\nl3000 210000 2e7\na800\nx1000 3500\ng ', typed: false },
  {
    name: 'Ctrl-D keeps a value and hands digits over',
    keys: 'n4\nf12\nf\x04l3000\x04\x04210000\n8e7\nx1500\nw g ',
    typed: true,
  },
];

describe('saved input, saved output and the link', () => {
  for (const s of sessions) {
    test(s.name, async () => {
      const page = await chromium.open(1366, 900);
      await page.click('#terminal');
      if (s.typed) await typeSession(page, s.keys);
      else await page.evaluate((text) => window.veldraPage.screen.paste(text), s.keys);
      await settled(page);
      const input = await download(page, '#save-input', 'eingabe.txt');
      const saved = await download(page, '#save-output', 'ausgabe.txt');
      const output = await outputOf(page);
      assert.match(output, /Ergebnisse Biegefall/);
      const replayed = native(input);
      assert.equal(replayed.status, 113);
      assert.equal(replayed.stdout.toString('latin1'), output);
      // The saved output: the screen's lines, the typed values in place.
      const screen = (p) => p.evaluate(() => {
        const b = window.veldraPage.screen.buffer.active;
        const lines = Array.from({ length: b.length }, (_, i) => b.getLine(i).translateToString(true));
        while (lines.at(-1) === '') lines.pop();
        return lines.join('\n');
      });
      assert.equal(saved.toString('latin1').replace(/\n$/, ''), await screen(page));

      // The link, in a second tab beside the first: the same output and screen.
      const link = page.url();
      assert.match(link, /#eingabe=[A-Za-z0-9_-]+$/);
      const again = await openPage(chromium.browser, link, 1366, 900);
      await settled(again);
      assert.equal(await outputOf(again), output);
      assert.equal(await screen(again), await screen(page));
      assert.equal(again.url(), link);
      // "Link kopieren" gives the same link; a reload keeps the calculation.
      // (Headless Chromium's clipboard waits for a focused window: the test
      // takes what the page hands to it.)
      await page.bringToFront();
      await page.evaluate(() => {
        navigator.clipboard.writeText = async (text) => {
          window.copied = text;
        };
      });
      await page.click('#copy-link');
      assert.equal(await page.evaluate(() => window.copied), link);
      await again.bringToFront();
      await again.reload();
      await again.waitForFunction(() => window.veldraPage?.keyWaits > 0);
      await settled(again);
      assert.equal(await outputOf(again), output);
      assert.deepEqual([...page.errors, ...again.errors], []);
      await again.close();
      await page.close();
    });
  }

  test('saving before anything is typed gives empty files', async () => {
    const page = await chromium.open(1366, 900);
    assert.equal((await download(page, '#save-input', 'eingabe.txt')).length, 0);
    assert.equal(page.url().includes('#'), false);
    await page.close();
  });
});

const base64url = (text) => Buffer.from(text, 'latin1').toString('base64url');
const firstMenu = native('').stdout.toString('latin1');

describe('a link that cannot be used is named, and the run starts fresh', () => {
  const bad = [
    { name: 'corrupt', fragment: '#eingabe=n2@@', note: /beschädigt/ },
    { name: 'cut within a byte', fragment: '#eingabe=bjIKZ', note: /beschädigt/ },
    { name: 'too long', fragment: `#eingabe=${base64url('w '.repeat(2100))}`, note: /mehr als 4096 Bytes/ },
    { name: 'not the calculator\'s', fragment: '#abschnitt-2', note: /keine Eingabe/ },
  ];
  for (const b of bad) {
    test(b.name, async () => {
      const page = await openPage(chromium.browser, chromium.url + b.fragment, 1366, 900);
      await settled(page);
      assert.match(await page.$eval('#status', (e) => e.textContent), b.note);
      assert.equal(await outputOf(page), firstMenu);
      assert.equal(new URL(page.url()).hash, '');
      assert.deepEqual(page.errors, []);
      await page.close();
    });
  }

  test('a run that outgrows a link says so', async () => {
    const page = await chromium.open(1366, 900);
    await page.evaluate((text) => window.veldraPage.screen.paste(text), 'w '.repeat(2100));
    await settled(page);
    assert.match(await page.$eval('#status', (e) => e.textContent), /länger als 4096 Bytes/);
    assert.equal(new URL(page.url()).hash, '');
    await page.close();
  });

  test('control bytes in a link are only typed into the program', async () => {
    const bytes = '\x1b]0;gehackt\x07\x1b[2J\x00n2\n\x1b[31mf5\n<img src=x onerror=alert(1)>w \n';
    const page = await openPage(chromium.browser, `${chromium.url}#eingabe=${base64url(bytes)}`, 1366, 900);
    await settled(page);
    assert.equal(await outputOf(page), native(Buffer.from(bytes, 'latin1')).stdout.toString('latin1'));
    assert.equal(await page.title(), 'VELDRA – Durchbiegung gerader Träger');
    assert.equal(await page.$('img[src="x"]'), null);
    assert.deepEqual(page.errors, []);
    await page.close();
  });
});

// The lines of the last report, as the native program prints them.
function reportLines(input) {
  const out = native(input).stdout.toString('latin1');
  const from = out.lastIndexOf('Ergebnisse Biegefall');
  return out.slice(from, out.indexOf('weiter mit bel.Taste..', from)).split('\n').filter((l) => l !== '');
}

function pdfText(pdf, name) {
  const file = join(screenshots, `${name}.pdf`);
  writeFileSync(file, pdf);
  spawnSync('pdftoppm', ['-r', '50', '-png', '-singlefile', file, join(screenshots, name)]);
  const pages = /Pages:\s+(\d+)/.exec(spawnSync('pdfinfo', [file]).stdout.toString())[1];
  return { pages: Number(pages), text: spawnSync('pdftotext', ['-layout', file, '-']).stdout.toString() };
}

describe('the printout', () => {
  const prints = [
    { name: 'print-typical', keys: 'n2\nf10000\nl4000 210000 8.356e7\na1500\nx2000\ng ', words: ['Biegefall 2: Lager bei A u. B, Kraft aussermittig'] },
    { name: 'print-overhang-long-link', keys: `${'f1\n'.repeat(300)}n12\nf-5\nl3000 210000 2e7\na800\nx1000 3500\ng `, words: ['Biegefall 12', 'für den Ausdruck zu lang'] },
    { name: 'print-changed-after-report', keys: 'n2\nf10000\nl4000 210000 8.356e7\na1500\nx2000\ng f20000\n', words: ['F/M/q/q2 = 20000.000000', 'nach diesem Ergebnis geändert'] },
    { name: 'print-nothing-chosen', keys: '', words: ['Noch kein Biegefall gewählt', 'Noch kein Ergebnis'] },
  ];
  for (const p of prints) {
    test(p.name, async () => {
      const page = await chromium.open(1366, 900);
      await page.evaluate((text) => window.veldraPage.screen.paste(text), p.keys);
      await settled(page);
      const { pages, text } = pdfText(await page.pdf({ format: 'A4' }), p.name);
      assert.equal(pages, 1);
      const lines = p.keys === '' ? [] : reportLines(p.keys);
      assert.ok(p.keys === '' || lines.length >= 6);
      for (const line of [...lines, 'Laenge L = ', ...p.words]) assert.ok(text.includes(line), `the printout lacks "${line}"`);
      // No terminal, no keys: the menu and the buttons stay off the paper.
      for (const absent of ['Biegelinie,i Info', 'Eingabe speichern', 'Neu starten']) assert.ok(!text.includes(absent), absent);
      await page.close();
    });
  }
});

test('the saved drawing shows the same without the page', async () => {
  const page = await chromium.open(1366, 900);
  // A line load: its area is filled with a translucent colour.
  await page.evaluate(() => window.veldraPage.screen.paste('n12\nf-5\nl3000 210000 2e7\na800\nx1000 3500\ng '));
  await settled(page);
  const svg = await download(page, '#save-drawing', 'biegefall-12.svg');
  const file = join(mkdtempSync(join(tmpdir(), 'veldra-svg-')), 'biegefall-12.svg');
  writeFileSync(file, svg);
  const look = (p, root) =>
    p.evaluate((selector) => {
      const curve = document.querySelector(`${selector} .curve`);
      const box = curve.getBBox();
      return { stroke: getComputedStyle(curve).stroke, width: getComputedStyle(curve).strokeWidth, box: [box.x, box.y, box.width, box.height].map(Math.round) };
    }, root);
  const alone = await chromium.browser.newPage();
  await alone.goto(`file://${file}`);
  assert.equal(await alone.evaluate(() => document.documentElement.localName), 'svg');
  assert.deepEqual(await look(alone, 'svg'), await look(page, '#drawing svg'));
  // Inkscape paints an rgba() colour black; librsvg reads the file without a
  // browser's CSS.
  assert.doesNotMatch(svg.toString(), /rgba\(/);
  const rendered = spawnSync('rsvg-convert', ['-o', join(screenshots, 'saved-drawing.png'), file]);
  assert.equal(rendered.status, 0, rendered.stderr?.toString());
  await alone.close();
  await page.close();
});
