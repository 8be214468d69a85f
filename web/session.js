// What the program has read in this run, kept in two forms: for a pipe
// (`veldra < eingabe.txt` prints the same output) and for the page's own
// terminal (a link replays it as typed-ahead input and shows the same screen).
//
// Both hold the bytes as the program took them: keys one by one, lines after
// their editing (Backspace and Ctrl-U are gone). They differ only where the
// terminal's end-of-file key (Ctrl-D) handed a line over or ended a read: the
// terminal's form keeps the key; a pipe has none, so there a line end stands,
// or, for a read that Ctrl-D ended at once, a word that is no number. That
// keeps the value as Ctrl-D does and prints the same; the program notes it on
// standard error only.

const ENTER = 0x0a;
const END_OF_FILE = 0x04;
const KEPT_BY_WORD = new TextEncoder().encode('behalten\n');

// The most input a link carries. A typical calculation is about a hundred
// bytes; this holds some forty of them, and the link stays short enough for a
// mail and for the printout.
export const LINK_LIMIT = 4096;

export class SessionRecord {
  constructor() {
    this.pipe = new Bytes();
    this.terminal = new Bytes();
    this.lineOpen = false; // a line was handed over without its Enter (Ctrl-D)
  }

  // A key the program read.
  key(b) {
    this.pipe.push([b]);
    this.terminal.push([b]);
    this.lineOpen = false;
  }

  // Bytes of a line the program read; none when the end-of-file key ended
  // the read. `whole`: the line's last bytes (a longer one comes in parts).
  line(bytes, whole = true) {
    if (bytes.length > 0) {
      this.pipe.push(bytes);
      this.terminal.push(bytes);
      this.lineOpen = bytes[bytes.length - 1] !== ENTER;
      // Handed over without Enter: Ctrl-D did that.
      if (this.lineOpen && whole) this.terminal.push([END_OF_FILE]);
    } else {
      this.terminal.push([END_OF_FILE]);
      // After digits handed over so, a pipe ends the number with a line end.
      this.pipe.push(this.lineOpen ? [ENTER] : KEPT_BY_WORD);
      this.lineOpen = false;
    }
  }

  forPipe() {
    return this.pipe.bytes();
  }

  forTerminal() {
    return this.terminal.bytes();
  }
}

// A growing byte array.
class Bytes {
  constructor() {
    this.data = new Uint8Array(256);
    this.length = 0;
  }

  push(bytes) {
    if (this.length + bytes.length > this.data.length) {
      const more = new Uint8Array(Math.max(2 * this.data.length, this.length + bytes.length));
      more.set(this.data.subarray(0, this.length));
      this.data = more;
    }
    this.data.set(bytes, this.length);
    this.length += bytes.length;
  }

  bytes() {
    return this.data.slice(0, this.length);
  }
}

const FRAGMENT = '#eingabe=';

// The fragment of a link that carries `bytes`: base64url, without padding.
export function linkFragment(bytes) {
  const base64 = btoa(String.fromCharCode(...bytes));
  return FRAGMENT + base64.replaceAll('+', '-').replaceAll('/', '_').replace(/=+$/, '');
}

// What a link's fragment says: { bytes } to replay, { problem } in German
// when it cannot be used, or {} when it carries no input at all.
export function readFragment(hash) {
  if (hash === '' || hash === '#') return {};
  if (!hash.startsWith(FRAGMENT)) {
    return { problem: 'Der Link enthält keine Eingabe des Rechners. Der Rechner beginnt neu.' };
  }
  const text = hash.slice(FRAGMENT.length).replace(/=+$/, '');
  // Checked before decoding: a long fragment is refused whole, never cut.
  if (Math.floor((text.length * 6) / 8) > LINK_LIMIT) {
    return {
      problem:
        `Der Link trägt mehr als ${LINK_LIMIT} Bytes Eingabe und wird nicht abgespielt. ` +
        'Der Rechner beginnt neu; längere Sitzungen mit „Eingabe speichern“ weitergeben.',
    };
  }
  // One digit left over cannot make a byte: the link was cut.
  if (!/^[A-Za-z0-9_-]*$/.test(text) || text.length % 4 === 1) {
    return {
      problem: 'Der Link ist beschädigt: seine Eingabe lässt sich nicht lesen. Der Rechner beginnt neu.',
    };
  }
  const binary = atob(text.replaceAll('-', '+').replaceAll('_', '/'));
  return { bytes: Uint8Array.from(binary, (c) => c.charCodeAt(0)) };
}
