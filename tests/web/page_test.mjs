// The calculator in the browser page, driven in Debian's Chromium as a user
// would drive it: every transcript typed key by key, one pasted whole, the
// screen read back, and what a first visit downloads.
//
//   VELDRA_PAGE=build/web/page VELDRA_TRANSCRIPTS=transcripts.json \
//     node --test tests/web/
//
// VELDRA_TRANSCRIPTS is what build/ci-gcc/tests/veldra_transcripts writes;
// VELDRA_SCREENSHOTS (default build/web/screenshots) receives the pictures.

import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import { mkdirSync, readFileSync } from 'node:fs';
import { join } from 'node:path';
import { describe, test } from 'node:test';
import { gzipSync } from 'node:zlib';

import {
  awaitOutputEnding,
  longestFreeze,
  pageUnderTest,
  outputOf,
  runEnded,
  statusOf,
  typeKeys,
} from './page_driver.mjs';

const transcripts = JSON.parse(readFileSync(process.env.VELDRA_TRANSCRIPTS, 'utf8'));
const screenshots = process.env.VELDRA_SCREENSHOTS ?? 'build/web/screenshots';
mkdirSync(screenshots, { recursive: true });

// A page has no end of input: its terminal, like any terminal, waits for the
// next key. The sessions that end by running out of a pipe's bytes stay with
// the native checks.
const needsEndOfInput = (t) => t.name.startsWith('end_of_input');
const typeable = transcripts.filter((t) => !needsEndOfInput(t));

const chromium = pageUnderTest();

const open = () => chromium.open();

// The terminal's screen and scrollback as lines, without trailing blanks.
const screenLines = (page) =>
  page.evaluate(() => {
    const buffer = window.veldraPage.screen.buffer.active;
    const lines = [];
    for (let i = 0; i < buffer.length; ++i) lines.push(buffer.getLine(i).translateToString(true));
    while (lines.length > 0 && lines.at(-1) === '') lines.pop();
    return lines;
  });

describe('every transcript, typed key by key', () => {
  for (const t of typeable) {
    test(t.name, async () => {
      const page = await open();
      await page.click('#terminal');
      await typeKeys(page, t.input);
      await runEnded(page);
      assert.equal(await outputOf(page), t.expected);
      assert.equal(await statusOf(page), 113);
      assert.deepEqual(page.errors, []);
      await page.close();
    });
  }
});

test('a whole session pasted at once runs as it does through a pipe', async () => {
  const t = transcripts.find((s) => s.name === 'typical_run_case_2');
  assert.ok(t, 'the typical run is among the transcripts');
  const page = await open();
  await page.evaluate((input) => window.veldraPage.screen.paste(input), t.input);
  await runEnded(page);
  assert.equal(await outputOf(page), t.expected);
  assert.equal(await statusOf(page), 113);
  await page.close();
});

test('function and cursor keys deliver their escape codes, a key each', async () => {
  const page = await open();
  await page.click('#terminal');
  await page.keyboard.press('F1'); // ESC O P
  await page.keyboard.press('ArrowUp'); // ESC [ A
  await typeKeys(page, 'q');
  await runEnded(page);
  const menu = transcripts.find((s) => s.name === 'end_of_input_at_start').expected;
  assert.equal(await outputOf(page), menu.repeat(7));
  await page.close();
});

test('the command buttons type their keys, and "Weiter" goes on at a pause', async () => {
  const page = await open();
  await page.click('#keys button[data-key="w"]');
  await page.waitForSelector('#go-on[data-active="true"]');
  assert.equal(await page.$eval('#keys', (e) => e.dataset.active), 'false', 'no command that the pause would take');
  await page.click('#go-on button');
  await page.waitForSelector('#keys[data-active="true"]');
  await page.click('#keys button[data-key="q"]');
  await runEnded(page);
  const t = transcripts.find((s) => s.name === 'w_at_start_shows_zeros');
  assert.equal(await outputOf(page), t.expected);
  assert.match(await page.$eval('#status', (e) => e.textContent), /Rechnung ist beendet.*Neu starten/);
  assert.equal(await page.$eval('#restart', (e) => e.hidden), false);
  await page.close();
});

describe('the screen shows what the program printed', () => {
  // Sessions without number entry: the screen is the output, line for line.
  for (const name of ['w_at_start_shows_zeros', 'b_pages_with_three_waits', 'i_shows_banner_and_waits']) {
    test(name, async () => {
      const t = transcripts.find((s) => s.name === name);
      const page = await open();
      await page.click('#terminal');
      await typeKeys(page, t.input);
      await runEnded(page);
      assert.deepEqual(await screenLines(page), t.expected.replace(/\n$/, '').split('\n'));
      await page.close();
    });
  }

  test('the typical run, with the typed numbers echoed', async () => {
    const t = transcripts.find((s) => s.name === 'typical_run_case_2');
    const page = await open();
    await page.click('#terminal');
    await typeKeys(page, t.input.replace(/ q$/, ''));
    await awaitOutputEnding(page, 'weiter mit bel.Taste..');
    await page.waitForFunction(() => performance.now() - window.veldraPage.lastOutputAt > 100);
    const lines = await screenLines(page);
    for (const echoed of [
      'Nr= 2',
      'F/M/q/q1/q2= 10000',
      'L = 4000 210000 8.356e7',
      'a= 1500',
      'x= 2000',
      'Ergebnisse Biegefall 2',
      'f     = 0.667826',
      'fm    = 0.698980',
      'xm    = 1859.127904',
      'alphaA= 0.000579',
      'alphaB= 0.000490',
      'wII(x=2000.000000)= 0.694539',
      'weiter mit bel.Taste..',
    ]) {
      assert.ok(lines.includes(echoed), `the screen shows "${echoed}": ${JSON.stringify(lines.slice(-30))}`);
    }
    await page.screenshot({ path: join(screenshots, 'case_2.png') });
    await page.close();
  });
});

// The section aid: units N and mm, S235, IPE 300, its E and Iy typed at the
// prompts by a click, and the typical session prints byte for byte what
// typing 210000 and 8.356e7 prints; the drawing names the units. (By taps on
// a phone: reach_test.mjs.)
describe('E and Iy from the section aid', () => {
  for (const [name, width, height] of [['clicked', 1366, 657]]) {
    test(name, async () => {
      const t = transcripts.find((s) => s.name === 'typical_run_case_2');
      const page = await chromium.browser.newPage();
      await page.setViewport({ width, height });
      await page.goto(chromium.url);
      await page.waitForFunction(() => (window.veldraPage?.drawings ?? 0) > 0);
      const press = async (selector) => (await page.waitForSelector(selector)).click();
      await press('#aid summary');
      await page.select('[data-aid="units"]', '0');
      await page.select('[data-aid="material"]', '0');
      await page.select('[data-aid="section"]', 'family:IPE');
      const ipe300 = await page.$eval('[data-aid="size"]', (s) => [...s.options].find((o) => o.text === 'IPE 300').value);
      await page.select('[data-aid="size"]', ipe300);
      await page.focus('#terminal textarea');
      await typeKeys(page, 'n2\nf10000\nl4000\n');
      await press('[data-aid="type-e"]:not([disabled])');
      await press('[data-aid="type-i"]:not([disabled])');
      await page.focus('#terminal textarea');
      await typeKeys(page, t.input.slice(t.input.indexOf('a1500')));
      await runEnded(page);
      assert.equal(await outputOf(page), t.expected);
      const input = await page.evaluate(() => new TextDecoder().decode(window.veldraPage.record.forPipe()));
      assert.match(input, /^n2\nf10000\nl4000\n210000\n83560000\na1500/);
      await page.click('#restart');
      await page.waitForFunction(() => window.veldraPage.status === null && window.veldraPage.keyWaits > 0);
      await page.focus('#terminal textarea');
      await typeKeys(page, 'n2\nf10000\nl4000 210000 83560000\n');
      await page.waitForFunction(() => (window.veldraPage.description?.dimensions ?? []).some((d) => d.label === 'L = 4000 mm'));
      const labels = await page.$eval('#drawing svg', (svg) => [...svg.querySelectorAll('text')].map((e) => e.textContent));
      assert.ok(labels.includes('L = 4000 mm') && labels.includes('F = 10000 N'), labels.join(' | '));
      await page.close();
    });
  }
});

test('Backspace edits a number and Ctrl-D keeps the old value', async () => {
  const page = await open();
  await page.click('#terminal');
  await typeKeys(page, 'f129');
  await page.keyboard.press('Backspace');
  await typeKeys(page, '.5\n');
  await typeKeys(page, 'a');
  await page.keyboard.down('Control');
  await page.keyboard.press('KeyD');
  await page.keyboard.up('Control');
  await typeKeys(page, 'w q');
  await runEnded(page);
  const output = await outputOf(page);
  assert.match(output, /F\/M\/q\/q2 = 12\.500000\n/);
  assert.match(output, /Abstand a= 0\.000000\n/);
  assert.ok((await screenLines(page)).includes('F/M/q/q1/q2= 12.5'));
  await page.close();
});

test('a new run starts after q', async () => {
  const page = await open();
  await page.click('#terminal');
  await typeKeys(page, 'q');
  await runEnded(page);
  await page.click('#restart');
  await page.waitForFunction(() => window.veldraPage.status === null && window.veldraPage.keyWaits > 0);
  await page.click('#terminal');
  await typeKeys(page, 'g q');
  await runEnded(page);
  assert.match(await outputOf(page), /Ergebnisse Biegefall 0\n/);
  await page.close();
});

// What a first visit downloads, each file compressed as a server does it
// (gzip -9): a budget, since the same files always weigh the same. The
// timings of a first visit are bench/page_against_release.mjs's.
test('a first visit downloads less than 200 KiB compressed', async () => {
  const page = await chromium.browser.newPage();
  const sizes = [];
  // A response without a body (a redirect) downloads nothing.
  page.on('response', (response) => {
    sizes.push(response.buffer().then((body) => gzipSync(body, { level: 9 }).length, () => 0));
  });
  await page.goto(chromium.url);
  // What the menu does not need comes after it, the drawing with it.
  await page.waitForFunction(() => (window.veldraPage?.drawings ?? 0) > 0);
  await page.waitForNetworkIdle();
  const total = (await Promise.all(sizes)).reduce((a, b) => a + b, 0);
  assert.ok(sizes.length >= 10, `${sizes.length} files`);
  assert.ok(total < 200 * 1024, `${total} bytes`);
  await page.close();
});

// A paste keeps the page alive: it never freezes for a second, which no load
// on the machine explains. How long it freezes at most is a figure of
// bench/page_against_release.mjs.
const FROZEN = 1000;

describe('a paste of any size', () => {
  // Pastes `input` as Ctrl-V does and waits for the run to end: how long
  // that took, and the page's longest freeze meanwhile.
  const pasteToTheEnd = async (page, input) => {
    const started = performance.now();
    const freeze = await longestFreeze(page, input, async () => {
      await page.evaluate(() => window.veldraPage.screen.paste(window.pasteInput));
      await page.waitForFunction(() => window.veldraPage.status !== null, { timeout: 600_000 });
    });
    return { freeze, seconds: (performance.now() - started) / 1000 };
  };

  const digest = (bytes) => createHash('sha256').update(bytes).digest('hex');
  const pageOutputDigest = (page) =>
    page.evaluate(async () => {
      const bytes = window.veldraPage.run.outputBytes();
      const hash = await crypto.subtle.digest('SHA-256', bytes);
      return [...new Uint8Array(hash)].map((b) => b.toString(16).padStart(2, '0')).join('');
    });

  test('a 1 MB session ends with 113, prints what the native program prints, and never freezes the page', async () => {
    const body = 'n2\nf10000\nl4000 210000 8.356e7\na1500\nx2000\nw g ';
    const input = body.repeat(Math.ceil(1_000_000 / body.length)) + 'q';
    const native = spawnSync(process.env.VELDRA_NATIVE ?? 'build/ci-gcc/veldra', {
      input,
      maxBuffer: 1 << 30,
    });
    assert.equal(native.status, 113);
    const page = await open();
    const { freeze, seconds } = await pasteToTheEnd(page, input);
    assert.equal(await statusOf(page), 113);
    assert.equal(await pageOutputDigest(page), digest(native.stdout), 'the same bytes as native');
    assert.deepEqual(page.errors, []);
    const { JSHeapUsedSize } = await page.metrics();
    console.log(
      `1 MB session pasted: ${(native.stdout.length / 1e6).toFixed(1)} MB printed in ` +
        `${seconds.toFixed(1)} s; page frozen ${freeze.toFixed(0)} ms at most; ` +
        `JavaScript heap afterwards ${(JSHeapUsedSize / 2 ** 20).toFixed(0)} MiB`,
    );
    assert.ok(freeze < FROZEN, `the page froze for ${freeze.toFixed(0)} ms`);
    await page.close();
  });

  test('a 10 MB number line ends too', async () => {
    const input = 'f12.5' + ' '.repeat(10_000_000) + '\nw q';
    const page = await open();
    const { freeze, seconds } = await pasteToTheEnd(page, input);
    assert.equal(await statusOf(page), 113);
    assert.match(await outputOf(page), /F\/M\/q\/q2 = 12\.500000\n/);
    console.log(`10 MB number line pasted: ended in ${seconds.toFixed(1)} s; page frozen ${freeze.toFixed(0)} ms at most`);
    assert.ok(freeze < FROZEN, `the page froze for ${freeze.toFixed(0)} ms`);
    await page.close();
  });
});

test('an error that stops the run is shown, with a new run offered', async () => {
  const page = await open();
  await page.evaluate(() => {
    window.veldraPage.run.nextByte = () => Promise.reject(new Error('Testfehler'));
  });
  await page.click('#terminal');
  await typeKeys(page, 'w');
  await page.waitForFunction(() => window.veldraPage.failure !== null, { timeout: 10_000 });
  assert.match(await page.$eval('#status', (e) => e.textContent), /Fehler.*Testfehler/);
  assert.equal(await page.$eval('#restart', (e) => e.hidden), false);
  assert.equal(await page.$eval('#keys button[data-key="w"]', (e) => e.disabled), true);
  await page.click('#restart');
  await page.waitForFunction(() => window.veldraPage.status === null && window.veldraPage.keyWaits > 0);
  await page.close();
});

describe('notes go to the status line, not into the terminal', () => {
  // The session, the status line afterwards, and what the dialogue printed.
  // A note stands until the next key, also where the program asks on.
  for (const [name, keys, note, printed, until = 'weiter mit bel.Taste..'] of [
    [
      'what a read dropped',
      'f12,5\n',
      '"12,5" gelesen als 12, ",5" verworfen - Dezimalpunkt verwenden: 12.5',
      /F\/M\/q\/q1\/q2= Biegelinie,i Info\n/,
      'F8 q Exit\n',
    ],
    [
      'the notes of a report, together',
      'n11\nf10000\nl4000 210000 8.356e7\na1000\nx5000\n1500\ng',
      'x = 5000.000000 liegt nicht auf dem Traeger (0 bis L = 4000.000000); ' +
        'xq = 1500.000000 liegt nicht auf dem Kragarm (0 bis a = 1000.000000)',
      /Ergebnisse Biegefall 11\n/,
    ],
    [
      'a word read for L, with E asked next',
      'f10 kN/m\nl',
      '"kN/m" ist keine Zahl - L bleibt 0.000000',
      /F8 q Exit\nLaenge,E-Mo\.,Traegheitsm\.\nL = \nE = $/,
      '\nE = ',
    ],
  ]) {
    test(name, async () => {
      const page = await open();
      await page.click('#terminal');
      await typeKeys(page, keys);
      await awaitOutputEnding(page, until);
      await page.waitForFunction(() => window.veldraPage.run.idle());
      assert.equal(await page.$eval('#status', (e) => e.textContent), note);
      const output = await outputOf(page);
      assert.ok(!output.includes('verworfen') && !output.includes('liegt nicht'), 'the dialogue stays as it is');
      assert.match(output, printed);
      await page.close();
    });
  }
});
