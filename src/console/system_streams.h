#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "console/byte_stream.h"
#include "console/line_editor.h"

namespace veldra::console {

// The process's standard input. On a terminal, the first key read switches it
// to unechoed single-key mode, which holds until the object goes; only a line
// read switches to the terminal's own line mode, for as long as the line is
// typed. Elsewhere (pipe, file) it is read as plain bytes. While it lives, a
// signal that ends or stops the process first puts the terminal back as it
// was; a read that a stop interrupted says kResumed once the process goes on.
class StdinSource final : public ByteSource {
 public:
  StdinSource();
  ~StdinSource() override;
  StdinSource(const StdinSource&) = delete;
  StdinSource& operator=(const StdinSource&) = delete;

  int nextKeyByte() override;
  int nextLineByte() override;
  [[nodiscard]] bool ready() const override { return pos_ < len_; }
  [[nodiscard]] bool resumable() const override { return terminal_; }
  void showAgain(std::string_view text) override;

 private:
  int next(bool key);

  bool terminal_;
  // A whole line of a terminal fits, with its end.
  std::array<unsigned char, kLineLimit + 1> buffer_{};
  std::size_t pos_ = 0;
  std::size_t len_ = 0;
};

// Notes for the user beside the dialogue: standard error, unbuffered, a line
// "veldra: <text>" each; in the browser page, its status line.
class SystemNotes final : public NoteSink {
 public:
  void note(std::string_view kind, std::string_view text) override;
};

// The process's standard output, buffered until flush(). A closed reader or a
// failed write makes flush() report false instead of killing the process.
class StdoutSink final : public ByteSink {
 public:
  StdoutSink();
  ~StdoutSink() override;
  StdoutSink(const StdoutSink&) = delete;
  StdoutSink& operator=(const StdoutSink&) = delete;

  void write(std::string_view text) override;
  [[nodiscard]] bool flush() override;

  // Flushes for the last time. Nothing when all that was written arrived, or
  // when the reader went away (the quiet end of a run); else the reason why
  // writing failed, in the system's words ("No space left on device").
  [[nodiscard]] std::optional<std::string> finish();

 private:
  // Output is written out in pieces of this size at the latest.
  static constexpr std::size_t kFlushAt = std::size_t{1} << 16;

  std::string pending_;
  int error_ = 0;  // errno of the write that failed; 0 while all is well
};

}  // namespace veldra::console
