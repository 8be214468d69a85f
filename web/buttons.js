// The key buttons at the menu, the number pad while a number is typed, and
// "Weiter" where any key goes on (a pause): on a phone, what its own keyboard
// may not offer, and never a command that a pause would take as its key.
// All type into the same queue as the keyboard. A tap keeps the phone's
// keyboard closed; after a click with a mouse or a pen the keyboard types
// into the terminal again, without another click. After a run, the buttons
// rest and "Neu starten" offers the next.

import { ANY_KEY, NUMBER_WANTED, RUNNING } from './status.js';

// What the pad's keys that type no character send, as a terminal's keys do:
// Backspace, the end-of-file key that hands over the line as it is (or keeps
// the old value), Enter.
const CONTROLS = { erase: '\x7f', keep: '\x04', enter: '\n' };

export class KeyButtons {
  // keys, pad, goOn: the groups of buttons; restart: the button for a new run.
  constructor({ keys, pad, goOn, restart }) {
    this.groups = { keys, pad, goOn };
    this.restart = restart;
    this.buttons = [keys, pad, goOn].flatMap((group) => [...group.querySelectorAll('button')]);
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
        this.show('keys', RUNNING);
        this.restart.hidden = true;
        this.setEnabled(true);
      }),
      calculator.on('keyWait', (anyKey) => (anyKey ? this.show('goOn', ANY_KEY) : this.show('keys', RUNNING))),
      calculator.on('lineRead', (reading) => (reading ? this.show('pad', NUMBER_WANTED) : this.show('keys', RUNNING))),
      calculator.on('end', () => {
        this.setEnabled(false);
        this.show('keys');
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

  // The group `name` in use, the others resting in the same place; the
  // status line says what the program wants, where given.
  show(name, wanted) {
    for (const [group, element] of Object.entries(this.groups)) element.dataset.active = String(group === name);
    if (wanted !== undefined) this.calculator.statusLine.want(wanted);
  }

  setEnabled(enabled) {
    for (const button of this.buttons) button.disabled = !enabled;
  }
}
