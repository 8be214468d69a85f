// The run's input lives in the address's fragment (#eingabe=...), which the
// browser never sends to a server: a reload replays it, and the address is
// the link that opens the calculation elsewhere. It is brought up to date
// whenever the program waits for a key with nothing typed ahead, a few times
// a second at most (browsers refuse a flood of history updates), and when the
// run ends.

import { LINK_LIMIT, linkFragment, readFragment } from './session.js';

const LINK_TOO_LONG =
  `Die Eingabe ist länger als ${LINK_LIMIT} Bytes: ein Link hält sie nicht mehr, ` +
  'ein Neuladen beginnt neu. „Eingabe speichern“ sichert sie.';

const addressWithout = () => location.pathname + location.search;

export class LinkKeeper {
  // copyButton: "Link kopieren".
  constructor(copyButton) {
    this.copyButton = copyButton;
    this.tooLong = false; // the run has outgrown a link
    this.timer = null;
    this.onCopy = () => this.copy();
  }

  // What the address holds as the page opens: { bytes } to replay, or
  // { problem } in German, the fragment then dropped; {} for no input.
  static opened() {
    const opened = readFragment(location.hash);
    if (opened.problem !== undefined) history.replaceState(null, '', addressWithout());
    return opened;
  }

  activate(calculator) {
    this.calculator = calculator;
    this.copyButton.addEventListener('click', this.onCopy);
    this.subscriptions = [
      calculator.on('start', () => {
        this.tooLong = false;
      }),
      calculator.on('keyWait', () => this.schedule()),
      // The last key of a run (q) is in the address at once.
      calculator.on('end', () => this.current()),
    ];
  }

  dispose() {
    this.copyButton.removeEventListener('click', this.onCopy);
    for (const s of this.subscriptions) s.dispose();
  }

  schedule() {
    const { run } = this.calculator;
    if (this.timer !== null || run === null || run.pending() > 0) return;
    this.timer = setTimeout(() => this.update(), 250);
  }

  update() {
    this.timer = null;
    const bytes = this.calculator.record.forTerminal();
    try {
      if (bytes.length > LINK_LIMIT) {
        if (!this.tooLong) {
          this.tooLong = true;
          history.replaceState(null, '', addressWithout());
          this.calculator.statusLine.say(LINK_TOO_LONG);
        }
      } else {
        history.replaceState(null, '', bytes.length === 0 ? addressWithout() : addressWithout() + linkFragment(bytes));
      }
    } catch {
      // A browser that refuses the update keeps the last address; the saved
      // input still holds the run.
    }
  }

  // The address brought up to date now; null when it holds no input of this
  // run (nothing typed yet, or too much for a link).
  current() {
    const { record } = this.calculator;
    if (record === null) return null;
    clearTimeout(this.timer);
    this.update();
    return this.tooLong || record.forTerminal().length === 0 ? null : location.href;
  }

  async copy() {
    this.current();
    const status = this.calculator.statusLine;
    if (this.tooLong) {
      status.say(LINK_TOO_LONG);
      return;
    }
    try {
      await navigator.clipboard.writeText(location.href);
      status.say('Der Link ist kopiert: er öffnet diese Rechnung in jedem Browser.');
    } catch {
      status.say(`Der Browser lässt das Kopieren nicht zu. Der Link ist die Adresse dieser Seite: ${location.href}`);
    }
  }
}
