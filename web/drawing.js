// The beam drawn beside the terminal: supports, load, deflection line and
// markers, from the description the program gives (app/drawing.h). Every
// number shown comes from there; this only places and draws.

const SVG = 'http://www.w3.org/2000/svg';
const WIDTH = 600;
const HEIGHT = 440;
const LEFT = 50;
const RIGHT = 50;
const AXIS = 180; // the beam's axis; deflection is drawn downwards from it
const LOAD = 60; // how far above the beam a load is drawn
const LEGEND = 312; // where the markers' numbers are listed
const TAGS = { x: 'x', xq: 'xq', xm: 'xm', f: 'f' };

const NOTES = {
  'no-case': 'Kein Biegefall gewählt: Taste n, dann die Nummer des Biegefalls.',
  'no-span': 'Keine Biegelinie: die Länge L (beim Kragarm auch a) fehlt oder ist nicht positiv.',
  'force-off-span': 'Keine Biegelinie: die Kraft steht außerhalb der Stützweite (a zwischen 0 und L).',
  'force-on-support': 'Keine Biegelinie: die Kraft steht auf einem Lager (a = 0 oder a = L) und biegt den Träger nicht.',
  'not-finite': 'Keine Biegelinie: mit diesen Werten ist sie nicht endlich (E, Iy oder a null, unendlich oder nan).',
};

function element(parent, name, attributes = {}, text = null) {
  const e = document.createElementNS(SVG, name);
  for (const [key, value] of Object.entries(attributes)) e.setAttribute(key, value);
  if (text !== null) e.textContent = text;
  parent.appendChild(e);
  return e;
}

function label(parent, x, y, text, attributes = {}) {
  return element(parent, 'text', { x, y, class: 'label', ...attributes }, text);
}

// An arrow from (x1, y1) to (x2, y2), its head at the second point.
function arrow(parent, x1, y1, x2, y2, attributes = {}) {
  const g = element(parent, 'g', attributes);
  element(g, 'line', { x1, y1, x2, y2, class: 'load' });
  const angle = Math.atan2(y2 - y1, x2 - x1);
  const head = (a) => `${x2 - 10 * Math.cos(angle + a)},${y2 - 10 * Math.sin(angle + a)}`;
  element(g, 'polygon', { points: `${x2},${y2} ${head(0.45)} ${head(-0.45)}`, class: 'load-head' });
  return g;
}

// Replaces the content of `container` with the drawing of `d`.
export function drawBeam(container, d) {
  container.replaceChildren();
  const svg = element(container, 'svg', {
    viewBox: `0 0 ${WIDTH} ${HEIGHT}`,
    role: 'img',
    'aria-label': `Biegefall ${d.case}`,
    'data-case': d.case,
    'data-status': d.status,
  });
  label(svg, 16, 30, `Biegefall ${d.case}`, { class: 'title' });

  const length = d.beam === 'overhang' ? d.L + d.a : d.L;
  const drawable = d.beam !== undefined && Number.isFinite(length) && d.L > 0 && length > 0;
  if (drawable) drawStructure(svg, d, length);
  if (d.status !== 'sampled') {
    const note = element(svg, 'text', { x: 16, y: 62, class: 'note', 'data-role': 'note' });
    // Two lines at most: the reason, then what to do about it.
    NOTES[d.status].split(': ').forEach((part, k) => {
      element(note, 'tspan', { x: 16, dy: k === 0 ? 0 : 20 }, k === 0 ? `${part}:` : part);
    });
    return svg;
  }
  drawLine(svg, d, length);
  return svg;
}

function scaleOf(d, length) {
  const sx = (WIDTH - LEFT - RIGHT) / length;
  return { sx, x: (at) => LEFT + at * sx, y: (w) => AXIS + w * sx * d.exaggeration };
}

function drawStructure(svg, d, length) {
  const { sx, x } = scaleOf(d, length);
  svg.setAttribute('data-x0', LEFT);
  svg.setAttribute('data-sx', sx);
  svg.setAttribute('data-axis', AXIS);
  element(svg, 'line', { x1: x(0), y1: AXIS, x2: x(length), y2: AXIS, class: 'beam', 'data-role': 'beam' });

  if (d.beam === 'cantilever') {
    const g = element(svg, 'g', { 'data-role': 'clamp', 'data-at': d.L });
    element(g, 'line', { x1: x(d.L), y1: AXIS - 40, x2: x(d.L), y2: AXIS + 40, class: 'support' });
    for (let k = -40; k < 40; k += 10) {
      element(g, 'line', { x1: x(d.L), y1: AXIS + k, x2: x(d.L) + 12, y2: AXIS + k + 10, class: 'hatch' });
    }
    label(g, x(d.L) + 18, AXIS + 58, 'Einspannung B', { 'text-anchor': 'end' });
    // On the side of the beam that the free end does not move to.
    const freeEndY = d.sign >= 0 ? AXIS - LOAD - 14 : AXIS + 40;
    label(svg, x(0), freeEndY, 'freies Ende A', { 'data-role': 'free-end', 'text-anchor': 'start' });
  } else {
    pin(svg, x(0), 'support-a', 'Lager A', false);
    pin(svg, x(d.L), 'support-b', 'Lager B', true);
  }
  if (d.beam === 'overhang') {
    const g = element(svg, 'g', { 'data-role': 'overhang', 'data-from': d.L, 'data-to': length });
    label(g, (x(d.L) + x(length)) / 2, AXIS - LOAD - 28, 'Kragarm', { 'text-anchor': 'middle' });
    label(g, x(length), AXIS + 26, 'C', { 'text-anchor': 'middle' });
  }
  drawLoad(svg, d, x);
}

// A support: a triangle under the beam; a roller (free to slide) stands on
// two small wheels.
function pin(svg, px, role, name, roller) {
  const g = element(svg, 'g', { 'data-role': role });
  element(g, 'polygon', { points: `${px},${AXIS + 3} ${px - 12},${AXIS + 24} ${px + 12},${AXIS + 24}`, class: 'support' });
  if (roller) {
    element(g, 'circle', { cx: px - 6, cy: AXIS + 28, r: 4, class: 'support' });
    element(g, 'circle', { cx: px + 6, cy: AXIS + 28, r: 4, class: 'support' });
  }
  element(g, 'line', { x1: px - 18, y1: AXIS + 33, x2: px + 18, y2: AXIS + 33, class: 'ground' });
  label(g, px, AXIS + 52, name, { 'text-anchor': 'middle' });
}

// The load above the beam; it points the way its sign says (down for a
// positive F, as a positive deflection does).
function drawLoad(svg, d, x) {
  const down = d.sign >= 0;
  const tip = AXIS - 4;
  const tail = AXIS - LOAD;
  const load = d.load;
  const name = { force: 'F', moment: 'M', uniform: 'q', rising: 'q', falling: 'q' }[load.kind];
  if (load.kind === 'force') {
    const px = x(load.at);
    const g = down ? arrow(svg, px, tail, px, tip) : arrow(svg, px, tip, px, tail);
    g.setAttribute('data-role', 'load-force');
    g.setAttribute('data-at', load.at);
    g.setAttribute('data-direction', down ? 'down' : 'up');
    label(g, px + 8, tail + 4, name);
    return;
  }
  if (load.kind === 'moment') {
    // Positive turns the way that bends the beam down: at the left end of a
    // beam on two supports clockwise, at its right end and at a cantilever's
    // free end anticlockwise.
    const clockwise = (d.beam === 'span' && load.at === 0) === down;
    const px = x(load.at);
    const r = 26;
    const g = element(svg, 'g', {
      'data-role': 'load-moment',
      'data-at': load.at,
      'data-direction': clockwise ? 'clockwise' : 'anticlockwise',
    });
    // A three-quarter circle above the point, its head at the end it turns to.
    const start = clockwise ? [px - r, AXIS] : [px + r, AXIS];
    const end = [px, AXIS - r];
    element(g, 'path', {
      d: `M ${start[0]} ${start[1]} A ${r} ${r} 0 0 ${clockwise ? 1 : 0} ${end[0]} ${end[1]}`,
      class: 'load',
    });
    const dir = clockwise ? 1 : -1;
    element(g, 'polygon', {
      points: `${end[0] + dir * 9},${end[1]} ${end[0] - dir * 2},${end[1] - 6} ${end[0] - dir * 2},${end[1] + 6}`,
      class: 'load-head',
    });
    label(g, px + 8, AXIS - r - 12, name);
    return;
  }
  // A line load: a block or a triangle, with arrows under it.
  const x1 = x(load.from);
  const x2 = x(load.to);
  const height = (px) => {
    const t = (px - x1) / (x2 - x1);
    if (load.kind === 'rising') return LOAD * t;
    if (load.kind === 'falling') return LOAD * (1 - t);
    return LOAD * 0.6;
  };
  const role = load.kind === 'uniform' ? 'load-uniform' : 'load-triangle';
  const g = element(svg, 'g', { 'data-role': role, 'data-from': load.from, 'data-to': load.to });
  if (load.kind !== 'uniform') g.setAttribute('data-shape', load.kind);
  g.setAttribute('data-direction', down ? 'down' : 'up');
  element(g, 'polygon', {
    points: `${x1},${tip} ${x1},${tip - height(x1)} ${x2},${tip - height(x2)} ${x2},${tip}`,
    class: 'line-load',
  });
  const arrows = Math.max(2, Math.round((x2 - x1) / 45));
  for (let k = 0; k <= arrows; ++k) {
    const px = x1 + ((x2 - x1) * k) / arrows;
    const h = height(px);
    if (h < 10) continue;
    if (down) arrow(g, px, tip - h, px, tip);
    else arrow(g, px, tip, px, tip - h);
  }
  // The name stands at the load's highest end.
  if (load.kind === 'falling') label(g, x1 - 16, tip - height(x1) + 4, name);
  else label(g, x2 + 6, tip - height(x2) + 4, name);
}

function drawLine(svg, d, length) {
  const { x, y } = scaleOf(d, length);
  // Full precision: the line's flat extreme stays where it is.
  const points = d.points.map(([at, w]) => `${x(at)},${y(w)}`).join(' ');
  element(svg, 'polyline', { points, class: 'curve', 'data-role': 'curve', 'data-points': d.points.length });
  element(svg, 'text', { x: 16, y: HEIGHT - 14, class: 'scale', 'data-role': 'scale' },
    `Biegelinie, Überhöhung ${d.exaggeration} : 1`);

  // Each marker: a point on the line with its tag, and its numbers, as key g
  // prints them, listed under the drawing.
  let row = 0;
  const tagged = [];
  for (const m of d.markers) {
    const px = x(m.at);
    const py = y(m.w);
    const g = element(svg, 'g', { 'data-role': `marker-${m.role}`, 'data-at': m.at, 'data-w': m.w });
    element(g, 'line', { x1: px, y1: AXIS, x2: px, y2: py, class: 'marker-line' });
    element(g, 'circle', { cx: px, cy: py, r: 4, class: 'marker' });
    // A tag close to another one goes to the other side of its point.
    const crowded = tagged.some((t) => Math.abs(t - px) < 40);
    tagged.push(px);
    const tagY = (py >= AXIS) !== crowded ? py + 18 : py - 9;
    label(g, px + 5, tagY, TAGS[m.role], { class: 'label marker-tag' });
    label(g, 16, LEGEND + 18 * row, TAGS[m.role], { class: 'label marker-tag' });
    for (const text of m.labels) {
      label(g, 56, LEGEND + 18 * row, text, { class: 'label marker-label' });
      row += 1;
    }
  }
}
