// The beam drawn beside the terminal, from the description that the program
// gives (src/drawing/drawing_json.h): supports, load, dimension lines, the
// deflection line and its marks. Every position, value, text and name comes
// from there, positions as fractions of the beam's drawn length; this only
// places and draws them. The shapes come first; then each label takes the
// first of its places that meets no shape, no line and no other label.

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
const FONT = 14; // the labels' size, in the drawing's units, where it is shown wide enough
const LEGIBLE = 11; // the least size of its text on the screen, in CSS px
const LARGEST = 18; // and the largest its labels take to reach it, which still fit
const CLEAR = 2; // the least room between a label and anything else, in px

// The labels' size of the drawing being made (drawBeam), and what follows
// from it: one row of the legend, the width of one character near enough
// until measured.
let font = FONT;
const row = () => font + 5;
const char = () => font * 0.62;

// The labels' size for a drawing shown in `container`: 14 units, more where
// it is shown so narrow (a phone) that they would be under 11 CSS px.
export function labelSizeIn(container) {
  const shown = container.clientWidth;
  if (!(shown > 0)) return FONT;
  return Math.max(FONT, Math.min(LARGEST, Math.ceil((LEGIBLE * WIDTH) / shown)));
}

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
function wrap(text, width, size = font) {
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
function paragraph(parent, x, y, text, attributes, size = font) {
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

// Replaces the content of `container` with the drawing of `d`, its labels
// at `size` (labelSizeIn(container)).
export function drawBeam(container, d, size = labelSizeIn(container)) {
  font = size;
  container.replaceChildren();
  const svg = element(container, 'svg', {
    style: `font-size: ${font}px`,
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
  const room = new Room();
  room.text(label(svg, 16, 28, d.title, { class: 'title', 'data-role': 'title' }));
  let y = 36 + font;
  if (d.subtitle) y = paragraph(svg, 16, y, d.subtitle, { class: 'label subtitle' }) + 4;
  if (d.source) y = paragraph(svg, 16, y, d.source, { class: 'label subtitle', 'data-role': 'source' }) + 4;
  for (const note of d.notes) {
    y = paragraph(svg, 16, y + 4, note.text, { class: 'note', 'data-role': 'note', 'data-kind': note.kind });
  }
  room.box([0, 0, WIDTH, y]);

  // Shapes first, each label with the places it may take, in the order
  // they are offered: the first that is free is taken.
  const labels = [];
  if (d.beam !== undefined) drawStructure(svg, d, room, labels);
  if (d.line !== undefined) drawLine(svg, d, room, labels);
  for (const l of labels) room.place(l);
  return svg;
}

// What the drawing already covers: boxes [left, top, right, bottom] and line
// segments [x1, y1, x2, y2], so that a label finds a free place.
class Room {
  constructor() {
    this.boxes = [];
    this.segments = [];
  }

  box(b) {
    this.boxes.push(b);
  }

  segment(x1, y1, x2, y2) {
    this.segments.push([x1, y1, x2, y2]);
  }

  // The polyline through `points` ([x, y] pairs).
  polyline(points) {
    for (let k = 1; k < points.length; ++k) this.segment(...points[k - 1], ...points[k]);
  }

  // What a shape or a text covers, as the browser has laid it out.
  shape(e) {
    const b = e.getBBox();
    this.box([b.x, b.y, b.x + b.width, b.y + b.height]);
  }

  text(e) {
    this.shape(e);
  }

  free(b) {
    const inside = b[0] >= 0 && b[2] <= WIDTH && b[1] >= 0 && b[3] <= HEIGHT;
    const grown = [b[0] - CLEAR, b[1] - CLEAR, b[2] + CLEAR, b[3] + CLEAR];
    return inside && !this.boxes.some((o) => overlap(grown, o)) && !this.segments.some((s) => crosses(grown, s));
  }

  // Writes the label {parent, text, attributes, places: [[x, y, anchor]]} at
  // the first of its places that is free; where none is, at the free place
  // nearest the first; and takes the room it covers.
  place({ parent, text, attributes = {}, places }) {
    const [x0, y0, anchor0] = places[0];
    const t = label(parent, x0, y0, text, { ...attributes, 'text-anchor': anchor0 });
    const size = sizeOf(t, x0, y0, anchor0);
    // Where the text starts for an anchor: its advance before x, and its box
    // from there (a slanted letter's box reaches beyond its advance).
    const start = (x, anchor) => x - (anchor === 'end' ? size.advance : anchor === 'middle' ? size.advance / 2 : 0);
    const boxAt = ([x, y, anchor]) => {
      const left = start(x, anchor) + size.left;
      return [left, y + size.above, left + size.width, y + size.above + size.height];
    };
    const moved = NEARBY.map(([dx, dy]) => [x0 + dx, y0 + dy, anchor0]);
    const [x, y, anchor] = [...places, ...moved].find((p) => this.free(boxAt(p))) ?? places[0];
    t.setAttribute('x', x);
    t.setAttribute('y', y);
    t.setAttribute('text-anchor', anchor);
    this.box(boxAt([x, y, anchor]));
    return t;
  }
}

// Steps away from a place, nearest first, in rings 6 px apart out to 180 px.
const NEARBY = (() => {
  const steps = [];
  for (let r = 6; r <= 180; r += 6) {
    for (let d = -r; d <= r; d += 6) steps.push([d, -r], [d, r]);
    for (let d = -r + 6; d < r; d += 6) steps.push([-r, d], [r, d]);
  }
  return steps.sort((p, q) => Math.hypot(...p) - Math.hypot(...q));
})();

// The size of text `t` written at (x, y) with `anchor`: its box, how far
// the box's left stands right of the text's start and its top above y, and
// the advance of the text; as laid out, or as estimated where the browser
// lays out nothing (a drawing not shown).
function sizeOf(t, x, y, anchor) {
  const b = t.getBBox();
  if (!(b.width > 0)) {
    const width = t.textContent.length * char();
    return { width, height: font + 4, above: -font, left: 0, advance: width };
  }
  const advance = t.getComputedTextLength();
  const startAt = x - (anchor === 'end' ? advance : anchor === 'middle' ? advance / 2 : 0);
  return { width: b.width, height: b.height, above: b.y - y, left: b.x - startAt, advance };
}

const overlap = (a, b) => a[0] < b[2] && b[0] < a[2] && a[1] < b[3] && b[1] < a[3];

// Whether segment s meets box b: an end inside, or an edge crossed.
function crosses(b, [x1, y1, x2, y2]) {
  if (Math.max(x1, x2) < b[0] || Math.min(x1, x2) > b[2] || Math.max(y1, y2) < b[1] || Math.min(y1, y2) > b[3]) {
    return false;
  }
  const inside = (x, y) => x >= b[0] && x <= b[2] && y >= b[1] && y <= b[3];
  if (inside(x1, y1) || inside(x2, y2)) return true;
  // The corners on both sides of the segment's line: it passes through.
  const side = (x, y) => Math.sign((x2 - x1) * (y - y1) - (y2 - y1) * (x - x1));
  const corners = [side(b[0], b[1]), side(b[2], b[1]), side(b[0], b[3]), side(b[2], b[3])];
  return corners.some((c) => c > 0) && corners.some((c) => c < 0);
}

function drawStructure(svg, d, room, labels) {
  element(svg, 'line', { x1: px(0), y1: AXIS, x2: px(1), y2: AXIS, class: 'beam', 'data-role': 'beam' });
  room.box([px(0) - 3, AXIS - 3, px(1) + 3, AXIS + 3]);
  // The dimensions' values first: each at the middle of its line.
  d.dimensions.forEach((dim, k) => dimension(svg, room, labels, dim, k));
  // A free end's name goes first to the side it does not move to, beyond the load.
  const down = d.load?.down ?? true;
  for (const s of d.supports) {
    if (s.kind === 'clamp') clamp(svg, room, labels, px(s.u), s.role, s.name);
    else pin(svg, room, labels, px(s.u), s.role, s.name, s.kind === 'roller');
  }
  if (d.load) drawLoad(svg, d.load, room, labels);
  for (const e of d.ends) {
    const x = px(e.u);
    const g = element(svg, 'g', { 'data-role': e.role, 'data-x': x });
    // The beam's right end is named beyond it; its left end above or below.
    const places =
      e.u === 1
        ? [[x + 8, AXIS + 5, 'start'], [x, AXIS - 14, 'end'], [x, AXIS + 24, 'end']]
        : [down ? AXIS - LOAD - 26 : AXIS + LOAD + 16, down ? AXIS + LOAD + 16 : AXIS - LOAD - 26, AXIS - 14, AXIS + 24].map(
            (y) => [x, y, 'start'],
          );
    labels.push({ parent: g, text: e.name, places });
  }
  if (d.overhang) {
    const g = element(svg, 'g', { 'data-role': 'overhang', 'data-from': d.overhang.from, 'data-to': d.overhang.to });
    const from = px(d.overhang.from);
    const to = px(d.overhang.to);
    // Over the overhang, on whichever side of the beam the line leaves room.
    const places = [];
    for (const y of down ? [AXIS + 40, AXIS - 30, AXIS + 72, AXIS - 56] : [AXIS - 30, AXIS + 40, AXIS - 56, AXIS + 72]) {
      places.push([(from + to) / 2, y, 'middle'], [from + 4, y, 'start'], [to - 4, y, 'end']);
    }
    labels.push({ parent: g, text: d.overhang.name, places });
  }
}

// A support: a triangle under the beam; a roller (free to slide) stands on
// two small wheels. Its name goes under it, else beside.
function pin(svg, room, labels, x, role, name, roller) {
  const g = element(svg, 'g', { 'data-role': role, 'data-x': x });
  element(g, 'polygon', { points: `${x},${AXIS + 3} ${x - 12},${AXIS + 24} ${x + 12},${AXIS + 24}`, class: 'support' });
  if (roller) {
    element(g, 'circle', { cx: x - 6, cy: AXIS + 28, r: 4, class: 'support' });
    element(g, 'circle', { cx: x + 6, cy: AXIS + 28, r: 4, class: 'support' });
  }
  element(g, 'line', { x1: x - 18, y1: AXIS + 33, x2: x + 18, y2: AXIS + 33, class: 'ground' });
  room.box([x - 18, AXIS, x + 18, AXIS + 34]);
  const places = [];
  for (const y of [AXIS + 38 + font, AXIS + 56 + font]) {
    places.push([x, y, 'middle'], [x + 22, y, 'start'], [x - 22, y, 'end']);
  }
  labels.push({ parent: g, text: name, places });
}

// A clamp: a wall with hatching behind the beam's end.
function clamp(svg, room, labels, x, role, name) {
  const g = element(svg, 'g', { 'data-role': role, 'data-x': x });
  element(g, 'line', { x1: x, y1: AXIS - 40, x2: x, y2: AXIS + 40, class: 'support' });
  for (let k = -40; k < 40; k += 10) {
    element(g, 'line', { x1: x, y1: AXIS + k, x2: x + 12, y2: AXIS + k + 10, class: 'hatch' });
  }
  room.box([x - 1, AXIS - 41, x + 13, AXIS + 41]);
  const places = [
    [x + 12, AXIS + 44 + font, 'end'],
    [x + 12, AXIS - 48, 'end'],
    [x + 12, AXIS + 62 + font, 'end'],
    [x + 12, AXIS - 66, 'end'],
  ];
  labels.push({ parent: g, text: name, places });
}

// A dimension line under the beam with its value above it, else beside or under.
function dimension(svg, room, labels, dim, k) {
  const y = DIMENSION + (font + 14) * k;
  const x1 = px(dim.from);
  const x2 = px(dim.to);
  const g = element(svg, 'g', { 'data-role': dim.role, 'data-from': dim.from, 'data-to': dim.to });
  element(g, 'line', { x1, y1: y, x2, y2: y, class: 'dimension' });
  room.segment(x1, y, x2, y);
  for (const x of [x1, x2]) {
    element(g, 'line', { x1: x, y1: y - 6, x2: x, y2: y + 6, class: 'dimension' });
    room.segment(x, y - 6, x, y + 6);
  }
  // At the middle of the line it names, clear of it below the letters' descent.
  const places = [
    [(x1 + x2) / 2, y - 5 - Math.ceil(font / 4), 'middle'],
    [x2 + 6, y + Math.round(font / 3), 'start'],
    [x1 - 6, y + Math.round(font / 3), 'end'],
  ];
  labels.push({ parent: g, text: dim.label, attributes: { class: 'label dimension-label' }, places });
}

// The load on the side of the beam it pushes from: above for a load that
// points down, below for one that points up, so the line bends away from it.
function drawLoad(svg, load, room, labels) {
  const down = load.down;
  const near = down ? AXIS - 4 : AXIS + 4; // the arrows' tips, at the beam
  const far = down ? AXIS - LOAD : AXIS + LOAD;
  const beyond = down ? -1 : 1; // away from the beam, on the load's side
  // The value beyond the load's far end, on the side with more room, else
  // beside it.
  const valueAt = (x, y, g) => {
    const right = x < px(0.7);
    const first = right ? 'start' : 'end';
    const other = right ? 'end' : 'start';
    const shift = (anchor) => (anchor === 'start' ? 8 : -8);
    const places = [];
    for (const dy of [beyond * 6 + (down ? 0 : font), -beyond * 18 + (down ? 0 : font), beyond * 26 + (down ? 0 : font)]) {
      places.push([x + shift(first), y + dy, first], [x + shift(other), y + dy, other]);
    }
    labels.push({ parent: g, text: load.label, places });
  };
  if (load.kind === 'force') {
    const x = px(load.u);
    const g = arrow(svg, x, far, x, near);
    room.box([x - 5, Math.min(far, near), x + 5, Math.max(far, near)]);
    setData(g, { role: 'load-force', u: load.u, direction: down ? 'down' : 'up', tip: near, tail: far });
    valueAt(x, far, g);
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
    room.box([x - r - 2, Math.min(AXIS, AXIS + side * (r + 7)), x + r + 2, Math.max(AXIS, AXIS + side * (r + 7))]);
    valueAt(x, AXIS + side * (r + 4), g);
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
  room.box([x1 - 5, Math.min(near, at(x1), at(x2)), x2 + 5, Math.max(near, at(x1), at(x2))]);
  // The value stands at the load's deepest end.
  valueAt(load.kind === 'falling' ? x1 : x2, at(load.kind === 'falling' ? x1 : x2), g);
}

function setData(e, values) {
  for (const [key, value] of Object.entries(values)) e.dataset[key] = value;
}

function drawLine(svg, d, room, labels) {
  const points = d.line.map(([u, v]) => [px(u), py(v)]);
  element(svg, 'polyline', {
    points: points.map((p) => p.join(',')).join(' '),
    class: 'curve',
    'data-role': 'curve',
    'data-points': d.line.length,
  });
  room.polyline(points);
  room.text(label(svg, 16, SCALE, d.scale, { class: 'scale', 'data-role': 'scale' }));
  if (d.ratio) {
    room.text(label(svg, WIDTH - 16, SCALE, d.ratio, { class: 'label ratio', 'data-role': 'ratio', 'text-anchor': 'end' }));
  }

  // Each mark: a point on the line with its tag, and its numbers, as key g
  // printed them, listed under the drawing.
  let rows = 0;
  for (const m of d.markers) {
    const x = px(m.u);
    const y = py(m.v);
    const g = element(svg, 'g', { 'data-role': m.role, 'data-u': m.u, 'data-v': m.v });
    element(g, 'line', { x1: x, y1: AXIS, x2: x, y2: y, class: 'marker-line' });
    element(g, 'circle', { cx: x, cy: y, r: 4, class: 'marker' });
    room.segment(x, AXIS, x, y);
    room.box([x - 4, y - 4, x + 4, y + 4]);
    // Beside the point on the side the line bends to, else where there is room.
    const away = m.v >= 0 ? 1 : -1;
    const places = [];
    for (const dy of [18, -8, 36, -26, 54]) places.push([x + 6, y + away * dy, 'start'], [x - 6, y + away * dy, 'end']);
    labels.push({ parent: g, text: m.tag, attributes: { class: 'label marker-tag' }, places });
    if (m.labels.length > 0) room.text(label(g, 16, LEGEND + row() * rows, m.tag, { class: 'label marker-tag' }));
    for (const l of m.labels) {
      const t = label(g, 4 * font, LEGEND + row() * rows, l.shown, { class: 'label marker-label', 'data-text': l.text });
      if (l.shown !== l.text) element(t, 'title', {}, l.text);
      room.text(t);
      rows += 1;
    }
  }
  if (d.legend) room.text(label(svg, 16, LEGEND, d.legend, { class: 'label legend', 'data-role': 'legend' }));
}
