// The terminal on the page: xterm.js set up from the geometry that the style
// sheet gives it (style.css, :root), opened at the size that fits the window,
// and an addon that keeps it fitted.

import { Terminal } from './xterm.mjs';

// A value of the style sheet's :root, as text or as a number (of px).
const style = () => getComputedStyle(document.documentElement);
const textOf = (name) => style().getPropertyValue(name).trim();
const numberOf = (name) => parseFloat(textOf(name));

// Opens the terminal in `box` at `size` ({ fontSize, cols, rows }, what
// ScreenFit.wanted() gives): every resize of xterm.js reflows and repaints,
// so it opens at the size it keeps.
export function openScreen(box, { fontSize, cols, rows }) {
  const screen = new Terminal({
    cols,
    rows,
    scrollback: 5000,
    fontFamily: textOf('--terminal-font'),
    fontSize,
    cursorBlink: true,
    // A screen reader hears each new piece of output and can browse the report.
    screenReaderMode: true,
    theme: {
      background: textOf('--terminal-background'),
      foreground: textOf('--terminal-foreground'),
      cursor: textOf('--terminal-cursor'),
    },
  });
  screen.open(box);
  screen.textarea?.setAttribute('aria-label', 'Eingabe des Rechners: Tasten des Menüs und Zahlen');
  // Tab leaves the terminal as it leaves any field: at a key wait it would
  // only bring the menu back.
  screen.attachCustomKeyEventHandler((event) => event.key !== 'Tab');
  return screen;
}

// A cell of the terminal at font size `size`, in CSS px, as xterm.js measures
// it where the browser gives a font's metrics on a canvas: the width of a W,
// and the font's height rounded up to whole device pixels.
let ruler = null;
function cellAt(size) {
  ruler ??= document.createElement('canvas').getContext('2d');
  ruler.font = `${size}px ${textOf('--terminal-font')}`;
  const w = ruler.measureText('W');
  const pixels = devicePixelRatio || 1;
  return { width: w.width, height: Math.ceil((w.fontBoundingBoxAscent + w.fontBoundingBoxDescent) * pixels) / pixels };
}

// Fits the terminal to the window: its font, from the largest size down to
// the smallest that is still legible, so that its 82 columns fit the width
// it gets, and where even that is too wide, the columns that fit (its lines
// wrap, and xterm.js reflows them); its rows, to the height that the rest of
// its column (`below`, the elements under it that must stay in view with it)
// leaves, from the least that shows a menu and a report. Width and height
// depend on the window and the other elements alone, never on the terminal,
// so that fitting cannot feed on its own result.
export class ScreenFit {
  // `layout` holds the terminal's box and the drawing (main); `below`, the
  // elements under the terminal that must be in view with it.
  constructor(layout, box, below) {
    this.layout = layout;
    this.box = box;
    this.below = below;
    this.terminal = null;
    this.onResize = () => this.fit();
  }

  activate(terminal) {
    this.terminal = terminal;
    // From now on the terminal's rows alone make its height.
    this.box.classList.add('open');
    // Fitted again where the terminal measures its font otherwise than
    // predicted, and once the fonts are in.
    this.fit();
    document.fonts?.ready.then(() => this.fit());
    addEventListener('resize', this.onResize);
  }

  dispose() {
    removeEventListener('resize', this.onResize);
  }

  fit() {
    const { fontSize, cols, rows } = this.wanted();
    const terminal = this.terminal;
    if (fontSize !== terminal.options.fontSize) terminal.options.fontSize = fontSize;
    if (cols !== terminal.cols || rows !== terminal.rows) terminal.resize(cols, rows);
  }

  // The font size, columns and rows that fit the window as it is now: from
  // the terminal's own screen once it is open, else from the font's metrics.
  wanted() {
    const outer = getComputedStyle(this.box);
    const gap = parseFloat(getComputedStyle(this.layout).columnGap) || 0;
    const beside = numberOf('--layout-columns') === 2 ? numberOf('--drawing-column') + gap : 0;
    // The scroll bar of the scrollback stands beside the columns, not on them.
    const room =
      this.layout.clientWidth -
      beside -
      parseFloat(outer.paddingLeft) -
      parseFloat(outer.paddingRight) -
      numberOf('--terminal-scroll-bar');
    const largest = numberOf('--terminal-font-largest');
    const cell = this.cellAt(largest);
    // A column's width grows with the font.
    const perColumn = cell.width / largest;
    const smallest = numberOf('--terminal-font-smallest');
    const columns = numberOf('--terminal-columns');
    const fontSize = Math.max(smallest, Math.min(largest, Math.floor(room / (columns * perColumn))));
    const cols = Math.max(20, Math.min(columns, Math.floor(room / (fontSize * perColumn))));
    // A row's height is whole pixels: measured at the font chosen.
    const rowHeight = fontSize === largest ? cell.height : this.cellAt(fontSize).height;

    // What the column holds besides the terminal's rows.
    const column = this.box.getBoundingClientRect();
    const inside = this.box.clientHeight - parseFloat(outer.paddingTop) - parseFloat(outer.paddingBottom);
    const bottom = Math.max(...this.below.map((e) => e.getBoundingClientRect().bottom));
    const others = bottom - column.top - inside;
    const spare = innerHeight - (column.top + scrollY) - others - BOTTOM;
    const least = numberOf('--terminal-rows-least');
    const rows = Math.max(least, Math.min(numberOf('--terminal-rows-most'), Math.floor(spare / rowHeight)));
    return { fontSize, cols, rows };
  }

  // A cell at font size `size`: measured on the open terminal while it has
  // that font, else predicted from the font's metrics.
  cellAt(size) {
    const terminal = this.terminal;
    const screen = this.box.querySelector('.xterm-screen');
    if (terminal === null || screen === null || terminal.options.fontSize !== size) return cellAt(size);
    const drawn = screen.getBoundingClientRect();
    return { width: drawn.width / terminal.cols, height: drawn.height / terminal.rows };
  }
}

// The room kept under the last element in view, in px.
const BOTTOM = 8;
