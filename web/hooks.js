// The page's test hooks, what the browser checks (tests/web/) read and
// nothing else: window.veldraPage, with the fields below; its run
// (terminal.js) with type(), idle(), pending(), outputText(), outputBytes(),
// notes and failure; and the drawing's data-role, data-u, data-v, data-x0,
// data-width and data-axis attributes (drawing.js). Keep them stable.

// `later.drawing`: the DrawingFollower, once it is loaded.
export function exposeTestHooks({ screen, calculator, later }) {
  window.veldraPage = {
    screen,
    get run() {
      return calculator.run; // the ProgramTerminal of the current run
    },
    get status() {
      return calculator.status; // the exit status of the last run, once it has ended
    },
    get keyWaits() {
      return calculator.keyWaits; // how often the program has waited for a key in this run
    },
    get started() {
      return calculator.started; // resolves when the current run has printed its menu
    },
    get menuShownAt() {
      return calculator.menuShownAt; // ms after the page was opened, for the first run
    },
    get lastKeyAt() {
      return calculator.lastKeyAt; // when the last key was typed (performance.now())
    },
    get lastOutputAt() {
      return calculator.lastOutputAt; // when the terminal had taken in the last output
    },
    get failure() {
      return calculator.failure; // the message of an error that stopped the run, if one did
    },
    get record() {
      return calculator.record; // the SessionRecord of the current run: what the program read
    },
    get drawings() {
      return later.drawing?.drawings ?? 0; // how often the beam has been drawn in this run
    },
    get drawingPending() {
      return later.drawing?.pending ?? true; // a drawing waits for the next animation frame
    },
    get description() {
      return later.drawing?.description ?? null; // the drawing's description, as last drawn
    },
  };
}
