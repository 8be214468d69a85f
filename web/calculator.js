// The calculator's runs in the page: each one the WebAssembly program with a
// fresh terminal input (terminal.js) and record of what it read (session.js),
// started again whenever the last one has ended. What happens in a run is
// told to the addons loaded into it (activate(calculator), dispose()), in the
// manner of xterm.js's addons:
//   start(run)      a run begins
//   keyWait(any)    the program waits for a key: any key that goes on (true),
//                   or one of the menu's
//   asking(field)   a number read is next, for this value ("F", "E", ...)
//   lineRead(bool)  it starts editing a typed line (a number), or has it
//   note(note)      a note beside the dialogue: {kind, text}
//   flood(bool)     a paste too large to show as it is read begins, or is read
//   end()           the run has ended: its status or failure is set

import { loadProgram } from './program.js';
import { SessionRecord } from './session.js';
import { RUNNING } from './status.js';

export const ENDED =
  'Die Rechnung ist beendet (Taste q). „Neu starten“ beginnt eine neue, mit allen Werten auf null.';
import { ProgramTerminal } from './terminal.js';

export class Calculator {
  constructor(screen, statusLine) {
    this.screen = screen;
    this.statusLine = statusLine;
    this.listeners = { start: [], keyWait: [], asking: [], lineRead: [], note: [], flood: [], end: [] };
    this.run = null; // the ProgramTerminal of the current run
    this.program = null; // the program of the current run, once it is loaded
    this.record = null; // the SessionRecord of the current run: what the program read
    this.status = null; // the exit status of the last run, once it has ended
    this.failure = null; // the message of an error that stopped the run, if one did
    this.keyWaits = 0; // how often the program has waited for a key in this run
    this.started = null; // resolves when the current run has printed its menu
    this.menuShownAt = null; // ms after the page was opened, for the first run
    this.lastKeyAt = 0; // when the last key was typed (performance.now())
    this.lastOutputAt = 0; // when the terminal had taken in the last output
    this.readingLine = false; // the program edits a typed line (a number)
    this.notes = []; // the notes of the last command, shown together
    this.notesEnded = false; // a key wait has come since the last note
    screen.onData((data) => this.type(data));
    this.watchErrors();
  }

  // Calls `listener` at each `event`; dispose() of what it returns stops that.
  on(event, listener) {
    this.listeners[event].push(listener);
    return { dispose: () => this.listeners[event].splice(this.listeners[event].indexOf(listener), 1) };
  }

  emit(event, ...values) {
    for (const listener of this.listeners[event]) listener(...values);
  }

  loadAddon(addon) {
    addon.activate(this);
    return addon;
  }

  // Keys typed, clicked or pasted, into the run's input queue.
  type(data) {
    this.lastKeyAt = performance.now();
    this.statusLine.keyTyped();
    this.run?.type(data);
  }

  // Asks the program, asleep in one of its reads, for a text (an export of
  // src/app/main_web.cc): null while it is not loaded, or once an error has
  // stopped it.
  programText(name) {
    try {
      return this.program === null ? null : this.program.UTF8ToString(this.program[name]());
    } catch {
      return null;
    }
  }

  // A fresh run; `replay` is typed ahead, as a paste is.
  async start(replay = null) {
    // The first run has the terminal as it was opened.
    if (this.run !== null) this.screen.reset();
    this.statusLine.keyTyped();
    this.statusLine.want(RUNNING);
    this.status = null;
    this.failure = null;
    this.keyWaits = 0;
    this.program = null;
    this.readingLine = false;
    this.record = new SessionRecord();
    let menuShown;
    this.started = new Promise((resolve) => {
      menuShown = resolve;
    });
    const run = new ProgramTerminal({
      show: (text, done) =>
        this.screen.write(text, () => {
          this.lastOutputAt = performance.now();
          done();
        }),
      onKeyWait: (anyKey) => {
        this.keyWaits += 1;
        this.notesEnded = true;
        if (this.keyWaits === 1) {
          this.menuShownAt ??= performance.now();
          menuShown();
        }
        this.emit('keyWait', anyKey);
      },
      // The notes of one command (a report's can be several) stand together.
      onNote: (note) => {
        if (this.notesEnded) this.notes = [];
        this.notesEnded = false;
        this.notes.push(note.text);
        this.statusLine.say(this.notes.join('; '));
        this.emit('note', note);
      },
      // A screen reader is not read a flood of output, and the page keeps up
      // better without it; it hears the output again once the paste is read.
      onFlood: (flooding) => {
        this.screen.options.screenReaderMode = !flooding;
        this.emit('flood', flooding);
      },
      onAsking: (field) => this.emit('asking', field),
      onLineRead: (reading) => {
        this.readingLine = reading;
        this.emit('lineRead', reading);
      },
      record: this.record,
    });
    this.run = run;
    this.emit('start', run);
    if (replay !== null) run.type(replay);
    this.screen.focus();
    try {
      this.program = await loadProgram({ veldraTerminal: run });
      // Called as an asynchronous call: main returns its status once the run has ended.
      const status = await this.program.ccall('main', 'number', ['number', 'number'], [0, 0], {
        async: true,
      });
      this.end(run, status, run.failure);
    } catch (error) {
      this.end(run, null, error);
    }
  }

  // Ends the run `run` once: with the program's exit status, or with the error
  // that stopped it (the WebAssembly cannot load, the program traps, a read
  // fails), which the page then names instead of going still.
  end(run, status, error) {
    if (run !== this.run || this.status !== null || this.failure !== null) return;
    run.end();
    this.readingLine = false;
    if (error === null) {
      this.status = status;
      this.statusLine.want(ENDED);
    } else {
      this.failure = String(error?.message ?? error);
      this.statusLine.want(`Das Programm ist mit einem Fehler abgebrochen (${this.failure}). Bitte neu starten.`);
    }
    this.statusLine.keyTyped();
    this.emit('end');
  }

  // An error in a read or a write of the program surfaces here, not in its
  // run: the program would wait for ever for the byte it asked for.
  watchErrors() {
    addEventListener('error', (event) => {
      // The browser's own notice that a resize took two frames is no error of the run.
      if (String(event.message).includes('ResizeObserver')) return;
      if (this.run) this.end(this.run, null, event.error ?? event.message);
    });
    addEventListener('unhandledrejection', (event) => this.run && this.end(this.run, null, event.reason));
  }
}
