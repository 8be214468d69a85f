// The page as people meet it: on a phone by touch, on a tablet, on a laptop
// with the keyboard alone and with a screen reader. One test over the sizes;
// axe-core finds no serious or critical fault after the menu, a report and q.

import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join } from 'node:path';
import { describe, test } from 'node:test';

import { outputOf, pageUnderTest, runEnded, typeKeys } from './page_driver.mjs';

const require = createRequire(new URL('../../web/package.json', import.meta.url));
const axeSource = readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');
const transcripts = JSON.parse(readFileSync(process.env.VELDRA_TRANSCRIPTS, 'utf8'));
const screenshots = process.env.VELDRA_SCREENSHOTS ?? 'build/web/screenshots';

const SIZES = [
  { name: 'phone', width: 390, height: 844, touch: true },
  { name: 'tablet', width: 820, height: 1000, touch: true },
  { name: 'laptop', width: 1366, height: 768, touch: false },
];

const chromium = pageUnderTest();

async function openAt(size) {
  const page = await chromium.browser.newPage();
  page.errors = [];
  page.on('pageerror', (e) => page.errors.push(e.message));
  await page.setViewport({ width: size.width, height: size.height, isMobile: size.touch, hasTouch: size.touch });
  await page.goto(chromium.url);
  await page.waitForFunction(() => window.veldraPage?.keyWaits > 0);
  return page;
}

const overflow = (page) => page.evaluate(() => document.documentElement.scrollWidth - window.innerWidth);

// The violations of impact "serious" or "critical" that axe-core finds.
async function seriousFaults(page) {
  if (!(await page.evaluate(() => typeof window.axe === 'object'))) await page.evaluate(axeSource);
  const found = await page.evaluate(async () => (await window.axe.run()).violations);
  return found.filter((v) => v.impact === 'serious' || v.impact === 'critical').map((v) => `${v.id}: ${v.help}`);
}

// Taps (or clicks) a button of the key row or of the number pad, once that
// row is the one in use.
async function press(page, size, group, text) {
  await page.waitForSelector(`#${group}[data-active="true"]`);
  const button = await page.evaluateHandle(
    (g, t) => [...document.querySelectorAll(`#${g} button`)].find((b) => (b.dataset.key ?? b.dataset.type) === t),
    group,
    text,
  );
  await button.scrollIntoView();
  if (size.touch) await button.tap();
  else await button.click();
}

// The typical run, as taps: keys for the commands, the pad for the numbers;
// any key ends a pause (here w).
const TYPICAL = [
  ['keys', 'n'], ['pad', '2\n'], ['keys', 'f'], ['pad', '10000\n'], ['keys', 'l'],
  ['pad', '4000 210000 8.356e7\n'], ['keys', 'a'], ['pad', '1500\n'], ['keys', 'x'],
  ['pad', '2000\n'], ['keys', 'w'], ['keys', 'w'], ['keys', 'g'],
];

describe('the page on every screen', () => {
  for (const width of [320, 1920]) {
    test(`no page overflow at ${width} px`, async () => {
      const page = await openAt({ width, height: 900, touch: width < 800 });
      assert.ok((await overflow(page)) <= 0, `${await overflow(page)} px too wide`);
      await page.close();
    });
  }

  for (const size of SIZES) {
    test(`${size.name}, ${size.width} px: a run by ${size.touch ? 'taps' : 'clicks'}, read out, left by Tab`, async () => {
      const page = await openAt(size);
      assert.ok((await overflow(page)) <= 0, `${await overflow(page)} px too wide`);
      assert.deepEqual(await seriousFaults(page), [], 'after the menu');

      // Every key button on the screen, large enough to hit, and hit.
      for (const button of await page.$$('#keys button')) {
        await button.scrollIntoView();
        const box = await button.boundingBox();
        assert.ok(box.x >= 0 && box.x + box.width <= size.width, `a key off the screen at ${box.x}`);
        assert.ok(box.width >= 24 && box.height >= 24, `a key of ${box.width} x ${box.height} px`);
        const hit = await page.evaluate(
          (x, y, key) => document.elementFromPoint(x, y)?.closest('button')?.dataset.key === key,
          box.x + box.width / 2,
          box.y + box.height / 2 - (await page.evaluate(() => window.scrollY)),
          await button.evaluate((b) => b.dataset.key),
        );
        assert.ok(hit, 'the key is what a tap at its middle reaches');
      }

      // The typical run, by taps and the number pad.
      for (const [group, text] of TYPICAL) {
        for (const ch of group === 'pad' ? [...text] : [text]) await press(page, size, group, ch);
      }
      await page.waitForFunction(() => window.veldraPage.run.outputText().endsWith('weiter mit bel.Taste..'));
      await page.waitForFunction(() => !window.veldraPage.drawingPending);

      // A screen reader has the report, and the drawing's words name it.
      // (alphaA is in the terminal's report only, not in the drawing's words.)
      // The terminal brings its accessibility tree up to date after it renders.
      let tree = '';
      for (let tries = 0; tries < 50 && !tree.includes('alphaA= 0.000579'); ++tries) {
        if (tries > 0) await new Promise((resolve) => setTimeout(resolve, 100));
        tree = JSON.stringify(await page.accessibility.snapshot());
      }
      assert.ok(tree.includes('alphaA= 0.000579'), 'the report in the accessibility tree');
      const words = await page.$eval('#drawing svg', (svg) => svg.getAttribute('aria-label'));
      assert.match(words, /fm = 0\.698980/);
      assert.match(words, /xm = 1859\.127904/);
      assert.deepEqual(await seriousFaults(page), [], 'after a report');
      if (size.name === 'laptop') {
        const drawn = await page.$eval('#drawing svg', (svg) => {
          const scale = svg.getBoundingClientRect().width / 600;
          const sizes = [...svg.querySelectorAll('text')].map((t) => parseFloat(getComputedStyle(t).fontSize) * scale);
          return { width: svg.getBoundingClientRect().width, smallest: Math.min(...sizes) };
        });
        assert.ok(drawn.width >= 480, `the drawing gets ${drawn.width} px`);
        assert.ok(drawn.smallest >= 12, `text of ${drawn.smallest} px in the drawing`);
      }
      await page.screenshot({ path: join(screenshots, `page_${size.name}.png`), fullPage: true });

      // Tab leaves the terminal and reaches the program as nothing.
      await page.click('#terminal');
      const before = await outputOf(page);
      await page.keyboard.press('Tab');
      const focused = await page.evaluate(() => document.activeElement?.closest('#terminal') === null);
      assert.ok(focused, 'focus left the terminal');
      assert.equal(await outputOf(page), before);

      await press(page, size, 'keys', 'q'); // the key for the pause
      await press(page, size, 'keys', 'q');
      await runEnded(page);
      const typical = transcripts.find((t) => t.name === 'typical_run_case_2');
      assert.equal(await outputOf(page), typical.expected);
      assert.equal(await page.$eval('#keys button[data-key="w"]', (b) => b.disabled), true, 'keys off after q');
      assert.deepEqual(await seriousFaults(page), [], 'after q');
      assert.deepEqual(page.errors, []);
      await page.close();
    });
  }
});

test('the typical run by the keyboard alone: Tab into the terminal, type, Tab out and back', async () => {
  const page = await openAt(SIZES[2]);
  const inTerminal = () => page.evaluate(() => document.activeElement?.closest('#terminal') !== null);
  for (let presses = 0; presses < 30 && !(await inTerminal()); ++presses) await page.keyboard.press('Tab');
  assert.ok(await inTerminal(), 'Tab reaches the terminal');
  const typical = transcripts.find((t) => t.name === 'typical_run_case_2');
  await typeKeys(page, typical.input.replace(/ q$/, ''));
  await page.waitForFunction(() => window.veldraPage.run.outputText().endsWith('weiter mit bel.Taste..'));
  await page.keyboard.press('Tab');
  assert.equal(await inTerminal(), false, 'Tab leaves it');
  const visible = await page.evaluate(() => getComputedStyle(document.activeElement).outlineStyle !== 'none');
  assert.ok(visible, 'focus is visible where it went');
  await page.keyboard.down('Shift');
  await page.keyboard.press('Tab');
  await page.keyboard.up('Shift');
  assert.ok(await inTerminal(), 'and Shift-Tab comes back');
  await typeKeys(page, ' q');
  await runEnded(page);
  assert.equal(await outputOf(page), typical.expected);
  await page.close();
});
