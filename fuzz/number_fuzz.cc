// Number reading against the C library on the same text. The first byte picks
// "%d" or "%lf"; the rest is standard input. The console must convert what
// strtol/strtod convert on the first line that holds more than white space,
// leave the field alone when they convert nothing, and give the next key from
// the byte after that line.

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "console/console.h"
#include "support/scripted_console.h"

namespace {

using veldra::console::ByteSource;
using veldra::console::Console;

struct Expected {
  bool converted = false;
  double value = 0;
  int nextKey = ByteSource::kEnd;
};

// The same reading, written plainly over the whole script.
Expected reference(std::string_view script, bool integer) {
  Expected e;
  std::size_t lineStart = 0;
  while (lineStart < script.size()) {
    const std::size_t newline = script.find('\n', lineStart);
    const std::size_t lineEnd = newline == std::string_view::npos ? script.size() : newline + 1;
    std::string line(script.substr(lineStart, lineEnd - lineStart));
    line.resize(std::min(line.size(), veldra::console::kLineLimit));
    std::size_t p = 0;
    while (p < line.size() && std::isspace(static_cast<unsigned char>(line[p]))) ++p;
    if (p < line.size()) {
      char* end = nullptr;
      if (integer) {
        const long long v = std::strtoll(line.c_str() + p, &end, 10);
        const long long lo = std::numeric_limits<std::int32_t>::min();
        const long long hi = std::numeric_limits<std::int32_t>::max();
        e.value = static_cast<double>(v < lo ? lo : (v > hi ? hi : v));
      } else {
        e.value = std::strtod(line.c_str() + p, &end);
      }
      e.converted = end != line.c_str() + p;
      if (lineEnd < script.size()) e.nextKey = static_cast<unsigned char>(script[lineEnd]);
      return e;
    }
    lineStart = lineEnd;
  }
  return e;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool integer = (data[0] & 1) != 0;
  const std::string_view script(reinterpret_cast<const char*>(data) + 1, size - 1);
  const Expected e = reference(script, integer);

  veldra::test::ScriptedSource in(script);
  veldra::test::CapturedSink out;
  Console console(in, out);
  constexpr std::int32_t kSentinelInt = 424242;
  constexpr double kSentinel = 424242.5;
  double got = 0;
  if (integer) {
    std::int32_t field = kSentinelInt;
    console.readInt(field);
    got = field;
    if (!e.converted && field != kSentinelInt) std::abort();
  } else {
    double field = kSentinel;
    console.readDouble(field);
    got = field;
    if (!e.converted && std::memcmp(&field, &kSentinel, sizeof field) != 0) std::abort();
  }
  if (e.converted && std::memcmp(&got, &e.value, sizeof got) != 0) std::abort();
  if (console.waitKey().value_or(ByteSource::kEnd) != e.nextKey) std::abort();
  if (!out.text().empty()) std::abort();
  return 0;
}
