#pragma once

#include <string_view>

namespace veldra::console {

// Standard input as one stream of bytes, whether it is a terminal, a pipe, a
// file or a test's script. The two reads differ only in how a terminal is set
// while it waits.
class ByteSource {
 public:
  // Returned instead of a byte once the input has ended (for now: a terminal
  // may deliver more after its end-of-file key).
  static constexpr int kEnd = -1;

  // Returned instead of a byte when the terminal was stopped (Ctrl-Z) and
  // taken up again (fg) while a read waited: nothing was read, and what the
  // terminal showed of an unfinished line is gone. The caller shows again
  // what is asked (showAgain) and reads again. Only a terminal does this.
  static constexpr int kResumed = -2;

  virtual ~ByteSource() = default;

  // The next byte (0..255) as one key press: a terminal gives it at once,
  // unechoed, without Enter. kEnd when the input has ended.
  virtual int nextKeyByte() = 0;

  // The next byte (0..255) of a typed line: a terminal collects the line in its
  // normal mode, echoed and editable, and gives it after Enter. kEnd when the
  // input has ended.
  virtual int nextLineByte() = 0;

  // True when the next byte is already at hand (read ahead from a pipe or a
  // file), so that neither read will wait for it. A source that cannot tell
  // says false.
  [[nodiscard]] virtual bool ready() const { return false; }

  // Whether reads may say kResumed: the input is a terminal.
  [[nodiscard]] virtual bool resumable() const { return false; }

  // Shows `text` on the terminal that the input comes from, and nowhere else:
  // what is asked, shown again after a stop. A source that is no terminal
  // shows nothing.
  virtual void showAgain(std::string_view text) { (void)text; }
};

// Notes for the user beside the dialogue: on a terminal its standard error,
// in the browser page its status line. They never mix with the dialogue's
// own output.
class NoteSink {
 public:
  virtual ~NoteSink() = default;

  // Shows one note at once: `kind` names what it is about ("decimal-comma"),
  // `text` says it in one line, without a line end.
  virtual void note(std::string_view kind, std::string_view text) = 0;
};

// Standard output.
class ByteSink {
 public:
  virtual ~ByteSink() = default;

  // Appends text; it may be held back until flush().
  virtual void write(std::string_view text) = 0;

  // Makes all that was written visible. False once the output is gone (a closed
  // pipe or terminal); everything written after that is dropped.
  [[nodiscard]] virtual bool flush() = 0;
};

}  // namespace veldra::console
