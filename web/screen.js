// The terminal on the page: xterm.js set up from the geometry that the style
// sheet gives it (style.css, :root), and an addon that fits it to the window.

import { Terminal } from './xterm.mjs';

// A value of the style sheet's :root, as text or as a number (of px).
const style = () => getComputedStyle(document.documentElement);
const textOf = (name) => style().getPropertyValue(name).trim();
const numberOf = (name) => parseFloat(textOf(name));

export function openScreen(box) {
  const screen = new Terminal({
    cols: numberOf('--terminal-columns'),
    rows: numberOf('--terminal-rows-least'),
    scrollback: 5000,
    fontFamily: textOf('--terminal-font'),
    fontSize: numberOf('--terminal-font-largest'),
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

// Fits the terminal to the window: its font, from the largest size down to
// the smallest that is still legible, so that its 82 columns fit the width
// it gets, and where even that is too wide, the columns that fit (its lines
// wrap, and xterm.js reflows them); its rows, to the height that the rest of
// its column (`below`, the elements under it that must stay in view with it)
// leaves, from the least that shows a menu and a report. Width and height
// depend on the window and the other elements alone, never on the terminal,
// so that fitting cannot feed on its own result.
export class ScreenFit {
  // `layout` holds the terminal and the drawing (main); `below`, the
  // elements under the terminal that must be in view with it.
  constructor(layout, below) {
    this.layout = layout;
    this.below = below;
    this.onResize = () => this.fit();
  }

  activate(terminal) {
    this.terminal = terminal;
    // From now on the terminal's rows alone make its height.
    terminal.element?.parentElement.classList.add('open');
    this.fit();
    // Once the page is laid out and its fonts are in, fitted again.
    requestAnimationFrame(() => this.fit());
    document.fonts?.ready.then(() => this.fit());
    addEventListener('resize', this.onResize);
  }

  dispose() {
    removeEventListener('resize', this.onResize);
  }

  fit() {
    const terminal = this.terminal;
    const box = terminal.element;
    const screen = box?.querySelector('.xterm-screen');
    if (!screen) return;
    const outer = getComputedStyle(box.parentElement);
    const gap = parseFloat(getComputedStyle(this.layout).columnGap) || 0;
    const beside = numberOf('--layout-columns') === 2 ? numberOf('--drawing-column') + gap : 0;
    // The scroll bar of the scrollback stands beside the columns, not on them.
    const room =
      this.layout.clientWidth -
      beside -
      parseFloat(outer.paddingLeft) -
      parseFloat(outer.paddingRight) -
      numberOf('--terminal-scroll-bar');
    const drawn = screen.getBoundingClientRect();
    const perColumn = drawn.width / terminal.cols / terminal.options.fontSize;
    const largest = numberOf('--terminal-font-largest');
    const smallest = numberOf('--terminal-font-smallest');
    const wanted = numberOf('--terminal-columns');
    const size = Math.max(smallest, Math.min(largest, Math.floor(room / (wanted * perColumn))));
    const cols = Math.max(20, Math.min(wanted, Math.floor(room / (size * perColumn))));
    // A row's height is whole pixels: measured at the font chosen.
    if (size !== terminal.options.fontSize) terminal.options.fontSize = size;
    const sized = screen.getBoundingClientRect();
    const rowHeight = sized.height / terminal.rows;
    if (!(rowHeight > 0)) return;

    // What the column holds besides the terminal's rows.
    const column = box.parentElement.getBoundingClientRect();
    const bottom = Math.max(...this.below.map((e) => e.getBoundingClientRect().bottom));
    const others = bottom - column.top - sized.height;
    const spare = innerHeight - (column.top + scrollY) - others - BOTTOM;
    const least = numberOf('--terminal-rows-least');
    const rows = Math.max(least, Math.min(numberOf('--terminal-rows-most'), Math.floor(spare / rowHeight)));
    if (cols !== terminal.cols || rows !== terminal.rows) terminal.resize(cols, rows);
  }
}

// The room kept under the last element in view, in px.
const BOTTOM = 8;
