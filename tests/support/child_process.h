#pragma once

// Runs the built program as a child process: through pipes, or on a
// pseudo-terminal as a user at a keyboard would.

#include <chrono>
#include <string>
#include <vector>

namespace veldra::test {

// The program under test: VELDRA_BINARY from the environment (with
// VELDRA_RUNNER, e.g. an emulator, in front of it when set), else the one built
// beside the tests.
std::vector<std::string> programCommand();

// Replaces the calling (child) process with the program under test, given
// `arguments`.
[[noreturn]] void execProgram(const std::vector<std::string>& arguments = {});

struct Finished {
  int status = -1;  // exit status, or -1 when killed by a signal
  int signal = 0;   // the signal that ended it, or 0
  std::string output;
  std::string errors;  // standard error, captured only by runPiped
  // runPiped only: the program's peak resident memory (VmHWM) as last seen
  // while its output arrived. wait4's figure would not do: it counts the test's
  // own memory, which the child shares between fork and exec.
  long peakKiB = 0;
  long startKiB = 0;  // the same, when its first output arrived
};

// How runPiped connects the program.
struct Piping {
  bool closeOutputEarly = false;            // the reading end of standard output closed at once
  bool nonBlocking = false;                 // both of the program's pipe ends set O_NONBLOCK
  std::chrono::milliseconds inputDelay{0};  // the input starts to arrive this late
  const char* outputFile = nullptr;         // standard output to this file instead
  // With `awaitOutput`, the input is held open after `input` until the output
  // shows that text (10 s at most); then `rest` follows and the input closes.
  const char* awaitOutput = nullptr;
  std::string rest = {};
  std::vector<std::string> arguments = {};  // the program's command line
};

// Feeds `input` as standard input through a pipe, collects standard output and
// standard error. The program starts with SIGPIPE at its default action,
// whatever the test runner did with it.
Finished runPiped(const std::string& input, const Piping& piping = {});

}  // namespace veldra::test
