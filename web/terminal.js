// The input side of a terminal, for the calculator running in the page.
//
// Everything typed, clicked or pasted joins one queue of bytes, as a
// terminal's input queue does, and stays there until the program reads it:
// a key read takes one byte, unechoed; a line read lets the program look at
// the bytes queued and take those it has edited into a line, as a terminal's
// line mode would have (src/console/system_streams_web.cc), and shows their
// echo. So a pasted session is consumed by the same rules as a piped one, but
// for the editing bytes, which act as they do in a terminal.
//
// A paste of any size keeps the page alive: the program gives the browser a
// turn after every few milliseconds of work, and waits while the screen is
// behind with what it was given to show.

const ENTER = 0x0a;
const CARRIAGE_RETURN = 0x0d;

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

const ERASE = '\b \b';

// Takes the last character of the current line off `pieces` (texts).
function takeBack(pieces) {
  for (let k = pieces.length - 1; k >= 0; --k) {
    if (pieces[k] === '') continue;
    if (pieces[k].endsWith('\n')) return;
    pieces[k] = pieces[k].slice(0, -1);
    return;
  }
}

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
  // onKeyWait(anyKey): called each time the program waits for a key; anyKey
  // when any key goes on (a pause), else the key is the menu's.
  // onNote({kind, text}): a note for the user beside the dialogue (what a
  // terminal shows on standard error): what it is about, and one line.
  // onAsking(field): called before each number read with the value it is
  // for ("Nr", "F", "L", "E", "Iy", "a", "x", "xq").
  // onLineRead(reading): called with true when the program starts editing a
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
    onAsking = () => {},
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
    this.onAsking = onAsking;
    this.notes = []; // every note of the run
    this.chunks = []; // typed input, in chunks; chunks[head] is read from `offset` on
    this.head = 0;
    this.offset = 0;
    this.queued = 0; // bytes typed and not read yet
    this.wakeReader = null; // resolves the read that waits for the next byte
    this.unshown = 0; // bytes handed to the screen and not shown yet
    this.wakeWriter = null; // resolves the wait for the screen to catch up
    this.sliceStart = performance.now();
    this.output = []; // the program's output, as chunks, KEPT_OUTPUT at most
    this.outputKept = 0;
    this.outputDropped = 0;
    this.echoes = []; // the echo of what was typed: {at, text}, `at` bytes into the output
    this.failure = null; // the error that ended the run, if one did
    this.ended = false;
    this.anyKey = false; // the next key read is one that any key answers
  }

  // What the program's next key is for: any key that goes on, or the menu's.
  waiting(anyKey) {
    this.anyKey = anyKey;
  }

  // Which value the program's next number read is for: "F", "E", "Iy", ...
  asking(field) {
    this.onAsking(field);
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
    if (this.outputKept + bytes.length <= KEPT_OUTPUT) {
      this.output.push(bytes);
      this.outputKept += bytes.length;
    } else {
      this.outputDropped += bytes.length;
    }
    this.display(latin1.decode(bytes).replaceAll('\n', '\r\n'));
  }

  // What the terminal shows of a line being typed: shown, and kept beside
  // the output while that is kept.
  echo(bytes) {
    if (bytes.length === 0) return;
    const text = latin1.decode(bytes);
    if (this.outputDropped === 0) this.echoes.push({ at: this.outputKept, text });
    this.display(text.replaceAll('\n', '\r\n'));
  }

  // What the terminal has shown, as bytes: the program's output with the
  // echo of what was typed in its place, each erased character taken back
  // (a terminal erases one with "\b \b").
  screenBytes() {
    const output = this.outputText();
    const shown = [];
    let from = 0;
    for (const { at, text } of this.echoes) {
      shown.push(output.slice(from, at));
      from = at;
      for (let k = 0; k < text.length; ++k) {
        if (text.startsWith(ERASE, k)) {
          takeBack(shown);
          k += ERASE.length - 1;
        } else {
          shown.push(text[k]);
        }
      }
    }
    shown.push(output.slice(from));
    return Uint8Array.from(shown.join(''), (c) => c.charCodeAt(0));
  }

  // A note from the program, shown beside the terminal, not in it: what it
  // is about (kind) and its text, one line.
  note(kind, text) {
    const note = { kind, text };
    this.notes.push(note);
    this.onNote(note);
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

  // The next byte as a key, unechoed; -1 once the run has ended.
  async readKey() {
    try {
      this.onKeyWait(this.anyKey);
      const key = await this.nextByte();
      if (!this.ended) this.record.key(key);
      return key;
    } catch (error) {
      return this.fail(error);
    }
  }

  // The program starts editing a typed line, or has it.
  lineStarted() {
    this.onLineRead(true);
  }

  lineEnded() {
    this.onLineRead(false);
  }

  // A piece of the line the program has taken; empty when Ctrl-D ended the
  // read. `whole`: the line's last piece.
  lineTaken(bytes, whole) {
    if (!this.ended) this.record.line(bytes, whole);
  }

  // Up to `size` bytes typed and not taken yet, Enter as a line feed, without
  // taking them. None while nothing is typed, or while the program should wait
  // first (awaitInput): the screen is behind, or the browser's turn is due.
  peek(size) {
    if (this.queued === 0 || this.unshown > HIGH || performance.now() - this.sliceStart > SLICE) {
      return new Uint8Array(0);
    }
    const chunk = this.headBytes();
    const bytes = chunk.slice(this.offset, this.offset + size);
    for (let k = 0; k < bytes.length; ++k) if (bytes[k] === CARRIAGE_RETURN) bytes[k] = ENTER;
    return bytes;
  }

  // Takes `count` bytes that peek() has shown.
  consume(count) {
    for (let left = count; left > 0; ) {
      const chunk = this.headBytes();
      const taken = Math.min(left, chunk.length - this.offset);
      this.offset += taken;
      this.queued -= taken;
      left -= taken;
      this.nextChunkIfUsed(chunk);
    }
  }

  // Waits until the program may take bytes: some are typed, the screen has
  // caught up, the browser has had its turn. 1 then; 0 once the run has
  // ended.
  async awaitInput() {
    try {
      return (await this.ready()) ? 1 : 0;
    } catch (error) {
      this.fail(error);
      return 0;
    }
  }

  // An error in a read: the program is told that its input has ended, so
  // that it ends at once, and the error is kept for the page to name.
  fail(error) {
    this.failure ??= error;
    this.end();
    return -1;
  }

  // The next byte typed; -1 once the run has ended.
  async nextByte() {
    return (await this.ready()) ? this.takeByte() : -1;
  }

  // Waits until a byte is typed and may be taken: gives the browser its turn
  // when the slice of work is used up, and waits while the screen is behind.
  // False once the run has ended.
  async ready() {
    for (;;) {
      if (this.ended) return false;
      if (this.unshown > HIGH) {
        await new Promise((resolve) => {
          this.wakeWriter = resolve;
        });
        this.sliceStart = performance.now();
      } else if (this.queued === 0) {
        await new Promise((resolve) => {
          this.wakeReader = resolve;
        });
        // A paste is taken in a turn of its own, after the browser has
        // finished with the event that brought it.
        if (this.queued > 1) await yieldToBrowser();
        this.sliceStart = performance.now();
      } else if (performance.now() - this.sliceStart > SLICE) {
        await yieldToBrowser();
        this.sliceStart = performance.now();
      } else {
        return true;
      }
    }
  }

  takeByte() {
    const chunk = this.headBytes();
    const typed = chunk[this.offset++];
    this.queued -= 1;
    this.nextChunkIfUsed(chunk);
    return typed === CARRIAGE_RETURN ? ENTER : typed;
  }

  // The chunk bytes are taken from, a pasted text turned into bytes once the
  // program comes to it.
  headBytes() {
    if (typeof this.chunks[this.head] === 'string') {
      const text = this.chunks[this.head];
      const bytes = encoder.encode(text);
      this.queued += bytes.length - text.length;
      this.chunks[this.head] = bytes;
    }
    return this.chunks[this.head];
  }

  // Goes on to the next chunk once `chunk`, the head, is used up.
  nextChunkIfUsed(chunk) {
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
