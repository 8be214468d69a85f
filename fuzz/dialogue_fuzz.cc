// Arbitrary bytes as standard input to the real menu loop. Whatever arrives,
// the run must end (the script runs out), return 113, and print nothing but the
// program's own texts and numbers.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "console/console.h"
#include "dialogue/dialogue.h"
#include "support/output_grammar.h"
#include "support/scripted_console.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view script(reinterpret_cast<const char*>(data), size);
  veldra::test::ScriptedSource in(script);
  veldra::test::CapturedSink out;
  veldra::console::Console console(in, out);
  if (veldra::dialogue::runMenu(console) != 113) {
    std::fputs("exit status other than 113\n", stderr);
    std::abort();
  }
  std::size_t where = 0;
  if (!veldra::test::isProgramOutput(out.text(), &where)) {
    std::fprintf(stderr, "stray output at byte %zu: %.40s\n", where, out.text().c_str() + where);
    std::abort();
  }
  return 0;
}
