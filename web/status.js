// The status line under the terminal: one sentence at a time, for what the
// calculator does, what it wants, and the notes it gives beside its dialogue.

export const RUNNING = 'Das Programm läuft. Tippen Sie die Tasten des Menüs.';
export const NUMBER_WANTED = 'Eine Zahl ist gefragt: tippen, dann Enter (⏎).';

export class StatusLine {
  constructor(element) {
    this.element = element;
  }

  say(text) {
    this.element.textContent = text;
  }

  // Whether it says `text` now.
  says(text) {
    return this.element.textContent === text;
  }
}
