#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "console/byte_stream.h"

namespace veldra::console {

// The process's standard input. On a terminal, the first key read switches it
// to unechoed single-key mode, which holds until the object goes; only a line
// read switches to the terminal's own line mode, for as long as the line is
// typed. Elsewhere (pipe, file) it is read as plain bytes. While it lives, a
// signal that ends or stops the process first puts the terminal back as it was.
class StdinSource final : public ByteSource {
 public:
  StdinSource();
  ~StdinSource() override;
  StdinSource(const StdinSource&) = delete;
  StdinSource& operator=(const StdinSource&) = delete;

  int nextKeyByte() override;
  int nextLineByte() override;
  [[nodiscard]] bool ready() const override { return pos_ < len_; }

 private:
  int next(bool key);

  bool terminal_;
  std::array<unsigned char, 4096> buffer_{};
  std::size_t pos_ = 0;
  std::size_t len_ = 0;
};

// Notes for the user beside the dialogue: standard error, unbuffered; in the
// browser page, its status line.
class NoteSink final : public ByteSink {
 public:
  void write(std::string_view text) override;
  [[nodiscard]] bool flush() override { return true; }
};

// The exit status of a run whose output could not be written (a full disk, an
// I/O error): sysexits' EX_IOERR.
inline constexpr int kOutputFailedStatus = 74;

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

  // Flushes, then returns the status the process ends with: `status`, or,
  // when a write failed for another reason than a reader that went away,
  // kOutputFailedStatus after one line on standard error: `failed`, then the
  // failure's reason in parentheses. A reader that went away is the quiet end
  // of a run.
  int finish(int status, std::string_view failed);

 private:
  // Output is written out in pieces of this size at the latest.
  static constexpr std::size_t kFlushAt = std::size_t{1} << 16;

  std::string pending_;
  int error_ = 0;  // errno of the write that failed; 0 while all is well
};

}  // namespace veldra::console
