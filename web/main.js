// The page around the calculator: the terminal, the row of command keys, and
// a fresh run whenever the last one has ended.

import { Terminal } from './xterm.mjs';
import createVeldra from './veldra.js';
import { drawBeam } from './drawing.js';
import { ProgramTerminal } from './terminal.js';

// Points of the deflection line in the drawing.
const LINE_POINTS = 401;

const screen = new Terminal({
  cols: 82,
  rows: 32,
  scrollback: 5000,
  fontFamily: '"DejaVu Sans Mono", Menlo, Consolas, monospace',
  fontSize: 14,
  cursorBlink: true,
  theme: { background: '#10181f', foreground: '#e6edf3', cursor: '#f2cc60' },
});
screen.open(document.getElementById('terminal'));

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

for (const button of document.querySelectorAll('#keys button')) {
  button.addEventListener('click', () => {
    page.run?.type(button.dataset.key);
    screen.focus();
  });
}

restartButton.addEventListener('click', () => start());

// The drawing follows the values at the program's key waits, once per frame
// at most, and is rebuilt only when its description has changed.
let program = null;
let drawnDescription = null;

function scheduleDrawing() {
  if (page.drawingPending) return;
  page.drawingPending = true;
  requestAnimationFrame(() => {
    page.drawingPending = false;
    const run = page.run;
    // Between two key waits (a number half typed) the values are not whole:
    // the next key wait draws them.
    if (program === null || run === null || !run.atKeyWait) return;
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
  for (const button of document.querySelectorAll('#keys button')) button.disabled = !enabled;
}

async function start() {
  screen.reset();
  statusLine.textContent = 'Das Programm läuft. Tippen Sie die Tasten des Menüs.';
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
  restartButton.hidden = false;
}

// An error in a read or a write of the program surfaces here, not in its run:
// the program would wait for ever for the byte it asked for.
window.addEventListener('error', (event) => page.run && endRun(page.run, null, event.error ?? event.message));
window.addEventListener('unhandledrejection', (event) => page.run && endRun(page.run, null, event.reason));

start();
