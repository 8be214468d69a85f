#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "console/byte_stream.h"

namespace veldra::test {

// Standard input from a fixed script; ends when the script is used up.
class ScriptedSource final : public console::ByteSource {
 public:
  explicit ScriptedSource(std::string_view script) : script_(script) {}

  int nextKeyByte() override {
    ++keyReads;
    return next();
  }
  int nextLineByte() override { return next(); }
  bool ready() const override { return readAhead && pos_ < script_.size(); }
  bool resumable() const override { return resumedAt != std::string::npos; }
  void showAgain(std::string_view text) override { shownAgain += text; }

  // How many key reads the script has answered or refused so far.
  int keyReads = 0;
  // Whether the script says that its next byte is at hand, as a pipe read
  // ahead does.
  bool readAhead = false;
  // Where in the script the terminal is stopped and taken up again: the read
  // of that byte says kResumed first.
  std::size_t resumedAt = std::string::npos;
  // What the console showed again on the terminal after that.
  std::string shownAgain;

 private:
  int next() {
    if (pos_ == resumedAt) {
      resumedAt = std::string::npos;
      return kResumed;
    }
    if (pos_ == script_.size()) return kEnd;
    return static_cast<unsigned char>(script_[pos_++]);
  }

  std::string script_;
  std::size_t pos_ = 0;
};

// Standard output into a string. `flushed` is what had been made visible at the
// last flush; `closeAfter` makes every flush after that many fail, as a reader
// that goes away does.
class CapturedSink final : public console::ByteSink {
 public:
  void write(std::string_view text) override { text_ += text; }
  bool flush() override {
    if (flushes++ >= closeAfter) return false;
    flushed = text_;
    return true;
  }
  const std::string& text() const { return text_; }

  std::string flushed;
  int flushes = 0;
  int closeAfter = 1 << 30;

 private:
  std::string text_;
};

}  // namespace veldra::test
