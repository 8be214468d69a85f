#pragma once

// Runs the built program as a child process: through pipes, or on a
// pseudo-terminal as a user at a keyboard would.

#include <string>
#include <vector>

namespace veldra::test {

// The program under test: VELDRA_BINARY from the environment (with
// VELDRA_RUNNER, e.g. an emulator, in front of it when set), else the one built
// beside the tests.
std::vector<std::string> programCommand();

// Replaces the calling (child) process with the program under test.
[[noreturn]] void execProgram();

struct Finished {
  int status = -1;  // exit status, or -1 when killed by a signal
  int signal = 0;   // the signal that ended it, or 0
  std::string output;
  std::string errors;  // standard error, captured only by runPiped
};

// Feeds `input` as standard input through a pipe, collects standard output and
// standard error.
// With closeOutputEarly, the reading end of standard output is closed at once.
Finished runPiped(const std::string& input, bool closeOutputEarly = false);

}  // namespace veldra::test
