#pragma once

// A small JSON writer: objects and arrays nested to any depth, strings with
// every character escaped that JSON requires, numbers to the last bit.

#include <string>
#include <string_view>
#include <vector>

namespace veldra::drawing {

class JsonWriter {
 public:
  // Opens an object or an array: as a value, or after key().
  JsonWriter& beginObject();
  JsonWriter& endObject();
  JsonWriter& beginArray();
  JsonWriter& endArray();

  // The name of the next value in an object.
  JsonWriter& key(std::string_view name);

  // A string, UTF-8 passed on as it is; `"`, `\` and the control characters
  // (below U+0020) escaped.
  JsonWriter& value(std::string_view text);
  JsonWriter& value(const char* text) { return value(std::string_view(text)); }
  // A number, with as many digits as read back the same double; null where
  // it is not finite (JSON has no inf or NaN).
  JsonWriter& value(double number);
  JsonWriter& value(int number);
  JsonWriter& value(bool flag);

  // The text written so far; whole once every object and array is closed.
  [[nodiscard]] const std::string& text() const { return text_; }

 private:
  // Puts the comma before a value or key that is not the first of its parent.
  void separate();
  JsonWriter& open(char bracket);
  JsonWriter& close(char bracket);

  std::string text_;
  std::vector<bool> first_;  // per open object or array: nothing written in it yet
  bool afterKey_ = false;
};

}  // namespace veldra::drawing
