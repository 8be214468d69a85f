// The console adaptor in the browser page. The page's terminal holds what is
// typed or pasted as one queue of bytes, as a terminal's input queue does: a
// key read takes one byte of it, unechoed; a line read lets the page collect a
// line as a terminal's line mode does (echo, Backspace, Enter; Ctrl-D at the
// start of a line ends that read). Both waits suspend the WebAssembly program
// (Asyncify) and hand the browser back its event loop until a byte arrives.

#include <emscripten.h>

#include <cerrno>

#include "console/platform.h"
#include "console/system_streams.h"

namespace {

// The page's side: Module.veldraTerminal, an object with readKey(),
// readLine(size) and write(bytes); see web/terminal.js.
EM_ASYNC_JS(int, veldra_read_key, (), { return await Module.veldraTerminal.readKey(); });

EM_ASYNC_JS(int, veldra_read_line, (unsigned char* to, int size), {
  const line = await Module.veldraTerminal.readLine(size);
  HEAPU8.set(line, to);
  return line.length;
});

EM_JS(void, veldra_write, (const char* from, int size),
      { Module.veldraTerminal.write(HEAPU8.slice(from, from + size)); });

EM_JS(void, veldra_note, (const char* from, int size),
      { Module.veldraTerminal.note(UTF8ToString(from, size)); });

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
  return static_cast<std::size_t>(veldra_read_line(to, static_cast<int>(size)));
}

// The page is always a terminal, so this is never called.
std::size_t readChunk(unsigned char* to, std::size_t size) { return readLine(to, size); }

void writeNote(const char* from, std::size_t size) { veldra_note(from, static_cast<int>(size)); }

std::size_t writeChunk(const char* from, std::size_t size, int& /*error*/) {
  veldra_write(from, static_cast<int>(size));
  return size;
}

}  // namespace platform
}  // namespace veldra::console
