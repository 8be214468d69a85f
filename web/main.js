// The page around the calculator: the terminal, the row of command keys, and
// a fresh run whenever the last one has ended.

import { Terminal } from './xterm.mjs';
import createVeldra from './veldra.js';
import { drawBeam } from './drawing.js';
import { ProgramTerminal } from './terminal.js';

// Points of the deflection line in the drawing.
const LINE_POINTS = 401;

// The program's lines need 82 columns; the font is chosen so that they fit
// the width the terminal gets, from this size down to the smallest that is
// still legible, below which the terminal's box scrolls sideways.
const COLUMNS = 82;
const LARGEST_FONT = 14;
const SMALLEST_FONT = 12;

const screen = new Terminal({
  cols: COLUMNS,
  rows: 32,
  scrollback: 5000,
  fontFamily: '"DejaVu Sans Mono", Menlo, Consolas, monospace',
  fontSize: LARGEST_FONT,
  cursorBlink: true,
  // A screen reader hears each new piece of output and can browse the report.
  screenReaderMode: true,
  theme: { background: '#10181f', foreground: '#e6edf3', cursor: '#f2cc60' },
});
const terminalBox = document.getElementById('terminal');
screen.open(terminalBox);
screen.textarea?.setAttribute('aria-label', 'Eingabe des Rechners: Tasten des Menüs und Zahlen');

// Tab leaves the terminal as it leaves any field: at a key wait it would only
// bring the menu back.
screen.attachCustomKeyEventHandler((event) => event.key !== 'Tab');

// The width the terminal may take: the page's, less the drawing's column when
// that stands beside it. It depends on the window alone, never on the
// terminal itself, so that fitting cannot feed on its own result.
const layout = document.querySelector('main');
const twoColumns = matchMedia('(min-width: 1240px)');
const DRAWING_COLUMN = 480;

function fitTerminal() {
  const columns = terminalBox.querySelector('.xterm-screen');
  if (!columns) return;
  const style = getComputedStyle(terminalBox);
  const gap = parseFloat(getComputedStyle(layout).columnGap) || 0;
  const room =
    layout.clientWidth -
    (twoColumns.matches ? DRAWING_COLUMN + gap : 0) -
    parseFloat(style.paddingLeft) -
    parseFloat(style.paddingRight);
  const perColumn = columns.getBoundingClientRect().width / COLUMNS / screen.options.fontSize;
  // The scroll bar of the scrollback takes some room beside the columns.
  const size = Math.floor((room - 16) / (COLUMNS * perColumn));
  const fitting = Math.max(SMALLEST_FONT, Math.min(LARGEST_FONT, size));
  if (fitting !== screen.options.fontSize) screen.options.fontSize = fitting;
}
fitTerminal();
addEventListener('resize', fitTerminal);

const drawing = document.getElementById('drawing');
const statusLine = document.getElementById('status');
const restartButton = document.getElementById('restart');

// The page's test hooks, what the browser checks (tests/web/) read and
// nothing else: window.veldraPage below; its run (web/terminal.js) with
// type(), idle(), pending(), outputText(), outputBytes(), notes and failure;
// and the drawing's data-role, data-u, data-v, data-x0, data-width and
// data-axis attributes (web/drawing.js). Keep them stable.
const page = {
  screen,
  run: null, // the ProgramTerminal of the current run
  status: null, // the exit status of the last run, once it has ended
  keyWaits: 0, // how often the program has waited for a key in this run
  started: null, // resolves when the current run has printed its menu
  menuShownAt: null, // ms after the page was opened, for the first run
  lastKeyAt: 0, // when the last key was typed (performance.now())
  lastOutputAt: 0, // when the terminal had taken in the last output
  drawings: 0, // how often the beam has been drawn in this run
  failure: null, // the message of an error that stopped the run, if one did
  drawingPending: false, // a drawing waits for the next animation frame
};
window.veldraPage = page;

screen.onData((data) => {
  page.lastKeyAt = performance.now();
  page.run?.type(data);
});

// The key buttons at a key wait, the number pad while a number is typed: on
// a phone, what its own keyboard may not offer. Both type into the same
// queue as the keyboard. A tap keeps the phone's keyboard closed.
const keys = document.getElementById('keys');
const pad = document.getElementById('pad');
for (const button of document.querySelectorAll('#keys button, #pad button')) {
  button.addEventListener('click', () => page.run?.type(button.dataset.key ?? button.dataset.type));
}

function showInput(readingLine) {
  keys.dataset.active = String(!readingLine);
  pad.dataset.active = String(readingLine);
  if (readingLine) statusLine.textContent = NUMBER_WANTED;
  else if (statusLine.textContent === NUMBER_WANTED) statusLine.textContent = RUNNING;
}

restartButton.addEventListener('click', () => start());

// The drawing follows the values whenever the program waits for input, once
// per frame at most, and is rebuilt only when its description has changed.
let program = null;
let drawnDescription = null;

function scheduleDrawing() {
  if (page.drawingPending) return;
  page.drawingPending = true;
  requestAnimationFrame(() => {
    page.drawingPending = false;
    // The program is asleep in one of its reads whenever a frame comes: the
    // values it holds are whole (a number is stored once it is read).
    if (program === null || page.run === null || page.run.ended) return;
    // Called directly, not through ccall: with the program asleep in its key
    // wait, ccall would take the call for an asynchronous one.
    const description = program.UTF8ToString(program._veldra_drawing(LINE_POINTS));
    if (description === drawnDescription) return;
    drawnDescription = description;
    drawBeam(drawing, JSON.parse(description));
    page.drawings += 1;
  });
}

function setKeysEnabled(enabled) {
  for (const button of document.querySelectorAll('#keys button, #pad button')) button.disabled = !enabled;
}

const RUNNING = 'Das Programm läuft. Tippen Sie die Tasten des Menüs.';
const NUMBER_WANTED = 'Eine Zahl ist gefragt: tippen, dann Enter (⏎).';

async function start() {
  screen.reset();
  statusLine.textContent = RUNNING;
  showInput(false);
  restartButton.hidden = true;
  setKeysEnabled(true);
  page.status = null;
  page.failure = null;
  page.keyWaits = 0;
  page.drawings = 0;
  program = null;
  drawnDescription = null;
  let menuShown;
  page.started = new Promise((resolve) => {
    menuShown = resolve;
  });
  const run = new ProgramTerminal({
    show: (text, done) =>
      screen.write(text, () => {
        page.lastOutputAt = performance.now();
        done();
      }),
    onKeyWait: () => {
      page.keyWaits += 1;
      if (page.keyWaits === 1) {
        page.menuShownAt ??= performance.now();
        menuShown();
      }
      scheduleDrawing();
    },
    onNote: (text) => {
      statusLine.textContent = text.replace(/^veldra: /, '');
    },
    // A screen reader is not read a flood of output, and the page keeps up
    // better without it; it hears the output again once the paste is read.
    onFlood: (flooding) => {
      screen.options.screenReaderMode = !flooding;
    },
    onLineRead: (reading) => {
      showInput(reading);
      scheduleDrawing();
    },
  });
  page.run = run;
  screen.focus();
  try {
    program = await createVeldra({ veldraTerminal: run });
    const status = await program.ccall('main', 'number', ['number', 'number'], [0, 0], {
      async: true,
    });
    endRun(run, status, run.failure);
  } catch (error) {
    endRun(run, null, error);
  }
}

// Ends the run `run` once: with the program's exit status, or with the error
// that stopped it (the WebAssembly cannot load, the program traps, a read
// fails), which the page then names instead of going still.
function endRun(run, status, error) {
  if (run !== page.run || page.status !== null || page.failure !== null) return;
  run.end();
  if (error === null) {
    page.status = status;
    statusLine.textContent = `Programm beendet (Status ${status}).`;
  } else {
    page.failure = String(error?.message ?? error);
    statusLine.textContent = `Das Programm ist mit einem Fehler abgebrochen (${page.failure}). Bitte neu starten.`;
  }
  setKeysEnabled(false);
  showInput(false);
  restartButton.hidden = false;
}

// An error in a read or a write of the program surfaces here, not in its run:
// the program would wait for ever for the byte it asked for.
window.addEventListener('error', (event) => {
  // The browser's own notice that a resize took two frames is no error of the run.
  if (String(event.message).includes('ResizeObserver')) return;
  if (page.run) endRun(page.run, null, event.error ?? event.message);
});
window.addEventListener('unhandledrejection', (event) => page.run && endRun(page.run, null, event.reason));

start();
