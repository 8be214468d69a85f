// Keys typed while the focus rests on the page itself, not on a field, a link
// or a button, go to the program, as typed into its terminal; the terminal
// then takes the focus, so that the keys after them go there directly. Focus
// falls to the page when the button that had it gives way to the pad, or
// after a click beside everything.

// What xterm.js sends for the keys that type no character.
const BYTES = { Enter: '\r', Backspace: '\x7f', Escape: '\x1b' };

export class PageKeys {
  activate(calculator) {
    this.onKey = (event) => {
      const target = event.target;
      if (target !== document.body && target !== document.documentElement) return;
      if (event.ctrlKey || event.metaKey || event.altKey || event.isComposing) return;
      const bytes = event.key.length === 1 ? event.key : BYTES[event.key];
      if (bytes === undefined) return;
      event.preventDefault();
      calculator.type(bytes);
      calculator.screen.focus();
    };
    document.addEventListener('keydown', this.onKey);
  }

  dispose() {
    document.removeEventListener('keydown', this.onKey);
  }
}
