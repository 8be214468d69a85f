#include "console/system_streams.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "console/platform.h"

namespace veldra::console {

int StdinSource::nextKeyByte() { return next(true); }

int StdinSource::nextLineByte() { return next(false); }

void StdinSource::showAgain(std::string_view text) { platform::showOnTerminal(text); }

int StdinSource::next(bool key) {
  if (pos_ == len_) {
    pos_ = 0;
    // One byte only for a key on a terminal: the keys typed after it are the
    // terminal adaptor's, which edits them into a line if a number read comes
    // to them. A line read on a terminal gives at most one line; a pipe what
    // it has.
    if (!terminal_) {
      len_ = platform::readChunk(buffer_.data(), buffer_.size());
    } else {
      len_ = key ? platform::readKey(buffer_.data())
                 : platform::readLine(buffer_.data(), buffer_.size());
    }
    if (len_ == platform::kResumed) {
      len_ = 0;
      return kResumed;
    }
    if (len_ == 0) return kEnd;
  }
  return buffer_[pos_++];
}

StdoutSink::~StdoutSink() { (void)flush(); }

void StdoutSink::write(std::string_view text) {
  if (error_ != 0) return;
  pending_.append(text);
  if (pending_.size() >= kFlushAt) (void)flush();
}

bool StdoutSink::flush() {
  for (std::size_t done = 0; error_ == 0 && done < pending_.size();) {
    done += platform::writeChunk(pending_.data() + done, pending_.size() - done, error_);
  }
  pending_.clear();
  return error_ == 0;
}

std::optional<std::string> StdoutSink::finish() {
  if (flush() || error_ == EPIPE) return std::nullopt;
  return std::strerror(error_);
}

void SystemNotes::note(std::string_view kind, std::string_view text) {
  platform::showNote(kind, text);
}

}  // namespace veldra::console
