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

// What a test or a curious reader can look at from outside.
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

async function start() {
  screen.reset();
  statusLine.textContent = 'Das Programm läuft. Tippen Sie die Tasten des Menüs.';
  restartButton.hidden = true;
  page.status = null;
  page.keyWaits = 0;
  page.drawings = 0;
  let program = null;
  let menuShown;
  page.started = new Promise((resolve) => {
    menuShown = resolve;
  });
  const run = new ProgramTerminal({
    show: (text) =>
      screen.write(text, () => {
        page.lastOutputAt = performance.now();
      }),
    onKeyWait: () => {
      page.keyWaits += 1;
      if (page.keyWaits === 1) {
        page.menuShownAt ??= performance.now();
        menuShown();
      }
      // Drawn once the program has come to rest in its wait: it reads the
      // values entered so far and changes nothing.
      queueMicrotask(() => {
        // Called directly, not through ccall: with the program asleep in
        // its key wait, ccall would take the call for an asynchronous one.
        const description = program.UTF8ToString(program._veldra_drawing(LINE_POINTS));
        drawBeam(drawing, JSON.parse(description));
        page.drawings += 1;
      });
    },
  });
  page.run = run;
  screen.focus();
  program = await createVeldra({ veldraTerminal: run });
  const status = await program.ccall('main', 'number', ['number', 'number'], [0, 0], {
    async: true,
  });
  run.end();
  page.status = status;
  statusLine.textContent = `Programm beendet (Status ${status}).`;
  restartButton.hidden = false;
}

start();
