// The terminal on the page: xterm.js set up from the geometry that the style
// sheet gives it (style.css, :root), and an addon that fits its font to the
// width it gets.

import { Terminal } from './xterm.mjs';

// A value of the style sheet's :root, as text or as a number (of px).
const style = () => getComputedStyle(document.documentElement);
const textOf = (name) => style().getPropertyValue(name).trim();
const numberOf = (name) => parseFloat(textOf(name));

export function openScreen(box) {
  const screen = new Terminal({
    cols: numberOf('--terminal-columns'),
    rows: numberOf('--terminal-rows'),
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

// Chooses the terminal's font, from its largest size down to the smallest
// that is still legible, so that its columns fit the width it gets; below
// that its box scrolls sideways. That width is the page's, less the drawing's
// column when it stands beside the terminal: it depends on the window alone,
// never on the terminal itself, so that fitting cannot feed on its own result.
export class FontFit {
  // `layout` holds the terminal and the drawing (main).
  constructor(layout) {
    this.layout = layout;
    this.onResize = () => this.fit();
  }

  activate(terminal) {
    this.terminal = terminal;
    this.fit();
    addEventListener('resize', this.onResize);
  }

  dispose() {
    removeEventListener('resize', this.onResize);
  }

  fit() {
    const box = this.terminal.element;
    const columns = box?.querySelector('.xterm-screen');
    if (!columns) return;
    const padding = getComputedStyle(box.parentElement);
    const gap = parseFloat(getComputedStyle(this.layout).columnGap) || 0;
    const beside = numberOf('--layout-columns') === 2 ? numberOf('--drawing-column') + gap : 0;
    const room =
      this.layout.clientWidth - beside - parseFloat(padding.paddingLeft) - parseFloat(padding.paddingRight);
    const count = this.terminal.cols;
    const perColumn = columns.getBoundingClientRect().width / count / this.terminal.options.fontSize;
    // The scroll bar of the scrollback takes some room beside the columns.
    const size = Math.floor((room - 16) / (count * perColumn));
    const fitting = Math.max(numberOf('--terminal-font-smallest'), Math.min(numberOf('--terminal-font-largest'), size));
    if (fitting !== this.terminal.options.fontSize) this.terminal.options.fontSize = fitting;
  }
}
