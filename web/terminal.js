// The input side of a terminal, for the calculator running in the page.
//
// Everything typed, clicked or pasted joins one queue of bytes, as a
// terminal's input queue does, and stays there until the program reads it:
// a key read takes one byte, unechoed; a line read takes bytes as a
// terminal's line mode does, echoing them, with Backspace and Ctrl-U to edit,
// Enter to hand the line over and Ctrl-D at the start of a line to end that
// read. So a pasted session is consumed by the same rules as a piped one.

const ENTER = 0x0a;
const CARRIAGE_RETURN = 0x0d;
const END_OF_FILE = 0x04; // Ctrl-D
const KILL_LINE = 0x15; // Ctrl-U
const BACKSPACE = 0x08;
const DELETE = 0x7f;

const encoder = new TextEncoder();

export class ProgramTerminal {
  // show(text): puts text on the screen (program output and echo alike).
  // onKeyWait(): called each time the program waits for a key.
  constructor({ show, onKeyWait = () => {} }) {
    this.show = show;
    this.onKeyWait = onKeyWait;
    this.queue = [];
    this.waiting = null; // the read that waits for the next byte
    this.rest = null; // what a line read could not take of its line
    this.output = []; // every byte the program wrote, as chunks
    this.ended = false;
  }

  // Bytes typed or pasted; a string is taken as UTF-8, as a terminal sends it.
  // Carriage return becomes line feed, as a terminal's ICRNL makes it.
  type(input) {
    if (this.ended) return;
    const bytes = typeof input === 'string' ? encoder.encode(input) : input;
    for (const b of bytes) this.queue.push(b === CARRIAGE_RETURN ? ENTER : b);
    this.wake();
  }

  // What the program has written so far, as a byte string (one char a byte).
  outputText() {
    let text = '';
    for (const chunk of this.output) text += String.fromCharCode(...chunk);
    return text;
  }

  // The program's output: kept byte for byte, shown with "\n" as "\r\n".
  write(bytes) {
    this.output.push(bytes);
    this.show(new TextDecoder('latin1').decode(bytes).replaceAll('\n', '\r\n'));
  }

  // The next byte as a key, unechoed.
  async readKey() {
    this.onKeyWait();
    return this.nextByte();
  }

  // One line, at most `size` bytes of it: what a terminal in line mode hands
  // over. Empty after Ctrl-D at the start of the line.
  async readLine(size) {
    if (this.rest === null) this.rest = await this.collectLine();
    const line = this.rest.subarray(0, size);
    this.rest = this.rest.length > size ? this.rest.subarray(size) : null;
    return line;
  }

  async collectLine() {
    const line = [];
    for (;;) {
      const b = await this.nextByte();
      if (b === ENTER) {
        line.push(b);
        this.show('\r\n');
        return Uint8Array.from(line);
      }
      if (b === END_OF_FILE) {
        // At the start of a line: the end of this read; else hand it over.
        return Uint8Array.from(line);
      }
      if (b === BACKSPACE || b === DELETE) {
        if (line.length > 0) this.show(erase(line.pop()));
      } else if (b === KILL_LINE) {
        while (line.length > 0) this.show(erase(line.pop()));
      } else {
        line.push(b);
        this.show(echo(b));
      }
    }
  }

  nextByte() {
    if (this.queue.length > 0) return Promise.resolve(this.queue.shift());
    return new Promise((resolve) => {
      this.waiting = resolve;
    });
  }

  wake() {
    if (this.waiting !== null && this.queue.length > 0) {
      const resolve = this.waiting;
      this.waiting = null;
      resolve(this.queue.shift());
    }
  }

  // The program has ended: nothing more is read.
  end() {
    this.ended = true;
    this.queue = [];
  }
}

// How a typed byte is echoed: control bytes as ^X, the rest as they are.
function echo(b) {
  if (b < 0x20 && b !== 0x09) return '^' + String.fromCharCode(b + 0x40);
  return String.fromCharCode(b);
}

// Takes the echo of a byte off the screen again.
function erase(b) {
  return '\b \b'.repeat(echo(b).length);
}
