// The beam drawn beside the terminal, for each of the thirteen load cases with
// the values of a real beam typed into the page: the supports and the load of
// the case, a curve that is zero at the supports and has its extreme where key
// g says, and markers labelled with the lines g prints.

import assert from 'node:assert/strict';
import { mkdirSync } from 'node:fs';
import { join } from 'node:path';
import { describe, test } from 'node:test';

import {
  awaitIdle,
  awaitOutputEnding,
  pageUnderTest,
  outputOf,
  typeKeys,
} from './page_driver.mjs';

const screenshots = process.env.VELDRA_SCREENSHOTS ?? 'build/web/screenshots';
mkdirSync(screenshots, { recursive: true });

// A 4 m IPE 300 of steel in N and mm, loaded as each case is.
const FORCE = '10000';
const MOMENT = '10000000';
const LINE_LOAD = '5';
const CASES = [
  { nr: 1, load: FORCE, beam: 'span', drawn: ['load-force', 2000] },
  { nr: 2, load: FORCE, a: '1500', beam: 'span', drawn: ['load-force', 1500] },
  { nr: 31, load: MOMENT, beam: 'span', drawn: ['load-moment', 0] },
  { nr: 32, load: MOMENT, beam: 'span', drawn: ['load-moment', 4000] },
  { nr: 4, load: LINE_LOAD, beam: 'span', drawn: ['load-uniform', 0, 4000] },
  { nr: 5, load: LINE_LOAD, beam: 'span', drawn: ['load-triangle', 0, 4000, 'rising'] },
  { nr: 6, load: FORCE, beam: 'cantilever', drawn: ['load-force', 0] },
  { nr: 7, load: MOMENT, beam: 'cantilever', drawn: ['load-moment', 0] },
  { nr: 8, load: LINE_LOAD, beam: 'cantilever', drawn: ['load-uniform', 0, 4000] },
  { nr: 9, load: LINE_LOAD, beam: 'cantilever', drawn: ['load-triangle', 0, 4000, 'rising'] },
  { nr: 10, load: LINE_LOAD, beam: 'cantilever', drawn: ['load-triangle', 0, 4000, 'falling'] },
  { nr: 11, load: FORCE, a: '1200', xq: '600', beam: 'overhang', drawn: ['load-force', 5200] },
  { nr: 12, load: LINE_LOAD, a: '1200', xq: '600', beam: 'overhang', drawn: ['load-uniform', 4000, 5200] },
];

// The lines of the last report, blanks folded as the drawing folds them.
function reportLines(output, nr) {
  const report = output.slice(output.lastIndexOf(`Ergebnisse Biegefall ${nr}\n`));
  return report.split('\n').slice(1, -1).map((line) => line.replace(/ +/g, ' '));
}

const printed = (lines, prefix) => Number(lines.find((l) => l.startsWith(prefix)).split('= ').at(-1));

// What the drawing shows, in the beam's own coordinates where it matters.
const drawingOf = (page) =>
  page.evaluate(() => {
    const svg = document.querySelector('#drawing svg');
    const roles = [...svg.querySelectorAll('[data-role]')].map((e) => e.dataset.role);
    const x0 = Number(svg.dataset.x0);
    const sx = Number(svg.dataset.sx);
    const axis = Number(svg.dataset.axis);
    const curve = svg.querySelector('[data-role="curve"]');
    const points = curve
      ? curve.getAttribute('points').trim().split(' ').map((p) => p.split(',').map(Number))
      : [];
    const load = svg.querySelector('[data-role^="load-"]');
    const markers = {};
    for (const g of svg.querySelectorAll('[data-role^="marker-"]')) {
      markers[g.dataset.role.slice(7)] = [...g.querySelectorAll('.marker-label')].map((t) => t.textContent);
    }
    return {
      roles,
      x0,
      sx,
      axis,
      declared: curve ? Number(curve.dataset.points) : 0,
      // Points as [at, drawn distance from the axis in px].
      line: points.map(([px, py]) => [(px - x0) / sx, py - axis]),
      load: load && {
        role: load.dataset.role,
        at: load.dataset.at && Number(load.dataset.at),
        from: load.dataset.from && Number(load.dataset.from),
        to: load.dataset.to && Number(load.dataset.to),
        shape: load.dataset.shape,
      },
      markers,
      note: svg.querySelector('[data-role="note"]')?.textContent ?? null,
    };
  });

const chromium = pageUnderTest();

describe('the drawing of each load case', () => {
  for (const c of CASES) {
    test(`case ${c.nr}`, async () => {
      const page = await chromium.open();
      await page.click('#terminal');
      await typeKeys(page, `n${c.nr}\nf${c.load}\nl4000 210000 8.356e7\na${c.a ?? '0'}\nx1000\n`);
      if (c.xq) await typeKeys(page, `${c.xq}\n`);
      await typeKeys(page, 'g');
      await awaitOutputEnding(page, 'weiter mit bel.Taste..');
      await awaitIdle(page);
      const d = await drawingOf(page);
      const lines = reportLines(await outputOf(page), c.nr);

      // The supports and the load of the case.
      const supports = { span: ['support-a', 'support-b'], overhang: ['support-a', 'support-b', 'overhang'] };
      for (const role of supports[c.beam] ?? ['clamp', 'free-end']) assert.ok(d.roles.includes(role), role);
      if (c.beam === 'cantilever') assert.ok(!d.roles.includes('support-a'));
      else assert.ok(!d.roles.includes('clamp'));
      const [role, first, second, shape] = c.drawn;
      assert.equal(d.load.role, role);
      if (second === undefined) assert.equal(d.load.at, first);
      else assert.deepEqual([d.load.from, d.load.to], [first, second]);
      assert.equal(d.load.shape, shape);

      // A curve of at least 200 points, zero where the beam is held.
      assert.ok(d.line.length >= 200 && d.line.length === d.declared, `${d.line.length} points`);
      const at = (x) => d.line.reduce((best, p) => (Math.abs(p[0] - x) < Math.abs(best[0] - x) ? p : best));
      const held = c.beam === 'cantilever' ? [4000] : [0, 4000];
      for (const x of held) {
        assert.ok(Math.abs(at(x)[0] - x) < 1e-6 * 4000, `a point at ${x}`);
        assert.ok(Math.abs(at(x)[1]) < 0.5, `zero at ${x}: ${at(x)[1]} px`);
      }

      // The extreme between the supports where key g puts it.
      const span = d.line.filter(([x]) => x >= 0 && x <= 4000);
      const extreme = span.reduce((best, p) => (Math.abs(p[1]) > Math.abs(best[1]) ? p : best));
      const step = 4000 / (span.length - 1);
      const xm = lines.some((l) => l.startsWith('xm'))
        ? printed(lines, 'xm')
        : c.beam === 'cantilever' ? 0 : 2000;
      assert.ok(Math.abs(extreme[0] - xm) <= step + (c.nr === 5 ? 4 : 1e-6), `extreme at ${extreme[0]}, xm ${xm}`);

      // Markers with the lines that key g printed.
      const expected = { x: 1, xm: c.beam === 'cantilever' ? 0 : 1, f: c.beam === 'span' ? 0 : 1, xq: c.xq ? 1 : 0 };
      for (const [marker, count] of Object.entries(expected)) {
        assert.equal(marker in d.markers, count === 1, `marker ${marker}`);
        for (const text of d.markers[marker] ?? []) assert.ok(lines.includes(text), `"${text}" is printed`);
      }
      assert.deepEqual(page.errors, []);
      if ([2, 9, 12].includes(c.nr)) await page.screenshot({ path: join(screenshots, `drawing_case_${c.nr}.png`) });
      await page.close();
    });
  }
});

describe('no curve, but a note, while there is no line to draw', () => {
  for (const [name, session, note] of [
    ['no case chosen', 'l4000 210000 8.356e7\n', 'Kein Biegefall'],
    ['a number that names no case', 'n3\nk', 'Kein Biegefall'],
    ['a zero span', 'n4\nf5\n', 'Länge L'],
    ['no stiffness', 'n4\nf5\nl4000 0 8.356e7\n', 'nicht endlich'],
    ['the force off the span', 'n2\nf10\nl4 1 1\na5\n', 'außerhalb'],
  ]) {
    test(name, async () => {
      const page = await chromium.open();
      await page.click('#terminal');
      await typeKeys(page, session);
      await awaitIdle(page);
      const d = await drawingOf(page);
      assert.equal(d.line.length, 0);
      assert.ok(d.note?.includes(note), d.note);
      await page.close();
    });
  }
});
