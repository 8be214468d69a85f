// The input side of a terminal, for the calculator running in the page.
//
// Everything typed, clicked or pasted joins one queue of bytes, as a
// terminal's input queue does, and stays there until the program reads it:
// a key read takes one byte, unechoed; a line read takes bytes as a
// terminal's line mode does, echoing them, with Backspace and Ctrl-U to edit,
// Enter to hand the line over and Ctrl-D at the start of a line to end that
// read. So a pasted session is consumed by the same rules as a piped one, but
// for the editing bytes, which act as they do in a terminal.
//
// A paste of any size keeps the page alive: the program gives the browser a
// turn after every few milliseconds of work, and waits while the screen is
// behind with what it was given to show.

const ENTER = 0x0a;
const CARRIAGE_RETURN = 0x0d;
const END_OF_FILE = 0x04; // Ctrl-D
const KILL_LINE = 0x15; // Ctrl-U
const BACKSPACE = 0x08;
const DELETE = 0x7f;

// A terminal's line buffer holds this many bytes of one line; the rest of a
// longer line is dropped unechoed, and its Enter still ends it.
const LINE_LIMIT = 4095;

// Work between two turns of the browser, in milliseconds.
const SLICE = 8;

// Output handed to the screen and not yet shown: above HIGH the program waits
// until the screen is down to LOW.
const HIGH = 256 * 1024;
const LOW = 32 * 1024;
const PIECE = 4096;

// Typed ahead beyond this many bytes is a flood: a paste, not a person typing.
const FLOOD = 64 * 1024;

// How much of a pasted text becomes bytes at a time.
const PASTE_PIECE = 64 * 1024;

// Output kept for reading back (outputBytes); what comes later is shown, and
// only counted.
export const KEPT_OUTPUT = 64 * 1024 * 1024;

const encoder = new TextEncoder();
const latin1 = new TextDecoder('latin1');

// One turn of the browser's event loop: input, timers and painting go on. A
// posted message waits its turn behind them, unlike scheduler.yield(), whose
// continuation goes first, and without the 4 ms that a nested setTimeout takes.
const turns = new MessageChannel();
const turnWaiters = [];
turns.port1.onmessage = () => turnWaiters.shift()?.();
const yieldToBrowser = () =>
  new Promise((resolve) => {
    turnWaiters.push(resolve);
    turns.port2.postMessage(null);
  });

export class ProgramTerminal {
  // show(text, done): puts text on the screen (program output and echo
  // alike) and calls done() once it is shown.
  // onKeyWait(): called each time the program waits for a key.
  // onNote(text): a note for the user beside the dialogue (what a terminal
  // shows from standard error), one line.
  // onLineRead(reading): called with true when the program starts reading a
  // typed line (a number), with false when it has it.
  // onFlood(flooding): called with true when more than FLOOD bytes are typed
  // ahead (a large paste), with false once all of them are read.
  // record: hears what the program reads, key(b) for a key and line(bytes,
  // whole) for a line as handed over (none when Ctrl-D ended the read; whole
  // unless more of the same line follows).
  constructor({
    show,
    onKeyWait = () => {},
    onNote = () => {},
    onLineRead = () => {},
    onFlood = () => {},
    record = { key() {}, line() {} },
  }) {
    this.show = show;
    this.record = record;
    this.onFlood = onFlood;
    this.flooding = false;
    this.onKeyWait = onKeyWait;
    this.onNote = onNote;
    this.onLineRead = onLineRead;
    this.notes = []; // every note of the run
    this.chunks = []; // typed input, in chunks; chunks[head] is read from `offset` on
    this.head = 0;
    this.offset = 0;
    this.queued = 0; // bytes typed and not read yet
    this.wakeReader = null; // resolves the read that waits for the next byte
    this.rest = null; // what a line read could not take of its line
    this.echo = ''; // echo not shown yet
    this.unshown = 0; // bytes handed to the screen and not shown yet
    this.wakeWriter = null; // resolves the wait for the screen to catch up
    this.sliceStart = performance.now();
    this.output = []; // the program's output, as chunks, KEPT_OUTPUT at most
    this.outputKept = 0;
    this.outputDropped = 0;
    this.failure = null; // the error that ended the run, if one did
    this.ended = false;
  }

  // Bytes typed or pasted; a string is taken as UTF-8, as a terminal sends it.
  // Carriage return becomes line feed, as a terminal's ICRNL makes it.
  // A long paste is kept as text in pieces and turned into bytes a piece at a
  // time as the program comes to it, so that taking it in is quick.
  type(input) {
    if (this.ended || input.length === 0) return;
    if (typeof input !== 'string') {
      this.chunks.push(Uint8Array.from(input));
    } else {
      for (let at = 0; at < input.length; ) {
        let end = Math.min(input.length, at + PASTE_PIECE);
        // A character beyond the first 65,536 is two UTF-16 units: never part it.
        if (end < input.length && /[\ud800-\udbff]/.test(input[end - 1])) end -= 1;
        this.chunks.push(input.slice(at, end));
        at = end;
      }
    }
    this.queued += input.length; // in characters until a piece becomes bytes
    if (!this.flooding && this.queued > FLOOD) {
      this.flooding = true;
      // In a turn of its own: the paste has taken long enough.
      setTimeout(() => this.onFlood(true));
    }
    const wake = this.wakeReader;
    this.wakeReader = null;
    wake?.();
  }

  // How much is typed and not read yet: bytes, and characters of a paste
  // that the program has not come to.
  pending() {
    return this.queued;
  }

  // True while the program waits for input with nothing left to read.
  idle() {
    return this.queued === 0 && this.wakeReader !== null;
  }

  // What the program has written and the page kept, as one byte array.
  outputBytes() {
    const all = new Uint8Array(this.outputKept);
    let at = 0;
    for (const chunk of this.output) {
      all.set(chunk, at);
      at += chunk.length;
    }
    return all;
  }

  // The same, as a byte string (one char a byte).
  outputText() {
    return latin1.decode(this.outputBytes());
  }

  // The program's output: kept byte for byte, shown with "\n" as "\r\n".
  write(bytes) {
    this.flushEcho();
    if (this.outputKept + bytes.length <= KEPT_OUTPUT) {
      this.output.push(bytes);
      this.outputKept += bytes.length;
    } else {
      this.outputDropped += bytes.length;
    }
    this.display(latin1.decode(bytes).replaceAll('\n', '\r\n'));
  }

  // A note from the program, shown beside the terminal, not in it.
  note(text) {
    const line = text.replace(/\n$/, '');
    this.notes.push(line);
    this.onNote(line);
  }

  // Hands text to the screen in pieces: the screen parses one piece at a
  // time and gives the browser a turn between them when it is behind.
  display(text) {
    for (let at = 0; at < text.length; at += PIECE) {
      const piece = text.slice(at, at + PIECE);
      this.unshown += piece.length;
      this.show(piece, () => {
        this.unshown -= piece.length;
        if (this.unshown <= LOW) {
          const wake = this.wakeWriter;
          this.wakeWriter = null;
          wake?.();
        }
      });
    }
  }

  flushEcho() {
    if (this.echo === '') return;
    const text = this.echo;
    this.echo = '';
    this.display(text);
  }

  // The next byte as a key, unechoed; -1 once the run has ended.
  async readKey() {
    try {
      this.onKeyWait();
      const key = await this.nextByte();
      if (!this.ended) this.record.key(key);
      return key;
    } catch (error) {
      return this.fail(error);
    }
  }

  // One line, at most `size` bytes of it: what a terminal in line mode hands
  // over. Empty after Ctrl-D at the start of the line, or once the run has
  // ended.
  async readLine(size) {
    try {
      if (this.rest === null) this.rest = await this.collectLine();
      const line = this.rest.subarray(0, size);
      this.rest = this.rest.length > size ? this.rest.subarray(size) : null;
      if (!this.ended) this.record.line(line, this.rest === null);
      return line;
    } catch (error) {
      this.fail(error);
      return new Uint8Array(0);
    }
  }

  // An error in a read: the program is told that its input has ended, so
  // that it ends at once, and the error is kept for the page to name.
  fail(error) {
    this.failure ??= error;
    this.end();
    return -1;
  }

  async collectLine() {
    this.onLineRead(true);
    try {
      return await this.editLine();
    } finally {
      this.onLineRead(false);
    }
  }

  async editLine() {
    const line = [];
    for (;;) {
      const b = await this.nextByte();
      if (b < 0) return Uint8Array.from(line);
      if (b === ENTER) {
        line.push(b);
        this.echo += '\r\n';
        this.flushEcho();
        return Uint8Array.from(line);
      }
      if (b === END_OF_FILE) {
        // At the start of a line: the end of this read; else hand it over.
        this.flushEcho();
        return Uint8Array.from(line);
      }
      if (b === BACKSPACE || b === DELETE) {
        if (line.length > 0) this.echo += erase(line.pop());
      } else if (b === KILL_LINE) {
        while (line.length > 0) this.echo += erase(line.pop());
      } else if (line.length < LINE_LIMIT) {
        line.push(b);
        this.echo += echo(b);
      }
    }
  }

  // The next byte typed. Gives the browser its turn when the slice of work
  // is used up, and waits while the screen is behind.
  async nextByte() {
    for (;;) {
      if (this.unshown > HIGH) {
        this.flushEcho();
        await new Promise((resolve) => {
          this.wakeWriter = resolve;
        });
        this.sliceStart = performance.now();
      } else if (this.queued === 0) {
        this.flushEcho();
        await new Promise((resolve) => {
          this.wakeReader = resolve;
        });
        // A paste is taken in a turn of its own, after the browser has
        // finished with the event that brought it.
        if (this.queued > 1) await yieldToBrowser();
        this.sliceStart = performance.now();
      } else if (performance.now() - this.sliceStart > SLICE) {
        this.flushEcho();
        await yieldToBrowser();
        this.sliceStart = performance.now();
      } else {
        return this.takeByte();
      }
      if (this.ended) return -1;
    }
  }

  takeByte() {
    if (typeof this.chunks[this.head] === 'string') {
      const text = this.chunks[this.head];
      const bytes = encoder.encode(text);
      this.queued += bytes.length - text.length;
      this.chunks[this.head] = bytes;
    }
    const chunk = this.chunks[this.head];
    const typed = chunk[this.offset++];
    const b = typed === CARRIAGE_RETURN ? ENTER : typed;
    this.queued -= 1;
    if (this.offset === chunk.length) {
      this.chunks[this.head++] = null;
      this.offset = 0;
      if (this.head === this.chunks.length) {
        this.chunks = [];
        this.head = 0;
        if (this.flooding) {
          this.flooding = false;
          setTimeout(() => this.onFlood(false));
        }
      }
    }
    return b;
  }

  // The program has ended: nothing more is read.
  end() {
    this.ended = true;
    this.chunks = [];
    this.head = 0;
    this.offset = 0;
    this.queued = 0;
    const wake = this.wakeReader;
    this.wakeReader = null;
    wake?.();
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
