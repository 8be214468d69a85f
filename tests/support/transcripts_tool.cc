// The transcripts of support/transcripts.h for the checks outside C++:
//
//   veldra_transcripts                  all of them as JSON, for the browser
//                                       checks: [{"name", "input", "expected"}],
//                                       each byte one character (U+0000 to U+00FF)
//   veldra_transcripts --input NAME     one transcript's input, as bytes
//   veldra_transcripts --expected NAME  the output it must give, as bytes

#include <cstdio>
#include <string>
#include <string_view>

#include "support/transcripts.h"

namespace {

std::string quoted(std::string_view bytes) {
  std::string json = "\"";
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b == '"' || b == '\\') {
      json += '\\';
      json += c;
    } else if (b < 0x20 || b > 0x7e) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", b);
      json += escape;
    } else {
      json += c;
    }
  }
  return json + "\"";
}

bool write(std::string_view bytes) {
  return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
}

}  // namespace

int main(int argc, char* argv[]) {
  const auto all = {veldra::test::dialogueTranscripts(), veldra::test::reportTranscripts()};
  if (argc == 3) {
    const std::string_view what = argv[1];
    for (const auto& transcripts : all) {
      for (const veldra::test::Transcript& t : transcripts) {
        if (t.name != std::string_view(argv[2])) continue;
        if (what == "--input") return write(t.input) ? 0 : 1;
        if (what == "--expected") return write(t.expected) ? 0 : 1;
      }
    }
    std::fprintf(stderr, "no transcript %s %s\n", argv[1], argv[2]);
    return 2;
  }
  std::string json = "[";
  for (const auto& transcripts : all) {
    for (const veldra::test::Transcript& t : transcripts) {
      if (json.size() > 1) json += ",\n";
      json += "{\"name\": " + quoted(t.name) + ", \"input\": " + quoted(t.input) +
              ", \"expected\": " + quoted(t.expected) + "}";
    }
  }
  json += "]\n";
  return write(json) ? 0 : 1;
}
