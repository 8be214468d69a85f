#include "console/line_editor.h"

namespace veldra::console {

std::string LineEditor::shown(unsigned char c) const {
  if (!keys_.echo) return {};
  const bool control = (c < 0x20 && c != '\t' && c != '\n') || c == 0x7f;
  if (control && keys_.echoControl) return {'^', static_cast<char>(c ^ 0x40)};
  return {static_cast<char>(c)};
}

bool LineEditor::take(unsigned char c, std::string& echo) {
  const auto is = [c](int key) { return key >= 0 && c == key; };
  // Takes the last byte back off the line and off the screen.
  const auto erase = [&] {
    for (std::size_t k = shown(static_cast<unsigned char>(line_.back())).size(); k > 0; --k) {
      echo += "\b \b";
    }
    line_.pop_back();
  };
  if (c == '\n' || is(keys_.endOfLine) || is(keys_.endOfLine2)) {
    line_ += static_cast<char>(c);
    echo += shown(c);
    return true;
  }
  if (is(keys_.endOfFile)) return true;
  if (is(keys_.erase) || is(keys_.erase2)) {
    if (!line_.empty()) erase();
  } else if (is(keys_.kill)) {
    while (!line_.empty()) erase();
  } else if (line_.size() < kLineLimit) {
    line_ += static_cast<char>(c);
    echo += shown(c);
  }
  return false;
}

}  // namespace veldra::console
