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

  // How many key reads the script has answered or refused so far.
  int keyReads = 0;
  // Whether the script says that its next byte is at hand, as a pipe read
  // ahead does.
  bool readAhead = false;

 private:
  int next() {
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
