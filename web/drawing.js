// The beam drawn beside the terminal, from the description that the program
// gives (src/drawing/drawing_json.h): supports, load, dimension lines, the
// deflection line and its marks. Every position, value, text and name comes
// from there, positions as fractions of the beam's drawn length; this only
// places and draws them.

const SVG = 'http://www.w3.org/2000/svg';
const WIDTH = 600;
const HEIGHT = 500;
const LEFT = 60;
const BEAM = 480; // the drawn beam's length in px
const AXIS = 215; // the beam's axis; downwards is the way a positive load acts
const LOAD = 60; // how far from the beam a load is drawn
const DIMENSION = AXIS + 100; // the first dimension line
const SCALE = AXIS + 160; // the line of the scale and the ratio
const LEGEND = AXIS + 186; // where the marks' numbers are listed
const ROW = 19; // one row of the legend
const FONT = 14; // the labels' size (style.css), in the drawing's units
const CHAR = FONT * 0.62; // the width of one character, near enough

const px = (u) => LEFT + u * BEAM;
const py = (v) => AXIS + v * BEAM;

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

// Breaks `text` into lines of at most `width` px at blanks.
function wrap(text, width, size = FONT) {
  const most = Math.max(8, Math.floor(width / (size * 0.6)));
  const lines = [];
  let line = '';
  for (const word of text.split(' ')) {
    if (line !== '' && line.length + 1 + word.length > most) {
      lines.push(line);
      line = '';
    }
    line = line === '' ? word : `${line} ${word}`;
  }
  if (line !== '') lines.push(line);
  return lines;
}

// Text of several lines, from (x, y) down; returns the y under the last.
function paragraph(parent, x, y, text, attributes, size = FONT) {
  const lines = wrap(text, WIDTH - x - 16, size);
  const t = element(parent, 'text', { x, y, ...attributes });
  lines.forEach((line, k) => element(t, 'tspan', { x, dy: k === 0 ? 0 : size + 3 }, line));
  return y + lines.length * (size + 3);
}

// An arrow from (x1, y1) to (x2, y2), its head at the second point.
function arrow(parent, x1, y1, x2, y2) {
  const g = element(parent, 'g');
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
    'aria-label': `${d.title}. ${d.summary}`,
    'data-case': d.case,
    'data-status': d.status,
    'data-x0': LEFT,
    'data-width': BEAM,
    'data-axis': AXIS,
  });
  element(svg, 'title', {}, `${d.title}. ${d.summary}`);
  label(svg, 16, 28, d.title, { class: 'title', 'data-role': 'title' });
  let y = 50;
  if (d.subtitle) y = paragraph(svg, 16, y, d.subtitle, { class: 'label subtitle' }) + 4;
  for (const note of d.notes) {
    y = paragraph(svg, 16, y + 4, note.text, { class: 'note', 'data-role': 'note', 'data-kind': note.kind });
  }

  const taken = new Boxes();
  if (d.beam !== undefined) drawStructure(svg, d, taken);
  if (d.line !== undefined) drawLine(svg, d, taken);
  return svg;
}

// Boxes already covered by text, so that a tag finds a free place.
class Boxes {
  constructor() {
    this.boxes = [];
  }
  add(x, y, text, anchor = 'start') {
    const w = text.length * CHAR;
    const left = anchor === 'end' ? x - w : anchor === 'middle' ? x - w / 2 : x;
    this.boxes.push([left - 3, y - FONT, left + w + 3, y + 3]);
  }
  free(x, y, text) {
    const box = [x - 3, y - FONT, x + text.length * CHAR + 3, y + 3];
    const inside = box[0] >= 0 && box[2] <= WIDTH && box[1] >= 0 && box[3] <= HEIGHT;
    return inside && this.boxes.every((b) => box[2] <= b[0] || box[0] >= b[2] || box[3] <= b[1] || box[1] >= b[3]);
  }
}

function placed(parent, taken, x, y, text, attributes = {}) {
  taken.add(x, y, text, attributes['text-anchor']);
  return label(parent, x, y, text, attributes);
}

function drawStructure(svg, d, taken) {
  element(svg, 'line', { x1: px(0), y1: AXIS, x2: px(1), y2: AXIS, class: 'beam', 'data-role': 'beam' });
  // A free end's name goes to the side it does not move to, beyond the load.
  const down = d.load?.down ?? true;
  for (const s of d.supports) {
    if (s.kind === 'clamp') clamp(svg, taken, px(s.u), s.role, s.name);
    else pin(svg, taken, px(s.u), s.role, s.name, s.kind === 'roller');
  }
  for (const e of d.ends) {
    // The beam's right end is named beyond it; its left end above or below.
    if (e.u === 1) {
      placed(svg, taken, px(1) + 8, AXIS + 5, e.name, { 'data-role': e.role });
    } else {
      placed(svg, taken, px(e.u), down ? AXIS - LOAD - 26 : AXIS + LOAD + 16, e.name, { 'data-role': e.role });
    }
  }
  if (d.overhang) {
    const g = element(svg, 'g', { 'data-role': 'overhang', 'data-from': d.overhang.from, 'data-to': d.overhang.to });
    const mid = (px(d.overhang.from) + px(d.overhang.to)) / 2;
    placed(g, taken, mid, down ? AXIS + 40 : AXIS - 30, d.overhang.name, { 'text-anchor': 'middle' });
  }
  d.dimensions.forEach((dim, k) => dimension(svg, taken, dim, k));
  if (d.load) drawLoad(svg, d.load, taken);
}

// A support: a triangle under the beam; a roller (free to slide) stands on
// two small wheels.
function pin(svg, taken, x, role, name, roller) {
  const g = element(svg, 'g', { 'data-role': role, 'data-x': x });
  element(g, 'polygon', { points: `${x},${AXIS + 3} ${x - 12},${AXIS + 24} ${x + 12},${AXIS + 24}`, class: 'support' });
  if (roller) {
    element(g, 'circle', { cx: x - 6, cy: AXIS + 28, r: 4, class: 'support' });
    element(g, 'circle', { cx: x + 6, cy: AXIS + 28, r: 4, class: 'support' });
  }
  element(g, 'line', { x1: x - 18, y1: AXIS + 33, x2: x + 18, y2: AXIS + 33, class: 'ground' });
  placed(g, taken, x, AXIS + 52, name, { 'text-anchor': 'middle' });
}

// A clamp: a wall with hatching behind the beam's end.
function clamp(svg, taken, x, role, name) {
  const g = element(svg, 'g', { 'data-role': role, 'data-x': x });
  element(g, 'line', { x1: x, y1: AXIS - 40, x2: x, y2: AXIS + 40, class: 'support' });
  for (let k = -40; k < 40; k += 10) {
    element(g, 'line', { x1: x, y1: AXIS + k, x2: x + 12, y2: AXIS + k + 10, class: 'hatch' });
  }
  placed(g, taken, x + 12, AXIS + 58, name, { 'text-anchor': 'end' });
}

// A dimension line under the beam with its value above it.
function dimension(svg, taken, dim, k) {
  const y = DIMENSION + 24 * k;
  const x1 = px(dim.from);
  const x2 = px(dim.to);
  const g = element(svg, 'g', { 'data-role': dim.role, 'data-from': dim.from, 'data-to': dim.to });
  element(g, 'line', { x1, y1: y, x2, y2: y, class: 'dimension' });
  for (const x of [x1, x2]) element(g, 'line', { x1: x, y1: y - 6, x2: x, y2: y + 6, class: 'dimension' });
  placed(g, taken, (x1 + x2) / 2, y - 4, dim.label, { 'text-anchor': 'middle', class: 'label dimension-label' });
}

// The load on the side of the beam it pushes from: above for a load that
// points down, below for one that points up, so the line bends away from it.
function drawLoad(svg, load, taken) {
  const down = load.down;
  const near = down ? AXIS - 4 : AXIS + 4; // the arrows' tips, at the beam
  const far = down ? AXIS - LOAD : AXIS + LOAD;
  const labelY = down ? far - 6 : far + FONT + 4;
  if (load.kind === 'force') {
    const x = px(load.u);
    const g = arrow(svg, x, far, x, near);
    setData(g, { role: 'load-force', u: load.u, direction: down ? 'down' : 'up', tip: near, tail: far });
    placed(g, taken, load.u > 0.7 ? x - 8 : x + 8, labelY, load.label, { 'text-anchor': load.u > 0.7 ? 'end' : 'start' });
    return;
  }
  if (load.kind === 'moment') {
    // A quarter circle on the load's side of the point, its head where it
    // turns to; clockwise or not as the description says, on either side.
    const x = px(load.u);
    const r = 26;
    const side = down ? -1 : 1; // above or below the beam
    const turn = load.clockwise ? 1 : -1;
    const g = element(svg, 'g');
    setData(g, { role: 'load-moment', u: load.u, direction: load.clockwise ? 'clockwise' : 'anticlockwise' });
    const start = [x + turn * side * r, AXIS];
    const end = [x, AXIS + side * r];
    element(g, 'path', {
      d: `M ${start[0]} ${start[1]} A ${r} ${r} 0 0 ${load.clockwise ? 1 : 0} ${end[0]} ${end[1]}`,
      class: 'load',
    });
    // Moving along the circle at its end: right above the point when clockwise.
    const dir = -side * turn;
    element(g, 'polygon', {
      points: `${end[0] + dir * 9},${end[1]} ${end[0] - dir * 2},${end[1] - 6} ${end[0] - dir * 2},${end[1] + 6}`,
      class: 'load-head',
    });
    placed(g, taken, load.u > 0.7 ? x - 12 : x + 12, down ? AXIS - r - 10 : AXIS + r + FONT + 8, load.label, {
      'text-anchor': load.u > 0.7 ? 'end' : 'start',
    });
    return;
  }
  // A line load: a block or a triangle, with arrows in it.
  const x1 = px(load.from);
  const x2 = px(load.to);
  const depth = (x) => {
    const t = (x - x1) / (x2 - x1);
    if (load.kind === 'rising') return LOAD * t;
    if (load.kind === 'falling') return LOAD * (1 - t);
    return LOAD * 0.6;
  };
  const at = (x) => (down ? near - depth(x) : near + depth(x));
  const g = element(svg, 'g');
  setData(g, {
    role: load.kind === 'uniform' ? 'load-uniform' : 'load-triangle',
    from: load.from,
    to: load.to,
    direction: down ? 'down' : 'up',
  });
  if (load.kind !== 'uniform') g.dataset.shape = load.kind;
  element(g, 'polygon', { points: `${x1},${near} ${x1},${at(x1)} ${x2},${at(x2)} ${x2},${near}`, class: 'line-load' });
  const arrows = Math.max(2, Math.round((x2 - x1) / 45));
  for (let k = 0; k <= arrows; ++k) {
    const x = x1 + ((x2 - x1) * k) / arrows;
    if (depth(x) < 10) continue;
    arrow(g, x, at(x), x, near);
  }
  // The value stands at the load's deepest end.
  const deepest = load.kind === 'falling' ? x1 : x2;
  const endAnchor = deepest > px(0.7);
  placed(g, taken, endAnchor ? deepest - 6 : deepest + 6, down ? at(deepest) - 6 : at(deepest) + FONT + 4, load.label, {
    'text-anchor': endAnchor ? 'end' : 'start',
  });
}

function setData(e, values) {
  for (const [key, value] of Object.entries(values)) e.dataset[key] = value;
}

function drawLine(svg, d, taken) {
  const points = d.line.map(([u, v]) => `${px(u)},${py(v)}`).join(' ');
  element(svg, 'polyline', { points, class: 'curve', 'data-role': 'curve', 'data-points': d.line.length });
  label(svg, 16, SCALE, d.scale, { class: 'scale', 'data-role': 'scale' });
  if (d.ratio) label(svg, WIDTH - 16, SCALE, d.ratio, { class: 'label ratio', 'data-role': 'ratio', 'text-anchor': 'end' });

  // Each mark: a point on the line with its tag, and its numbers, as key g
  // printed them, listed under the drawing.
  let row = 0;
  for (const m of d.markers) {
    const x = px(m.u);
    const y = py(m.v);
    const g = element(svg, 'g', { 'data-role': m.role, 'data-u': m.u, 'data-v': m.v });
    element(g, 'line', { x1: x, y1: AXIS, x2: x, y2: y, class: 'marker-line' });
    element(g, 'circle', { cx: x, cy: y, r: 4, class: 'marker' });
    const tag = m.tag;
    // Beside the point on the side the line bends to, else where there is room.
    const away = m.v >= 0 ? 1 : -1;
    const tries = [
      [x + 6, y + away * 18],
      [x + 6, y - away * 8],
      [x - 6 - tag.length * CHAR, y + away * 18],
      [x - 6 - tag.length * CHAR, y - away * 8],
      [x + 6, y + away * 36],
    ];
    const [tx, ty] = tries.find(([tx2, ty2]) => taken.free(tx2, ty2, tag)) ?? tries[0];
    placed(g, taken, tx, ty, tag, { class: 'label marker-tag' });
    if (m.labels.length > 0) label(g, 16, LEGEND + ROW * row, tag, { class: 'label marker-tag' });
    for (const l of m.labels) {
      const t = label(g, 56, LEGEND + ROW * row, l.shown, { class: 'label marker-label', 'data-text': l.text });
      if (l.shown !== l.text) element(t, 'title', {}, l.text);
      row += 1;
    }
  }
  if (d.legend) label(svg, 16, LEGEND, d.legend, { class: 'label legend', 'data-role': 'legend' });
}
