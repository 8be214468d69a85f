// The status line under the terminal: one sentence at a time. What the
// program wants now (the menu's keys, a number, any key) stands there as a
// rule; a note, the program's or the page's own, takes its place and stays
// until the next note or the next key typed, so that it can be read.

export const RUNNING = 'Das Programm läuft. Tippen Sie die Tasten des Menüs.';
export const NUMBER_WANTED = 'Eine Zahl ist gefragt: tippen, dann Enter (⏎).';
export const ANY_KEY = 'Weiter mit einer beliebigen Taste oder mit „Weiter“.';

export class StatusLine {
  constructor(element) {
    this.element = element;
    this.wanted = element.textContent; // what the program wants now
    this.noted = false; // a note stands
  }

  // What the program wants now: shown at once, unless a note stands.
  want(text) {
    this.wanted = text;
    if (!this.noted) this.element.textContent = text;
  }

  // A note: it stands until the next note or key.
  say(text) {
    this.noted = true;
    this.element.textContent = text;
  }

  // A key was typed: what the program wants comes back.
  keyTyped() {
    if (!this.noted) return;
    this.noted = false;
    this.element.textContent = this.wanted;
  }
}
