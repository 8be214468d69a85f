#include "console/console.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

namespace veldra::console {

// Output is made visible before a read that may wait, and only then: a script
// piped in is answered with a few large writes instead of one per key.
bool Console::showBeforeWaiting() { return in_.ready() || out_.flush(); }

void Console::print(std::string_view text) {
  out_.write(text);
  if (!in_.resumable()) return;        // nothing is ever shown again
  constexpr std::size_t kKept = 4096;  // more than any menu or prompt
  sinceRead_.append(text);
  if (sinceRead_.size() > 2 * kKept) sinceRead_.erase(0, sinceRead_.size() - kKept);
}

void Console::showAgain() {
  (void)out_.flush();
  std::string_view asked = sinceRead_;
  // A prompt is the unfinished last line; a menu ends with its line end.
  if (!asked.empty() && asked.back() != '\n') asked.remove_prefix(asked.rfind('\n') + 1);
  in_.showAgain(asked);
}

int Console::nextByte(bool key) {
  int c = key ? in_.nextKeyByte() : in_.nextLineByte();
  for (; c == ByteSource::kResumed; c = key ? in_.nextKeyByte() : in_.nextLineByte()) showAgain();
  return c;
}

std::optional<int> Console::waitKey() {
  if (!showBeforeWaiting()) return std::nullopt;
  const int key = nextByte(true);
  if (key == ByteSource::kEnd) return std::nullopt;
  sinceRead_.clear();
  return key;
}

bool Console::takeLine() {
  // The user has to see the prompt before typing the line.
  (void)showBeforeWaiting();
  line_.clear();
  pos_ = 0;
  int c = nextByte(false);
  if (c == ByteSource::kEnd) return false;
  for (; c != ByteSource::kEnd; c = nextByte(false)) {
    if (line_.size() < kLineLimit) line_ += static_cast<char>(c);
    if (c == '\n') break;
  }
  return true;
}

bool Console::skipToNumber() {
  for (;;) {
    while (pos_ < line_.size() && std::isspace(static_cast<unsigned char>(line_[pos_]))) ++pos_;
    if (pos_ < line_.size()) return true;
    if (!takeLine()) return false;
  }
}

namespace {

// The bytes from `from` up to the next blank or the end of `line`.
std::string_view word(const std::string& line, std::size_t from) {
  std::size_t to = from;
  while (to < line.size() && !std::isspace(static_cast<unsigned char>(line[to]))) ++to;
  return std::string_view(line).substr(from, to - from);
}

}  // namespace

void Console::note(std::string_view kind, std::string_view text) {
  if (notes_ == nullptr) return;
  (void)out_.flush();  // the note comes after what the user has seen
  notes_->note(kind, text);
}

Console::Read Console::settle(std::size_t used) {
  sinceRead_.clear();
  if (used == 0) {
    // The word is kept for the note until the next read replaces the line.
    dropped_ = std::string(word(line_, pos_));
    line_.clear();
    pos_ = 0;
    return {Read::Result::kNoNumber, dropped_, {}};
  }
  const std::string_view number = std::string_view(line_).substr(pos_, used);
  pos_ += used;
  return {Read::Result::kNumber, number, word(line_, pos_)};
}

Console::Read Console::readInt(std::int32_t& target) {
  if (!skipToNumber()) return {};
  const char* start = line_.c_str() + pos_;
  char* end = nullptr;
  const long long v = std::strtoll(start, &end, 10);
  const Read read = settle(static_cast<std::size_t>(end - start));
  if (read.result != Read::Result::kNumber) return read;
  // Out-of-range values saturate, as strtol does on a platform with 32-bit long.
  target = static_cast<std::int32_t>(std::clamp<long long>(
      v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
  return read;
}

Console::Read Console::readDouble(double& target) {
  if (!skipToNumber()) return {};
  const char* start = line_.c_str() + pos_;
  char* end = nullptr;
  const double v = std::strtod(start, &end);
  const Read read = settle(static_cast<std::size_t>(end - start));
  if (read.result == Read::Result::kNumber) target = v;
  return read;
}

}  // namespace veldra::console
