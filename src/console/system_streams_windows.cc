// The console adaptor on Windows. A console delivers keys through _getch (no
// echo, no Enter) and lines through its own line editing; a pipe or file is read
// as plain bytes, exactly as on POSIX, so scripts behave the same everywhere.

#include <conio.h>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "console/platform.h"
#include "console/system_streams.h"

namespace veldra::console {
namespace {

bool isConsole(DWORD which) {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(which), &mode) != 0;
}

}  // namespace

StdinSource::StdinSource() : terminal_(isConsole(STD_INPUT_HANDLE)) {
  // A console keeps text mode: its line editing hands over "\r\n" as "\n" and
  // Ctrl-Z as the end of a line's input. Pipes and files stay byte for byte.
  if (!terminal_) (void)_setmode(0, _O_BINARY);
}

StdinSource::~StdinSource() = default;

StdoutSink::StdoutSink() {
  // "\n" stays "\n" in a pipe or file, as on POSIX; a console shows it as a
  // line end either way.
  if (!isConsole(STD_OUTPUT_HANDLE)) (void)_setmode(1, _O_BINARY);
}

namespace platform {

// A function or cursor key arrives as two codes, 0 or 224 first; each is a
// key of its own.
std::size_t readKey(unsigned char* to) {
  const int key = _getch();
  if (key == EOF) return 0;
  *to = static_cast<unsigned char>(key);
  return 1;
}

// A console hands over a line at a time from its own line editing.
std::size_t readLine(unsigned char* to, std::size_t size) { return readChunk(to, size); }

std::size_t readChunk(unsigned char* to, std::size_t size) {
  for (;;) {
    const int n = _read(0, to, static_cast<unsigned>(size));
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR) return 0;
  }
}

// A console program is not stopped and taken up again.
void showOnTerminal(std::string_view /*text*/) {}

void showNote(std::string_view /*kind*/, std::string_view text) {
  const std::string line = noteLine(text);
  const char* from = line.data();
  for (std::size_t done = 0; done < line.size();) {
    const int n = _write(2, from + done, static_cast<unsigned>(line.size() - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

std::size_t writeChunk(const char* from, std::size_t size, int& error) {
  for (;;) {
    const int n = _write(1, from, static_cast<unsigned>(size));
    if (n > 0) return static_cast<std::size_t>(n);
    if (n < 0 && errno == EINTR) continue;
    // A pipe whose reader has gone says ERROR_NO_DATA (wine: ERROR_PIPE_NOT_
    // CONNECTED), which the runtime reports as EINVAL; it is the quiet end of
    // the run, as EPIPE is on POSIX.
    const unsigned long reason = _doserrno;
    const bool readerGone = reason == ERROR_NO_DATA || reason == ERROR_BROKEN_PIPE ||
                            reason == ERROR_PIPE_NOT_CONNECTED;
    error = n == 0 ? EIO : readerGone ? EPIPE : errno;
    return 0;
  }
}

}  // namespace platform
}  // namespace veldra::console
