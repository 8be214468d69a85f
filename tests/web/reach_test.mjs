// The page as people meet it: on a phone by touch, on a tablet, on laptops
// and a desktop with the mouse for the keys and the keyboard for the numbers,
// with the keyboard alone and with a screen reader. One test over the sizes:
// what a report needs in view at once, the pad as on a calculator; axe-core
// finds no serious or critical fault after the menu, a report and q.

import assert from 'node:assert/strict';
import { existsSync, readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join, resolve } from 'node:path';
import { describe, test } from 'node:test';

import { outputOf, pageUnderTest, runEnded, typeKeys } from './page_driver.mjs';

const require = createRequire(new URL('../../web/package.json', import.meta.url));
const axeSource = readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');
const transcripts = JSON.parse(readFileSync(process.env.VELDRA_TRANSCRIPTS, 'utf8'));
const screenshots = process.env.VELDRA_SCREENSHOTS ?? 'build/web/screenshots';

// A laptop's 1366 x 768 screen less the browser's bars is 1366 x 657. The
// drawing stands beside the terminal from 1240 px on; on narrower screens it
// comes below, a swipe away.
const SIZES = [
  { name: 'phone', width: 390, height: 844, touch: true },
  { name: 'tablet', width: 820, height: 1000, touch: true },
  { name: 'small laptop', width: 1280, height: 600, touch: false, beside: true },
  { name: 'laptop', width: 1366, height: 657, touch: false, beside: true },
  { name: 'desktop', width: 1920, height: 1080, touch: false, beside: true },
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

// What is not wholly inside the window, of: the terminal's cursor line and
// the last `lines` lines it shows, the buttons of the group in use, the
// status line and (where it stands beside the terminal) the drawing's
// results; and whether the terminal's text is covered or cut at its side.
const outOfView = (page, lines, drawing) =>
  page.evaluate(
    (count, beside) => {
      const screen = window.veldraPage.screen;
      const buffer = screen.buffer.active;
      const text = document.querySelector('#terminal .xterm-screen').getBoundingClientRect();
      const rowHeight = text.height / screen.rows;
      const out = [];
      const check = (name, r) => {
        if (r.top < -0.5 || r.left < -0.5 || r.bottom > innerHeight + 0.5 || r.right > innerWidth + 0.5) out.push(name);
      };
      // The rows on the screen: the cursor's, and the ones above it.
      if (buffer.viewportY !== buffer.baseY) out.push('the terminal is scrolled back');
      const cursor = text.top + buffer.cursorY * rowHeight;
      check('the cursor line', { top: cursor, bottom: cursor + rowHeight, left: text.left, right: text.right });
      if (buffer.cursorY + 1 < count) out.push(`only ${buffer.cursorY + 1} rows above the cursor`);
      check('the terminal', { top: cursor - (count - 1) * rowHeight, bottom: cursor, left: text.left, right: text.right });
      for (const b of document.querySelectorAll('#input [data-active="true"] button')) check(b.textContent, b.getBoundingClientRect());
      check('the status line', document.querySelector('#state').getBoundingClientRect());
      if (beside) {
        for (const t of document.querySelectorAll('#drawing .marker-label')) check(t.textContent, t.getBoundingClientRect());
        for (const b of document.querySelectorAll('#keep button')) check(b.textContent, b.getBoundingClientRect());
      }
      // Nothing over the text: the scroll bar beside it, the box as wide.
      const box = document.querySelector('#terminal').getBoundingClientRect();
      const bar = document.querySelector('#terminal .scrollbar.vertical')?.getBoundingClientRect();
      if (text.right > box.right) out.push('the terminal cut at its side');
      if (bar && bar.width > 0 && bar.left < text.right - 0.5) out.push('the scroll bar over the text');
      return out;
    },
    lines,
    drawing,
  );
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
    (g, t) => {
      // What a button types: its key, its character, or a control key's byte.
      const typed = (b) => b.dataset.key ?? b.dataset.type ?? { enter: '\n', erase: '\x7f', keep: '\x04' }[b.dataset.control];
      return [...document.querySelectorAll(`#${g} button`)].find((b) => typed(b) === t);
    },
    group,
    text,
  );
  await button.scrollIntoView();
  if (size.touch) await button.tap();
  else await button.click();
}

// The typical run, as taps: keys for the commands, the pad for the numbers;
// any key ends a pause (here w, typed where there is a keyboard).
const TYPICAL = [
  ['keys', 'n'], ['pad', '2\n'], ['keys', 'f'], ['pad', '10000\n'], ['keys', 'l'],
  ['pad', '4000 210000 8.356e7\n'], ['keys', 'a'], ['pad', '1500\n'], ['keys', 'x'],
  ['pad', '2000\n'], ['keys', 'w'], ['pause', 'w'], ['keys', 'g'],
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
      // No empty band between the buttons in use and the status line.
      const gap = await page.evaluate(() => {
        const buttons = [...document.querySelectorAll('#input [data-active="true"] button')];
        return document.querySelector('#state').getBoundingClientRect().top - Math.max(...buttons.map((b) => b.getBoundingClientRect().bottom));
      });
      assert.ok(gap <= 24, `${size.name}: ${gap} px between the keys and the status line`);

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

      // The typical run: by taps, the numbers on the pad; or the keys by
      // the mouse and the numbers by the keyboard, without a click between.
      // Once, the focus is on the page itself: a click beside everything.
      for (const [group, text] of TYPICAL) {
        if (size.touch || group === 'keys') {
          // A pause offers one button, "Weiter", in place of the keys it would take.
          const buttons = group === 'pause' ? 'go-on' : group;
          const typed = group === 'pause' ? ' ' : text;
          for (const ch of group === 'pad' ? [...typed] : [typed]) await press(page, size, buttons, ch);
        } else if (group === 'pause') {
          await page.waitForFunction(() => window.veldraPage.run.outputText().endsWith('weiter mit bel.Taste..'));
          await typeKeys(page, text);
        } else {
          await page.waitForSelector('#pad[data-active="true"]');
          assert.deepEqual(await outOfView(page, 1, false), [], `${size.name}: at the number read for ${text}`);
          if (text === '1500\n') await page.mouse.click(size.width - 4, 4);
          await typeKeys(page, text);
        }
        if (size.touch && group === 'keys') {
          const keyboard = await page.evaluate(() => document.activeElement?.closest('#terminal') !== null);
          assert.equal(keyboard, false, 'a tap keeps the phone\'s keyboard closed');
        }
      }
      await page.waitForFunction(() => window.veldraPage.run.outputText().endsWith('weiter mit bel.Taste..'));
      await page.waitForFunction(() => !window.veldraPage.drawingPending);
      // The report and all around it at once, without scrolling.
      await page.evaluate(() => window.scrollTo(0, 0));
      assert.deepEqual(await outOfView(page, 8, size.beside ?? false), [], `${size.name}: at the report`);

      // The section aid opened beside a report takes nothing from it.
      if (size.beside) {
        await page.click('#aid summary');
        assert.deepEqual(await outOfView(page, 8, true), [], `${size.name}: at the report, the aid open`);
        await page.click('#aid summary');
      }

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
      // The drawing's text legible: beside the terminal 12 px or more, on a
      // phone below it 11 px or more.
      const drawn = await page.$eval('#drawing svg', (svg) => {
        const scale = svg.getBoundingClientRect().width / 600;
        const sizes = [...svg.querySelectorAll('text')].map((t) => parseFloat(getComputedStyle(t).fontSize) * scale);
        return { width: svg.getBoundingClientRect().width, smallest: Math.min(...sizes) };
      });
      if (size.beside) assert.ok(drawn.width >= 480, `the drawing gets ${drawn.width} px`);
      assert.ok(drawn.smallest >= (size.beside ? 12 : 11), `text of ${drawn.smallest} px in the drawing`);
      await page.screenshot({ path: join(screenshots, `page_${size.name}.png`), fullPage: true });

      // Tab leaves the terminal and reaches the program as nothing.
      await page.click('#terminal');
      const before = await outputOf(page);
      await page.keyboard.press('Tab');
      const focused = await page.evaluate(() => document.activeElement?.closest('#terminal') === null);
      assert.ok(focused, 'focus left the terminal');
      assert.equal(await outputOf(page), before);

      await press(page, size, 'go-on', ' '); // the pause's
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

// On a phone, by taps: units, material and section picked in the aid, its E
// and Iy tapped in at their prompts, the rest on the keys and the pad; the
// program prints what the typical run prints, and nothing scrolls sideways.
test('the section aid by taps on a phone', async () => {
  const size = SIZES[0];
  const page = await openAt(size);
  const tap = async (selector) => {
    const e = await page.waitForSelector(selector);
    await e.scrollIntoView();
    await e.tap();
  };
  await tap('#aid summary');
  await page.select('[data-aid="units"]', '0');
  await page.select('[data-aid="material"]', '0');
  await page.select('[data-aid="section"]', 'family:IPE');
  const ipe300 = await page.$eval('[data-aid="size"]', (s) => [...s.options].find((o) => o.text === 'IPE 300').value);
  await page.select('[data-aid="size"]', ipe300);
  // Nothing wider than the phone: the page is not zoomed out to show it.
  assert.equal(await page.evaluate(() => innerWidth), size.width, 'the aid fits the phone');
  assert.ok((await overflow(page)) <= 0, `${await overflow(page)} px too wide with the aid open`);
  const steps = [
    ['keys', 'n'], ['pad', '2\n'], ['keys', 'f'], ['pad', '10000\n'], ['keys', 'l'], ['pad', '4000\n'],
    ['aid', 'type-e'], ['aid', 'type-i'], ['keys', 'a'], ['pad', '1500\n'], ['keys', 'x'], ['pad', '2000\n'],
    ['keys', 'w'], ['go-on', ' '], ['keys', 'g'], ['go-on', ' '], ['keys', 'q'],
  ];
  for (const [group, text] of steps) {
    if (group === 'aid') await tap(`[data-aid="${text}"]:not([disabled])`);
    else for (const ch of group === 'pad' ? [...text] : [text]) await press(page, size, group, ch);
  }
  await runEnded(page);
  assert.equal(await outputOf(page), transcripts.find((t) => t.name === 'typical_run_case_2').expected);
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('the typical run by the keyboard alone: Tab into the terminal, type, Tab out and back', async () => {
  const page = await openAt(SIZES.find((size) => size.name === 'laptop'));
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

// 7 8 9 over 4 5 6 over 1 2 3, and 0 . − under them, in rows and columns.
test('the number pad is laid out as a calculator\'s, every button at least 44 px', async () => {
  for (const size of [SIZES[0], SIZES[3]]) {
    const page = await openAt(size);
    await press(page, size, 'keys', 'n');
    await page.waitForSelector('#pad[data-active="true"]');
    const boxes = await page.$$eval('#pad button', (buttons) =>
      Object.fromEntries(buttons.map((b) => [b.dataset.type ?? b.dataset.control, b.getBoundingClientRect().toJSON()])),
    );
    for (const [type, box] of Object.entries(boxes)) {
      assert.ok(box.width >= 44 && box.height >= 44, `${size.name}: "${type}" is ${box.width} x ${box.height} px`);
    }
    const rows = ['789', '456', '123', '0.-'];
    rows.forEach((row, r) => {
      [...row].forEach((type, c) => {
        const box = boxes[type];
        if (c > 0) assert.equal(box.top, boxes[row[c - 1]].top, `${size.name}: "${type}" in the row of "${row[c - 1]}"`);
        if (c > 0) assert.ok(box.left > boxes[row[c - 1]].right - 1, `${size.name}: "${type}" right of "${row[c - 1]}"`);
        if (r > 0) {
          const above = boxes[rows[r - 1][c]];
          assert.equal(box.left, above.left, `${size.name}: "${type}" under "${rows[r - 1][c]}"`);
          assert.ok(box.top > above.bottom - 1, `${size.name}: "${type}" below "${rows[r - 1][c]}"`);
        }
      });
    });
    await page.close();
  }
});

// The catalogue's lines are longer than a phone's columns: they wrap, whole.
test('on a phone long lines wrap, complete, and the terminal never scrolls sideways', async () => {
  const page = await openAt(SIZES[0]);
  // The catalogue, page by page: a tap goes on after each.
  await press(page, SIZES[0], 'keys', 'b');
  await page.waitForFunction(() => window.veldraPage.run.outputText().endsWith('weiter mit bel.Taste..'));
  while ((await outputOf(page)).endsWith('weiter mit bel.Taste..')) {
    const sofar = (await outputOf(page)).length;
    await press(page, SIZES[0], 'go-on', ' ');
    await page.waitForFunction((n) => window.veldraPage.run.outputText().length > n && window.veldraPage.run.idle(), {}, sofar);
  }
  const shown = await page.evaluate(() => {
    const screen = window.veldraPage.screen;
    const buffer = screen.buffer.active;
    const lines = [];
    for (let i = 0; i < buffer.length; ++i) {
      const line = buffer.getLine(i);
      const text = line.translateToString(!buffer.getLine(i + 1)?.isWrapped);
      if (line.isWrapped) lines[lines.length - 1] += text;
      else lines.push(text);
    }
    const box = document.querySelector('#terminal');
    return { lines, cols: screen.cols, sideways: box.scrollWidth - box.clientWidth };
  });
  assert.ok(shown.cols < 82, `${shown.cols} columns`);
  assert.equal(shown.sideways, 0, 'the terminal scrolls sideways');
  const printed = (await outputOf(page)).split('\n').filter((l) => l.includes('+Fall'));
  assert.ok(printed.some((l) => l.length > shown.cols), 'a line longer than the screen is wide');
  assert.equal(printed.length, 13, 'every case listed');
  for (const line of printed) assert.ok(shown.lines.includes(line), `"${line}" whole on the screen`);
  assert.deepEqual(await outOfView(page, 6, false), []);
  await page.close();
});

// Opened as a file, the served page cannot run: it says so at once, readably.
test('index.html opened as a file says in the first screen how to open it', async () => {
  for (const size of [SIZES[0], SIZES[3]]) {
    const page = await chromium.browser.newPage();
    const errors = [];
    page.on('pageerror', (e) => errors.push(e.message));
    await page.setViewport({ width: size.width, height: size.height });
    await page.goto(`file://${resolve(process.env.VELDRA_PAGE, 'index.html')}`);
    const said = await page.$eval('#as-file', (p) => ({ text: p.textContent, box: p.getBoundingClientRect().toJSON() }));
    assert.match(said.text, /Webserver/);
    // Where it says the one file lies after a build, it lies.
    assert.match(said.text, /eine Ebene höher als diese Seite \(build\/web\/veldra\.html\)/);
    assert.ok(existsSync(resolve(process.env.VELDRA_PAGE, '..', 'veldra.html')));
    assert.ok(said.box.bottom <= size.height && said.box.width >= 300, `${size.name}: ${JSON.stringify(said.box)}`);
    assert.equal(await page.$eval('main', (m) => m.getBoundingClientRect().height), 0, 'nothing of the calculator');
    assert.deepEqual(errors, []);
    await page.close();
  }
});
