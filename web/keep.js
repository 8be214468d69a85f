// Keeping a calculation: printing it on one A4 page, and saving what the
// program read, what it printed and the drawing as files.

import { offerFile, standaloneSvg } from './downloads.js';
import { fillPrintout } from './printout.js';

// A link longer than this is not printed: it would take the page's room.
const PRINTED_LINK = 800;

// The two files match at a key wait. Saved while a number is read, the input
// ends before that number, and a replay goes on asking until the menu.
const MID_NUMBER =
  'Gespeichert mitten in einer Zahleneingabe: abgespielt fragt der Rechner danach weiter ' +
  'bis zum Menü. Für genau dieselbe Ausgabe im Menü speichern.';

export class KeepButtons {
  // buttons: print, saveInput, saveOutput, saveDrawing; printout: the head and
  // foot sections filled in before printing; link: the LinkKeeper; drawing:
  // the DrawingFollower.
  constructor({ buttons, printout, link, drawing }) {
    this.buttons = buttons;
    this.printout = printout;
    this.link = link;
    this.drawing = drawing;
    this.actions = {
      print: () => print(), // the printout is filled in just before (beforeprint)
      saveInput: () => this.saveInput(),
      saveOutput: () => this.saveOutput(),
      saveDrawing: () => this.saveDrawing(),
    };
    this.onBeforePrint = () => this.preparePrintout();
  }

  activate(calculator) {
    this.calculator = calculator;
    addEventListener('beforeprint', this.onBeforePrint);
    for (const [name, action] of Object.entries(this.actions)) this.buttons[name].addEventListener('click', action);
  }

  dispose() {
    removeEventListener('beforeprint', this.onBeforePrint);
    for (const [name, action] of Object.entries(this.actions)) this.buttons[name].removeEventListener('click', action);
  }

  noteMidNumber() {
    if (this.calculator.readingLine) this.calculator.statusLine.say(MID_NUMBER);
  }

  saveInput() {
    offerFile('eingabe.txt', this.calculator.record?.forPipe() ?? new Uint8Array(0), 'text/plain');
    this.noteMidNumber();
  }

  // The session as the screen shows it: the output with the values typed.
  saveOutput() {
    const { run } = this.calculator;
    offerFile('ausgabe.txt', run?.screenBytes() ?? new Uint8Array(0), 'text/plain');
    this.noteMidNumber();
    if (run?.outputDropped > 0) {
      this.calculator.statusLine.say(
        `Gespeichert sind die ersten ${run.outputKept} Bytes der Ausgabe; den Rest hat die Seite nicht behalten.`,
      );
    }
  }

  saveDrawing() {
    const svg = this.drawing.container.querySelector('svg');
    if (svg === null) {
      this.calculator.statusLine.say('Noch keine Zeichnung: erst einen Biegefall wählen (Taste n).');
      return;
    }
    offerFile(`biegefall-${this.drawing.description?.case ?? 0}.svg`, standaloneSvg(svg), 'image/svg+xml');
  }

  preparePrintout() {
    const calculator = this.calculator;
    const link = this.link.current();
    const report = calculator.programText('_veldra_report');
    fillPrintout(this.printout.head, this.printout.foot, {
      description: this.drawing.description,
      values: calculator.programText('_veldra_values'),
      report: report ?? '',
      current: report !== null && calculator.program._veldra_report_current() === 1,
      version: (calculator.programText('_veldra_version') ?? 'VELDRA').split('\n')[0],
      units: calculator.programText('_veldra_units_note') ?? '',
      link: link !== null && link.length <= PRINTED_LINK ? link : null,
      linkNote: this.linkNote(link),
      date: new Date(),
    });
  }

  linkNote(link) {
    if (this.link.tooLong) return 'Diese Rechnung ist für einen Link zu lang; „Eingabe speichern“ hält sie fest.';
    if (link === null) return 'Noch nichts eingegeben: es gibt keinen Link.';
    return `Der Link dieser Rechnung ist für den Ausdruck zu lang (${link.length} Zeichen); „Link kopieren“ gibt ihn.`;
  }
}
