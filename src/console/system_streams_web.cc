// The console adaptor in the browser page. The page's terminal holds what is
// typed or pasted as one queue of bytes, as a terminal's input queue does: a
// key read takes one byte of it, unechoed; a line read edits bytes of it into
// a line here, as a terminal's line mode does (echo, Backspace, Ctrl-U, Enter;
// Ctrl-D at the start of a line ends that read). Both wait by suspending the
// WebAssembly program (Asyncify), which hands the browser back its event loop
// until a byte arrives.

#include <emscripten.h>

#include <algorithm>
#include <array>
#include <string>

#include "console/line_editor.h"
#include "console/platform.h"
#include "console/system_streams.h"

namespace {

// The page's side: Module.veldraTerminal (web/terminal.js).
EM_ASYNC_JS(int, veldra_read_key, (), { return await Module.veldraTerminal.readKey(); });

EM_ASYNC_JS(int, veldra_await_input, (), { return await Module.veldraTerminal.awaitInput(); });

EM_JS(int, veldra_peek, (unsigned char* to, int size), {
  const typed = Module.veldraTerminal.peek(size);
  HEAPU8.set(typed, to);
  return typed.length;
});

EM_JS(void, veldra_consume, (int count), { Module.veldraTerminal.consume(count); });

EM_JS(void, veldra_line_started, (), { Module.veldraTerminal.lineStarted(); });

EM_JS(void, veldra_line_ended, (), { Module.veldraTerminal.lineEnded(); });

EM_JS(void, veldra_line_taken, (const unsigned char* from, int size, int whole),
      { Module.veldraTerminal.lineTaken(HEAPU8.slice(from, from + size), whole > 0); });

EM_JS(void, veldra_echo, (const char* from, int size),
      { Module.veldraTerminal.echo(HEAPU8.slice(from, from + size)); });

EM_JS(void, veldra_write, (const char* from, int size),
      { Module.veldraTerminal.write(HEAPU8.slice(from, from + size)); });

EM_JS(void, veldra_note, (const char* kind, int kindSize, const char* text, int textSize),
      { Module.veldraTerminal.note(UTF8ToString(kind, kindSize), UTF8ToString(text, textSize)); });

// The page's terminal edits as a terminal's line mode does by default;
// Backspace may arrive as DEL or as Ctrl-H.
constexpr veldra::console::LineKeys kPageKeys{.erase = 0x7f, .erase2 = 0x08};

// Edits the next line typed into `line`. False when there is none: Ctrl-D at
// the start of the line, or the run has ended.
bool editLine(std::string& line) {
  veldra::console::LineEditor editor(kPageKeys);
  std::array<unsigned char, veldra::console::kLineLimit + 1> typed{};
  std::string echo;
  veldra_line_started();
  for (bool done = false; !done;) {
    const int n = veldra_peek(typed.data(), static_cast<int>(typed.size()));
    if (n == 0) {
      if (veldra_await_input() == 0) break;
      continue;
    }
    int used = 0;
    while (used < n && !done) done = editor.take(typed[static_cast<std::size_t>(used++)], echo);
    veldra_consume(used);
    veldra_echo(echo.data(), static_cast<int>(echo.size()));
    echo.clear();
  }
  veldra_line_ended();
  line = editor.line();
  return !line.empty();
}

// A line edited for a number read, handed out in pieces.
std::string gLine;
std::size_t gLineHandedOut = 0;

}  // namespace

namespace veldra::console {

// The page is always a terminal: keys one at a time, numbers a line at a time.
StdinSource::StdinSource() : terminal_(true) {}

StdinSource::~StdinSource() = default;

StdoutSink::StdoutSink() = default;

namespace platform {

std::size_t readKey(unsigned char* to) {
  const int key = veldra_read_key();
  if (key < 0) return 0;
  *to = static_cast<unsigned char>(key);
  return 1;
}

std::size_t readLine(unsigned char* to, std::size_t size) {
  if (gLineHandedOut == gLine.size()) {
    gLine.clear();
    gLineHandedOut = 0;
    if (!editLine(gLine)) {
      veldra_line_taken(to, 0, 1);
      return 0;
    }
  }
  const std::size_t n = std::min(size, gLine.size() - gLineHandedOut);
  gLine.copy(reinterpret_cast<char*>(to), n, gLineHandedOut);
  gLineHandedOut += n;
  veldra_line_taken(to, static_cast<int>(n), gLineHandedOut == gLine.size() ? 1 : 0);
  return n;
}

// The page is always a terminal, so this is never called.
std::size_t readChunk(unsigned char* to, std::size_t size) { return readLine(to, size); }

// The page's program is never stopped.
void showOnTerminal(std::string_view /*text*/) {}

void showNote(std::string_view kind, std::string_view text) {
  veldra_note(kind.data(), static_cast<int>(kind.size()), text.data(),
              static_cast<int>(text.size()));
}

std::size_t writeChunk(const char* from, std::size_t size, int& /*error*/) {
  veldra_write(from, static_cast<int>(size));
  return size;
}

}  // namespace platform
}  // namespace veldra::console
