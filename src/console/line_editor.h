#pragma once

// The line editing of a terminal in line mode, for the bytes that the program
// edits itself: a number typed ahead while a POSIX terminal was in key mode,
// and every line typed into the browser page's terminal.

#include <cstddef>
#include <string>

namespace veldra::console {

// The most bytes of one line that are kept, as a terminal's line buffer holds
// them; the rest of a longer line is dropped, and its end still ends it.
inline constexpr std::size_t kLineLimit = 4095;

// The keys that edit a line, and how it is echoed. A key of -1 is not set.
struct LineKeys {
  int erase = 0x7f;         // takes back the last byte (DEL, as Backspace sends it)
  int erase2 = -1;          // a second key that does the same
  int kill = 0x15;          // takes back the whole line (Ctrl-U)
  int endOfFile = 0x04;     // hands the line over as it is; at its start, ends the read (Ctrl-D)
  int endOfLine = -1;       // ends the line as Enter does, and is part of it
  int endOfLine2 = -1;      // another such key
  bool echo = true;         // typed bytes are shown
  bool echoControl = true;  // control bytes are shown as ^X (DEL as ^?)
};

// One line being typed: edits bytes into it and says what the terminal would
// have shown meanwhile.
class LineEditor {
 public:
  explicit LineEditor(const LineKeys& keys) : keys_(keys) {}

  // Takes one typed byte. True when it ended the line: Enter or an end-of-line
  // key (both kept at the line's end), or the end-of-file key (not kept; with
  // an empty line that ends the read). What the terminal shows for it is
  // appended to `echo`.
  bool take(unsigned char c, std::string& echo);

  // The line so far, at most kLineLimit bytes and its end.
  [[nodiscard]] const std::string& line() const { return line_; }

  // Starts a new, empty line.
  void clear() { line_.clear(); }

 private:
  // What the echo of `c` looks like.
  [[nodiscard]] std::string shown(unsigned char c) const;

  LineKeys keys_;
  std::string line_;
};

}  // namespace veldra::console
