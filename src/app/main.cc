#include <string_view>
#include <vector>

#include "console/console.h"
#include "console/system_streams.h"
#include "dialogue/dialogue.h"
#include "dialogue/texts.h"

// The environment is not read: the program is its dialogue, and its command
// line knows --help and --version only.
int main(int argc, char* argv[]) {
  const std::vector<std::string_view> arguments(argv + 1, argv + argc);
  veldra::console::StdoutSink out;
  veldra::console::NoteSink notes;
  if (const auto status = veldra::dialogue::answerArguments(arguments, out, notes)) {
    return out.finish(*status, veldra::dialogue::kOutputFailed);
  }
  veldra::console::StdinSource in;
  veldra::console::Console console(in, out, &notes);
  return out.finish(veldra::dialogue::runMenu(console), veldra::dialogue::kOutputFailed);
}
