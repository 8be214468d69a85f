// Writes the transcripts of support/transcripts.h as JSON, for the checks that
// type them into the browser page: [{"name", "input", "expected"}, ...], each
// byte of input and output as one character (U+0000 to U+00FF).

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

}  // namespace

int main() {
  std::string json = "[";
  for (const auto& transcripts :
       {veldra::test::dialogueTranscripts(), veldra::test::reportTranscripts()}) {
    for (const veldra::test::Transcript& t : transcripts) {
      if (json.size() > 1) json += ",\n";
      json += "{\"name\": " + quoted(t.name) + ", \"input\": " + quoted(t.input) +
              ", \"expected\": " + quoted(t.expected) + "}";
    }
  }
  json += "]\n";
  return std::fputs(json.c_str(), stdout) < 0 ? 1 : 0;
}
