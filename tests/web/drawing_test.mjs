// The beam drawn beside the terminal, checked as an engineer reads it: every
// mark on the drawn line and where key g says, loads where and which way they
// act, nothing outside the picture, no NaN, and no number that the terminal
// has not printed. One table over the thirteen cases, at several magnitudes.

import assert from 'node:assert/strict';
import { mkdirSync } from 'node:fs';
import { join } from 'node:path';
import { describe, test } from 'node:test';

import { awaitIdle, awaitOutputEnding, pageUnderTest, outputOf, typeKeys } from './page_driver.mjs';

const screenshots = process.env.VELDRA_SCREENSHOTS ?? 'build/web/screenshots';
mkdirSync(screenshots, { recursive: true });

// Each case, as a test knows it from its handbook: where the load stands
// (in units of L and a) and what kind it is. Loads of the right size for a
// 4 m steel beam (N, mm): a force, a moment or a line load.
const CASES = [
  { nr: 1, kind: 'force', at: (L) => L / 2 },
  { nr: 2, kind: 'force', at: (L, a) => a },
  { nr: 31, kind: 'moment', at: () => 0 },
  { nr: 32, kind: 'moment', at: (L) => L },
  { nr: 4, kind: 'uniform', from: () => 0, to: (L) => L },
  { nr: 5, kind: 'rising', from: () => 0, to: (L) => L },
  { nr: 6, kind: 'force', at: () => 0, cantilever: true },
  { nr: 7, kind: 'moment', at: () => 0, cantilever: true },
  { nr: 8, kind: 'uniform', from: () => 0, to: (L) => L, cantilever: true },
  { nr: 9, kind: 'rising', from: () => 0, to: (L) => L, cantilever: true },
  { nr: 10, kind: 'falling', from: () => 0, to: (L) => L, cantilever: true },
  { nr: 11, kind: 'force', at: (L, a) => L + a, overhang: true },
  { nr: 12, kind: 'uniform', from: (L) => L, to: (L, a) => L + a, overhang: true },
];
const LOAD = { force: 1e4, moment: 1e7, uniform: 5, rising: 5, falling: 5 };

// The same beam in mm, in m, with a load a millionth of the size, and pulled
// the other way: the drawing must look the same, but for the direction.
// In m, a force stays in N, a moment of 1e7 N mm is 1e4 N m, a line load of
// 5 N/mm is 5000 N/m.
const MAGNITUDES = [
  { name: 'mm', load: () => 1, L: 4000, E: 210000, Iy: 8.356e7 },
  { name: 'm', load: (kind) => ({ force: 1, moment: 1e-3 })[kind] ?? 1e3, L: 4, E: 2.1e11, Iy: 8.356e-5 },
  { name: 'tiny', load: () => 1e-6, L: 4000, E: 210000, Iy: 8.356e7 },
  { name: 'negative', load: () => -1, L: 4000, E: 210000, Iy: 8.356e7 },
];

// What the drawing shows, in px of its own coordinates.
const drawingOf = (page) =>
  page.evaluate(() => {
    const svg = document.querySelector('#drawing svg');
    const number = (e, name) => Number(e.getAttribute(name));
    const curve = svg.querySelector('[data-role="curve"]');
    const line = curve
      ? curve.getAttribute('points').trim().split(' ').map((p) => p.split(',').map(Number))
      : [];
    const markers = [...svg.querySelectorAll('[data-role^="marker-"]')].map((g) => {
      const dot = g.querySelector('circle');
      return {
        role: g.dataset.role.slice(7),
        x: number(dot, 'cx'),
        y: number(dot, 'cy'),
        labels: [...g.querySelectorAll('.marker-label')].map((t) => t.dataset.text),
      };
    });
    const load = svg.querySelector('[data-role^="load-"]');
    // Each arrow of the load as drawn: where its shaft starts and its head's tip.
    const arrows = load
      ? [...load.querySelectorAll('g')].concat(load.querySelector(':scope > line') ? [load] : []).map((g) => {
          const shaft = g.querySelector('line');
          const tip = g.querySelector('polygon.load-head').getAttribute('points').split(' ')[0].split(',').map(Number);
          const ends = [[number(shaft, 'x1'), number(shaft, 'y1')], [number(shaft, 'x2'), number(shaft, 'y2')]];
          const start = ends.reduce((far, p) => (Math.hypot(p[0] - tip[0], p[1] - tip[1]) > Math.hypot(far[0] - tip[0], far[1] - tip[1]) ? p : far));
          return { start, tip };
        })
      : [];
    const block = load?.querySelector('polygon.line-load')?.getBBox();
    const outside = [];
    for (const e of svg.querySelectorAll('line, polyline, polygon, path, circle, text')) {
      const b = e.getBBox();
      if (b.x < -0.5 || b.y < -0.5 || b.x + b.width > 600.5 || b.y + b.height > 500.5) {
        outside.push(`${e.tagName} ${e.textContent || e.getAttribute('data-role') || ''}`);
      }
    }
    // What a script that computed with null or NaN leaves behind. Texts may
    // say "null" (German for zero) and "nan" (as the terminal prints it).
    const bad = [];
    for (const e of [svg, ...svg.querySelectorAll('*')]) {
      for (const a of e.attributes) {
        if (a.name !== 'aria-label' && /NaN|null|undefined|Infinity/.test(a.value)) bad.push(`${a.name}=${a.value}`);
      }
      if (e.children.length === 0 && /NaN|undefined|Infinity/.test(e.textContent)) bad.push(e.textContent);
    }
    return {
      x0: Number(svg.dataset.x0),
      width: Number(svg.dataset.width),
      axis: Number(svg.dataset.axis),
      line,
      markers,
      load: load && { ...load.dataset, arrows, block: block && [block.x, block.x + block.width] },
      outside,
      bad,
      notes: [...svg.querySelectorAll('[data-role="note"]')].map((t) => t.textContent),
      legend: svg.querySelector('[data-role="legend"]')?.textContent ?? null,
      ratio: svg.querySelector('[data-role="ratio"]')?.textContent ?? null,
      label: svg.getAttribute('aria-label'),
    };
  });

// The drawn line's height at x, between its two nearest points.
function lineAt(line, x) {
  for (let k = 1; k < line.length; ++k) {
    const [x1, y1] = line[k - 1];
    const [x2, y2] = line[k];
    if (x >= Math.min(x1, x2) - 1e-9 && x <= Math.max(x1, x2) + 1e-9) {
      return x2 === x1 ? y1 : y1 + ((y2 - y1) * (x - x1)) / (x2 - x1);
    }
  }
  return NaN;
}

// The lines of the last report, blanks folded as the drawing folds them.
function reportLines(output, nr) {
  const report = output.slice(output.lastIndexOf(`Ergebnisse Biegefall ${nr}\n`));
  return report.split('\n').slice(1, -1).map((line) => line.replace(/ +/g, ' '));
}

const value = (line) => Number(line.split('= ').at(-1));
const checkClean = (d, what) => {
  assert.deepEqual(d.outside, [], `${what}: drawn outside the picture`);
  assert.deepEqual(d.bad, [], `${what}: an attribute or text that is no number`);
};

const chromium = pageUnderTest();

describe('the drawing of each load case, at every magnitude', () => {
  for (const c of CASES) {
    test(`case ${c.nr}`, async () => {
      const page = await chromium.open();
      await page.click('#terminal');
      for (const m of MAGNITUDES) {
        const what = `case ${c.nr} in ${m.name}`;
        const L = m.L;
        const a = c.overhang ? 0.3 * L : 0.375 * L;
        const F = LOAD[c.kind] * m.load(c.kind);
        const x = 0.25 * L;
        const xq = 0.5 * a;
        await typeKeys(page, `n${c.nr}\nf${F}\nl${L} ${m.E} ${m.Iy}\na${a}\nx${x}\n`);
        if (c.overhang) await typeKeys(page, `${xq}\n`);
        await typeKeys(page, 'g');
        await awaitOutputEnding(page, 'weiter mit bel.Taste..');
        await awaitIdle(page);
        const d = await drawingOf(page);
        const lines = reportLines(await outputOf(page), c.nr);
        checkClean(d, what);
        const length = c.overhang ? L + a : L;
        const pxAt = (at) => d.x0 + (at / length) * d.width;

        // Every mark on the drawn line, where the printed numbers put it.
        assert.ok(d.line.length >= 200, `${what}: ${d.line.length} points`);
        const expected = { x: 1, xm: c.cantilever ? 0 : 1, f: c.nr === 2 || c.cantilever || c.overhang ? 1 : 0, xq: c.overhang ? 1 : 0 };
        for (const [role, count] of Object.entries(expected)) {
          assert.equal(d.markers.filter((mk) => mk.role === role).length, count, `${what}: marker ${role}`);
        }
        const printedXm = lines.find((l) => l.startsWith('xm'));
        const places = {
          x,
          xq: L + xq,
          xm: printedXm ? value(printedXm) : L / 2,
          f: c.cantilever ? 0 : c.overhang ? L + a : a,
        };
        for (const mk of d.markers) {
          assert.ok(Math.abs(mk.y - lineAt(d.line, mk.x)) <= 1, `${what}: ${mk.role} ${mk.y - lineAt(d.line, mk.x)} px off the line`);
          assert.ok(Math.abs(mk.x - pxAt(places[mk.role])) <= 1, `${what}: ${mk.role} at ${mk.x}, not ${pxAt(places[mk.role])}`);
          for (const text of mk.labels) assert.ok(lines.includes(text), `${what}: "${text}" is printed`);
        }
        // One scale for every printed deflection: the line agrees with g to
        // the six decimals printed. On an overhang the span's fm is a size.
        const printed = [
          ['x', 'w', 1],
          ['f', 'f =', 1],
          ['xq', 'w(xq', 1],
          ['xm', 'fm', c.overhang ? -1 : 1],
        ].flatMap(([role, prefix, sign]) => {
          const mk = d.markers.find((k) => k.role === role);
          const line = lines.find((l) => l.startsWith(prefix));
          return mk && line ? [{ role, drawn: mk.y - d.axis, value: sign * value(line) }] : [];
        });
        const reference = printed.reduce((best, p) => (Math.abs(p.value) > Math.abs(best.value) ? p : best));
        if (Math.abs(reference.value) >= 0.1) {
          const scale = reference.drawn / reference.value;
          assert.ok(scale > 0, `${what}: a positive deflection is drawn downwards`);
          for (const p of printed) {
            assert.ok(Math.abs(p.drawn - scale * p.value) <= scale * 1e-6 + 1e-6, `${what}: ${p.role} drawn ${p.drawn}, printed ${p.value}`);
          }
        }
        // Drawn large enough to see at every magnitude, and not larger than an
        // eighth of the beam.
        const deepest = Math.max(...d.line.map(([, y]) => Math.abs(y - d.axis)));
        assert.ok(deepest >= d.width / 20 - 1e-9 && deepest <= d.width / 8 + 1e-9, `${what}: deepest ${deepest} px`);
        // The way the load acts: the largest deflection points with it.
        const extreme = d.line.reduce((best, p) => (Math.abs(p[1] - d.axis) > Math.abs(best[1] - d.axis) ? p : best));
        if (!c.overhang) assert.equal(extreme[1] > d.axis, F > 0, `${what}: the line bends with the load`);

        // The load where the case puts it, pointing the way F says, from the
        // side it pushes from: the line bends away from it.
        if (c.at) {
          assert.ok(Math.abs(Number(d.load.u) * length - c.at(L, a)) <= 1e-9 * length, `${what}: load at ${d.load.u}`);
        } else {
          assert.ok(Math.abs(d.load.block[0] - pxAt(c.from(L, a))) <= 1.5, `${what}: load from ${d.load.block}`);
          assert.ok(Math.abs(d.load.block[1] - pxAt(c.to(L, a))) <= 1.5, `${what}: load to ${d.load.block}`);
        }
        if (c.kind !== 'moment') {
          assert.ok(d.load.arrows.length > 0, `${what}: arrows`);
          for (const { start, tip } of d.load.arrows) {
            assert.equal(tip[1] > start[1], F > 0, `${what}: an arrow points ${tip[1] > start[1] ? 'down' : 'up'}`);
            assert.equal(start[1] < d.axis, F > 0, `${what}: the load stands on the side it pushes from`);
            if (c.at) assert.ok(Math.abs(tip[0] - pxAt(c.at(L, a))) <= 0.5, `${what}: the arrow at ${tip[0]}`);
          }
        }
        if (c.kind === 'moment') {
          const positiveTurn = { 31: 'clockwise', 32: 'anticlockwise', 7: 'anticlockwise' }[c.nr];
          const other = positiveTurn === 'clockwise' ? 'anticlockwise' : 'clockwise';
          assert.equal(d.load.direction, F > 0 ? positiveTurn : other, `${what}: the moment turns`);
        }
        assert.match(d.ratio ?? '', /^(fm|f) = L\/[\d.e+]+$/, `${what}: ratio ${d.ratio}`);
        if (m.name === 'mm' && [2, 7, 12].includes(c.nr)) {
          await page.screenshot({ path: join(screenshots, `drawing_case_${c.nr}.png`) });
        }
        await typeKeys(page, ' ');
      }
      assert.deepEqual(page.errors, []);
      await page.close();
    });
  }
});

describe('a note instead of what is not well defined, and nothing outside the picture', () => {
  for (const [name, session, note, drawn] of [
    ['no case chosen', 'l4000 210000 8.356e7\n', 'Taste n', []],
    ['a number that names no case', 'n3\nk', 'Es gibt die Biegefälle', []],
    ['a case before its span, as a sketch', 'n4\nf5\n', 'Skizze', ['support-b', 'load-uniform', 'dimension-L', 'dimension-x']],
    ['a subnormal span', 'n4\nf5\nl1e-310 210000 8.356e7\n', 'subnormal', []],
    ['no stiffness', 'n4\nf5\nl4000 0 8.356e7\n', 'positiv und endlich', ['support-b', 'load-uniform']],
    ['a negative modulus', 'n1\nf5\nl4000 -210000 8.356e7\n', 'positiv und endlich', ['load-force']],
    ['an infinite second moment', 'n1\nf5\nl4000 210000 inf\n', 'positiv und endlich', ['load-force']],
    ['the force off the span', 'n2\nf10\nl4 1 1\na5000\n', 'außerhalb', ['support-b']],
    ['the force on support B', 'n2\nf10\nl4 1 1\na4\n', 'auf einem Lager', ['load-force']],
    ['an overhang of nan', 'n12\nf5\nl4000 210000 8.356e7\nanan\n', 'Länge a des Kragarms ist keine Zahl', ['support-b']],
    ['a negative overhang', 'n11\nf5\nl4000 210000 8.356e7\na-500\n', 'Kragarms ist negativ (a = -500)', ['support-b']],
    ['a load of nan', 'n8\nfnan\nl4000 210000 8.356e7\n', 'F ist unendlich oder nan', ['clamp']],
    ['x off the beam', 'n1\nf5\nl4000 210000 8.356e7\nx5000\n', 'liegt nicht auf dem Träger', ['curve']],
  ]) {
    test(name, async () => {
      const page = await chromium.open();
      await page.click('#terminal');
      await typeKeys(page, session);
      await awaitIdle(page);
      const d = await drawingOf(page);
      checkClean(d, name);
      assert.ok(d.notes.some((n) => n.includes(note)), `notes: ${d.notes}`);
      if (!drawn.includes('curve')) assert.equal(d.line.length, 0);
      const roles = await page.$$eval('#drawing [data-role]', (es) => es.map((e) => e.dataset.role));
      for (const role of drawn) assert.ok(roles.includes(role), `${role} drawn`);
      // No load where it is not well defined: not at nan, not off the beam.
      if (['the force off the span', 'an overhang of nan', 'a negative overhang', 'a load of nan'].includes(name)) {
        assert.ok(!roles.some((r) => r.startsWith('load-')), `no load drawn: ${roles}`);
      }
      await page.close();
    });
  }
});

test('the legend shows what g printed, and says when the values have changed since', async () => {
  const page = await chromium.open();
  await page.click('#terminal');
  await typeKeys(page, 'n1\nf10000\nl4000 210000 8.356e7\nx1000\ng');
  await awaitOutputEnding(page, 'weiter mit bel.Taste..');
  await awaitIdle(page);
  let d = await drawingOf(page);
  assert.deepEqual(d.markers.find((m) => m.role === 'xm').labels, ['fm = 0.759838']);
  assert.equal(d.legend, null);
  assert.match(d.label, /fm = 0\.759838/, 'the text alternative names what g printed');
  await typeKeys(page, ' f20000\n');
  await awaitIdle(page);
  d = await drawingOf(page);
  assert.deepEqual(d.markers.flatMap((m) => m.labels), [], 'no number the terminal has not printed');
  assert.match(d.legend, /Taste g berechnet/);
  assert.equal(d.ratio, null);
  await page.close();
});

// Every text of the drawing in a place of its own: no label over another,
// over a support, a load, the beam or a dimension line, or crossed by the
// deflection line or a mark's line. The values of an audit of the drawings:
// a beam in mm and in m, a negative load, a deflection larger than the span,
// unit values, and an overhang far longer than the span.
// On a beam of ordinary proportions (`middle`) each dimension's value stands
// at the middle of its line; the first row is drawn on a phone as well.
const AUDIT = [
  { name: 'mm', middle: true, phone: true, F: (c) => LOAD[c.kind], L: 4000, E: 210000, Iy: 8.356e7, a: (c) => (c.overhang ? 1000 : 1500), x: 2000, xq: 500 },
  { name: 'negative', middle: true, F: (c) => -LOAD[c.kind], L: 4000, E: 210000, Iy: 8.356e7, a: (c) => (c.overhang ? 1000 : 1500), x: 1000, xq: 500 },
  { name: 'fm > L', F: () => 1e15, L: 4000, E: 210000, Iy: 8.356e7, a: () => 1500, x: 1000, xq: 500 },
  { name: 'units', middle: true, F: () => 1, L: 1, E: 1, Iy: 1, a: (c) => (c.overhang ? 0.3 : 0.375), x: 0.5, xq: 0.15 },
  { name: 'm', middle: true, F: (c) => LOAD[c.kind] * MAGNITUDES[1].load(c.kind), L: 4, E: 2.1e11, Iy: 8.356e-5, a: () => 1.2, x: 3, xq: 0.6 },
  { name: 'long overhang', only: (c) => c.overhang, F: (c) => LOAD[c.kind], L: 4000, E: 210000, Iy: 8.356e7, a: () => 1e6, x: 1000, xq: 5e5 },
];

// The texts' boxes, and what they must keep clear of, in the drawing's px.
const layoutOf = (page) =>
  page.evaluate(() => {
    const svg = document.querySelector('#drawing svg');
    const box = (e) => {
      const b = e.getBBox();
      return [b.x, b.y, b.x + b.width, b.y + b.height];
    };
    const named = (e) => e.textContent || e.closest('[data-role]')?.dataset.role || e.getAttribute('class');
    const texts = [...svg.querySelectorAll('text')].map((t) => ({ name: t.textContent, box: box(t) }));
    const shapes = [...svg.querySelectorAll('[data-role="beam"], polygon, circle')].map((e) => ({ name: named(e), box: box(e) }));
    const lines = [];
    for (const l of svg.querySelectorAll('line')) {
      const [x1, y1, x2, y2] = ['x1', 'y1', 'x2', 'y2'].map((a) => Number(l.getAttribute(a)));
      lines.push({ name: l.closest('[data-role]')?.dataset.role ?? 'line', from: [x1, y1], to: [x2, y2] });
    }
    const curve = svg.querySelector('[data-role="curve"]');
    const points = curve ? curve.getAttribute('points').trim().split(' ').map((p) => p.split(',').map(Number)) : [];
    for (let k = 1; k < points.length; ++k) lines.push({ name: 'curve', from: points[k - 1], to: points[k] });
    // Each dimension line, and the middle of its value's text.
    const dimensions = [...svg.querySelectorAll('[data-role^="dimension-"]')].map((g) => {
      const line = g.querySelector('line');
      const text = box(g.querySelector('text'));
      return {
        name: g.querySelector('text').textContent,
        middle: (Number(line.getAttribute('x1')) + Number(line.getAttribute('x2'))) / 2,
        y: Number(line.getAttribute('y1')),
        text: [(text[0] + text[2]) / 2, text[3]],
      };
    });
    return { texts, shapes, lines, dimensions };
  });

const overlaps = (a, b) => a[0] < b[2] && b[0] < a[2] && a[1] < b[3] && b[1] < a[3];

// Whether the segment from p to q passes through box b (sampled finely).
function passes(b, p, q) {
  const steps = Math.max(1, Math.ceil(Math.hypot(q[0] - p[0], q[1] - p[1])));
  for (let k = 0; k <= steps; ++k) {
    const x = p[0] + ((q[0] - p[0]) * k) / steps;
    const y = p[1] + ((q[1] - p[1]) * k) / steps;
    if (x > b[0] && x < b[2] && y > b[1] && y < b[3]) return true;
  }
  return false;
}

describe('no label collides with another, with a shape or with a line', () => {
  for (const c of CASES) {
    test(`case ${c.nr}`, async () => {
      for (const phone of [false, true]) {
        const page = phone ? await chromium.open(390, 844) : await chromium.open(1366, 657);
        for (const v of AUDIT.filter((row) => (row.only?.(c) ?? true) && (!phone || row.phone))) {
          const what = `case ${c.nr}, ${v.name}${phone ? ', phone' : ''}`;
          const input = `n${c.nr}\nf${v.F(c)}\nl${v.L} ${v.E} ${v.Iy}\na${v.a(c)}\nx${v.x}\n${c.overhang ? `${v.xq}\n` : ''}g`;
          await page.evaluate((text) => window.veldraPage.screen.paste(text), input);
          await awaitOutputEnding(page, 'weiter mit bel.Taste..');
          await awaitIdle(page);
          const { texts, shapes, lines, dimensions } = await layoutOf(page);
          const found = [];
          texts.forEach((t, k) => {
            for (const other of texts.slice(k + 1)) if (overlaps(t.box, other.box)) found.push(`"${t.name}" over "${other.name}"`);
            for (const s of shapes) if (overlaps(t.box, s.box)) found.push(`"${t.name}" over ${s.name}`);
            for (const l of lines) if (passes(t.box, l.from, l.to)) found.push(`"${t.name}" crossed by ${l.name}`);
          });
          for (const d of v.middle ? dimensions : []) {
            if (Math.abs(d.text[0] - d.middle) > 1 || d.text[1] > d.y) found.push(`"${d.name}" not over the middle of its line`);
          }
          assert.deepEqual([...new Set(found)], [], what);
          await page.evaluate(() => window.veldraPage.screen.paste(' '));
        }
        assert.deepEqual(page.errors, []);
        await page.close();
      }
    });
  }
});
