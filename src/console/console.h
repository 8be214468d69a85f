#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "console/byte_stream.h"
#include "console/line_editor.h"

namespace veldra::console {

// The dialogue's view of the console: output, single keys and number entry,
// all on one byte stream.
//
// Number entry works on a pending line: a read skips white space, taking the
// next whole line from the stream whenever the pending one is used up (at most
// kLineLimit bytes of it, as a terminal's line buffer holds), converts
// the longest number it finds there and leaves the rest of that line pending
// for the next number read. A key read never sees pending characters; it takes
// the byte after the last line that number entry took.
class Console {
 public:
  // What a number read found, for a note to the user. The views point into
  // the pending line and hold until the next read.
  struct Read {
    enum class Result {
      kNumber,    // a number converted; `text` is it as typed
      kNoNumber,  // none: `text` is the word that stood there, now dropped
      kEnd,       // the input ended, or the end-of-file key ended this value
    };
    Result result = Result::kEnd;
    std::string_view text;
    std::string_view after;  // kNumber: what follows the number up to a blank
  };

  // `notes`, when given, receives notes for the user beside the dialogue
  // (standard error); the dialogue's own output is `out` alone.
  Console(ByteSource& in, ByteSink& out, NoteSink* notes = nullptr)
      : in_(in), out_(out), notes_(notes) {}

  // Prints text; it becomes visible at the next wait or flush().
  void print(std::string_view text);

  // Shows a note beside the dialogue at once, after what is printed so far
  // (see NoteSink::note).
  void note(std::string_view kind, std::string_view text);

  // Makes everything printed visible; false once the output is gone.
  [[nodiscard]] bool flush() { return out_.flush(); }

  // Makes everything printed visible unless the key is already at hand, then
  // waits for one key and returns its code (0..255). Nothing when the input has
  // ended or the output is gone: the session cannot go on.
  [[nodiscard]] std::optional<int> waitKey();

  // Reads an integer as "%d" does: strtol base 10, saturated to the 32-bit
  // range. When nothing converts (letters, end of input) `target` keeps its
  // value and the rest of the pending line is dropped, so that one mistyped
  // value does not spoil the reads after it.
  Read readInt(std::int32_t& target);

  // Reads a double as "%lf" does (strtod in the C locale: decimals, exponents,
  // inf, nan, hex). Failure as for readInt.
  Read readDouble(double& target);

 private:
  // Flushes unless the input has its next byte at hand; false once the output
  // is gone.
  bool showBeforeWaiting();
  // Skips white space, taking new lines as needed; false at the end of input.
  bool skipToNumber();
  // Replaces the pending line with the next one from the stream; false when
  // the stream had no byte left.
  bool takeLine();
  // Consumes `used` converted bytes, or drops the line when none converted;
  // says what was read.
  Read settle(std::size_t used);
  // After a stop: shows again what the dialogue asks, that is what it printed
  // since the last read: a prompt (its last line), or a whole menu.
  void showAgain();
  // The next byte as a key or of a line; after a stop, shows again first.
  int nextByte(bool key);

  ByteSource& in_;
  ByteSink& out_;
  NoteSink* notes_;
  std::string line_;
  std::size_t pos_ = 0;
  std::string dropped_;    // the word a failed read dropped with its line
  std::string sinceRead_;  // printed since the last read, its last 4 KiB
};

}  // namespace veldra::console
