// The page around the calculator: the terminal, the row of command keys, and
// a fresh run whenever the last one has ended.

import { Terminal } from './xterm.mjs';
import createVeldra from './veldra.js';
import { drawBeam } from './drawing.js';
import { ProgramTerminal } from './terminal.js';
import { SessionRecord, LINK_LIMIT, linkFragment, readFragment } from './session.js';
import { fillPrintout } from './printout.js';
import { offerFile, standaloneSvg } from './downloads.js';
import { programOptions } from './embedded.js';

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
  record: null, // the SessionRecord of the current run: what the program read
  description: null, // the drawing's description, as last drawn
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

// ------------------------------------------------------------ keep and share
//
// The input of the run lives in the address's fragment (#eingabe=...), which
// the browser never sends to a server: a reload replays it, and the address
// is the link that opens the calculation elsewhere. It is updated whenever
// the program waits for a key with nothing typed ahead, a few times a second
// at most (browsers refuse a flood of history updates).
let linkTooLong = false;
let linkTimer = null;

const addressWithout = () => location.pathname + location.search;

function scheduleLink() {
  if (linkTimer !== null || page.run === null || page.run.pending() > 0) return;
  linkTimer = setTimeout(updateLink, 250);
}

function updateLink() {
  linkTimer = null;
  const bytes = page.record.forTerminal();
  try {
    if (bytes.length > LINK_LIMIT) {
      if (!linkTooLong) {
        linkTooLong = true;
        history.replaceState(null, '', addressWithout());
        statusLine.textContent = LINK_TOO_LONG;
      }
    } else {
      history.replaceState(null, '', bytes.length === 0 ? addressWithout() : addressWithout() + linkFragment(bytes));
    }
  } catch {
    // A browser that refuses the update keeps the last address; the saved
    // input still holds the run.
  }
}

const LINK_TOO_LONG =
  `Die Eingabe ist länger als ${LINK_LIMIT} Bytes: ein Link hält sie nicht mehr, ` +
  'ein Neuladen beginnt neu. „Eingabe speichern“ sichert sie.';

// The address brought up to date now; null when it holds no input of this
// run (nothing typed yet, or too much for a link).
function currentLink() {
  if (page.record === null) return null;
  clearTimeout(linkTimer);
  updateLink();
  return linkTooLong || page.record.forTerminal().length === 0 ? null : location.href;
}

async function copyLink() {
  currentLink();
  if (linkTooLong) {
    statusLine.textContent = LINK_TOO_LONG;
    return;
  }
  try {
    await navigator.clipboard.writeText(location.href);
    statusLine.textContent = 'Der Link ist kopiert: er öffnet diese Rechnung in jedem Browser.';
  } catch {
    statusLine.textContent = `Der Browser lässt das Kopieren nicht zu. Der Link ist die Adresse dieser Seite: ${location.href}`;
  }
}

// The two files match at a key wait. Saved while a number is read, the input
// ends before that number, and a replay goes on asking until the menu.
function noteMidNumber() {
  if (pad.dataset.active === 'true') statusLine.textContent = MID_NUMBER;
}

const MID_NUMBER =
  'Gespeichert mitten in einer Zahleneingabe: abgespielt fragt der Rechner danach weiter ' +
  'bis zum Menü. Für genau dieselbe Ausgabe im Menü speichern.';

function saveInput() {
  offerFile('eingabe.txt', page.record?.forPipe() ?? new Uint8Array(0), 'text/plain');
  noteMidNumber();
}

function saveOutput() {
  const run = page.run;
  offerFile('ausgabe.txt', run?.outputBytes() ?? new Uint8Array(0), 'text/plain');
  noteMidNumber();
  if (run?.outputDropped > 0) {
    statusLine.textContent = `Gespeichert sind die ersten ${run.outputKept} Bytes der Ausgabe; den Rest hat die Seite nicht behalten.`;
  }
}

function saveDrawing() {
  const svg = drawing.querySelector('svg');
  if (svg === null) {
    statusLine.textContent = 'Noch keine Zeichnung: erst einen Biegefall wählen (Taste n).';
    return;
  }
  offerFile(`biegefall-${page.description?.case ?? 0}.svg`, standaloneSvg(svg), 'image/svg+xml');
}

// Asks the program, asleep in one of its reads, for a text: null while it is
// not loaded, or once an error has stopped it.
function programText(name) {
  try {
    return program === null ? null : program.UTF8ToString(program[name]());
  } catch {
    return null;
  }
}

function preparePrintout() {
  const link = currentLink();
  const report = programText('_veldra_report');
  fillPrintout(document.getElementById('print-head'), document.getElementById('print-foot'), {
    description: page.description,
    values: programText('_veldra_values'),
    report: report ?? '',
    current: report !== null && program._veldra_report_current() === 1,
    version: (programText('_veldra_version') ?? 'VELDRA').split('\n')[0],
    link: link !== null && link.length <= PRINTED_LINK ? link : null,
    linkNote: linkNote(link),
    date: new Date(),
  });
}

// A link longer than this is not printed: it would take the page's room.
const PRINTED_LINK = 800;

function linkNote(link) {
  if (linkTooLong) return 'Diese Rechnung ist für einen Link zu lang; „Eingabe speichern“ hält sie fest.';
  if (link === null) return 'Noch nichts eingegeben: es gibt keinen Link.';
  return `Der Link dieser Rechnung ist für den Ausdruck zu lang (${link.length} Zeichen); „Link kopieren“ gibt ihn.`;
}

addEventListener('beforeprint', preparePrintout);
const actions = {
  print: () => print(), // the printout is filled in just before (beforeprint)
  'save-input': saveInput,
  'save-output': saveOutput,
  'save-drawing': saveDrawing,
  'copy-link': copyLink,
};
for (const [id, action] of Object.entries(actions)) {
  document.getElementById(id).addEventListener('click', action);
}

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
    page.description = JSON.parse(description);
    drawBeam(drawing, page.description);
    page.drawings += 1;
  });
}

function setKeysEnabled(enabled) {
  for (const button of document.querySelectorAll('#keys button, #pad button')) button.disabled = !enabled;
}

const RUNNING = 'Das Programm läuft. Tippen Sie die Tasten des Menüs.';
const NUMBER_WANTED = 'Eine Zahl ist gefragt: tippen, dann Enter (⏎).';

async function start(replay = null) {
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
  page.description = null;
  page.record = new SessionRecord();
  linkTooLong = false;
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
      scheduleLink();
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
    record: page.record,
  });
  page.run = run;
  if (replay !== null) run.type(replay);
  screen.focus();
  try {
    program = await createVeldra({ veldraTerminal: run, ...(await programOptions()) });
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

// A link's input is typed ahead, as a paste is; a link that cannot be used is
// named, and the run starts fresh.
const opened = readFragment(location.hash);
if (opened.problem !== undefined) history.replaceState(null, '', addressWithout());
start(opened.bytes ?? null);
if (opened.problem !== undefined) statusLine.textContent = opened.problem;
