// The key buttons at a key wait, the number pad while a number is typed: on
// a phone, what its own keyboard may not offer. Both type into the same
// queue as the keyboard. A tap keeps the phone's keyboard closed; after a
// click with a mouse or a pen the keyboard types into the terminal again,
// without another click. After a run, the buttons rest and "Neu starten"
// offers the next.

import { NUMBER_WANTED, RUNNING } from './status.js';

// What the pad's keys that type no character send, as a terminal's keys do:
// Backspace, the end-of-file key that hands over the line as it is (or keeps
// the old value), Enter.
const CONTROLS = { erase: '\x7f', keep: '\x04', enter: '\n' };

export class KeyButtons {
  // keys, pad: the two groups of buttons; restart: the button for a new run.
  constructor({ keys, pad, restart }) {
    this.keys = keys;
    this.pad = pad;
    this.restart = restart;
    this.buttons = [...keys.querySelectorAll('button'), ...pad.querySelectorAll('button')];
  }

  activate(calculator) {
    this.calculator = calculator;
    // A click tells no pointer type in every engine: the press before it does.
    let pointer = '';
    const pressed = (event) => {
      pointer = event.pointerType;
    };
    const typeKey = (event) => {
      const button = event.currentTarget;
      calculator.type(button.dataset.key ?? button.dataset.type ?? CONTROLS[button.dataset.control]);
      // A click by Enter or Space (detail 0) leaves the focus on its button.
      if (event.detail > 0 && (pointer === 'mouse' || pointer === 'pen')) calculator.screen.focus();
    };
    const restart = () => calculator.start();
    for (const button of this.buttons) {
      button.addEventListener('pointerdown', pressed);
      button.addEventListener('click', typeKey);
    }
    this.restart.addEventListener('click', restart);
    this.subscriptions = [
      calculator.on('start', () => {
        this.showInput(false);
        this.restart.hidden = true;
        this.setEnabled(true);
      }),
      calculator.on('lineRead', (reading) => this.showInput(reading)),
      calculator.on('end', () => {
        this.setEnabled(false);
        this.showInput(false);
        this.restart.hidden = false;
      }),
      {
        dispose: () => {
          for (const button of this.buttons) {
            button.removeEventListener('pointerdown', pressed);
            button.removeEventListener('click', typeKey);
          }
          this.restart.removeEventListener('click', restart);
        },
      },
    ];
  }

  dispose() {
    for (const s of this.subscriptions) s.dispose();
  }

  // The pad while a line is read, with the status line saying so; else the keys.
  showInput(readingLine) {
    const status = this.calculator.statusLine;
    this.keys.dataset.active = String(!readingLine);
    this.pad.dataset.active = String(readingLine);
    if (readingLine) status.say(NUMBER_WANTED);
    else if (status.says(NUMBER_WANTED)) status.say(RUNNING);
  }

  setEnabled(enabled) {
    for (const button of this.buttons) button.disabled = !enabled;
  }
}
