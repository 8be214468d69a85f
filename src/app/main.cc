#include <optional>
#include <string_view>
#include <vector>

#include "console/console.h"
#include "console/system_streams.h"
#include "dialogue/dialogue.h"

// The environment is not read: the program is its dialogue, and its command
// line knows --help and --version only.
int main(int argc, char* argv[]) {
  const std::vector<std::string_view> arguments(argv + 1, argv + argc);
  veldra::console::StdoutSink out;
  veldra::console::SystemNotes notes;
  std::optional<int> status = veldra::dialogue::answerArguments(arguments, out, notes);
  if (!status) {
    veldra::console::StdinSource in;
    veldra::console::Console console(in, out, &notes);
    status = veldra::dialogue::runMenu(console);
  }
  return veldra::dialogue::statusAtEnd(*status, out.finish(), notes);
}
