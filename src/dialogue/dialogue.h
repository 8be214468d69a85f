#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "console/byte_stream.h"
#include "console/console.h"
#include "dialogue/exit_status.h"
#include "dialogue/input_state.h"

namespace veldra::dialogue {

// Runs the calculator on `console`: prints the menu, dispatches each key to its
// command, and goes round again until the user presses q or the input ends
// (a pipe or file runs dry, a terminal goes away). Returns the process's exit
// status, kExitStatus. Never exits the process itself.
int runMenu(console::Console& console);

// Answers the command line's arguments (without the program's name): --help
// and --version print their text on `out` and give 0; anything else gives a
// note on `notes` and kUsageStatus. No argument gives nothing: the dialogue
// runs.
std::optional<int> answerArguments(std::span<const std::string_view> arguments,
                                   console::ByteSink& out, console::NoteSink& notes);

// The status the process ends with after a run that ended with `status`:
// `status` itself, or, when the output could not be written
// (`outputFailure` holds the system's reason), kOutputFailedStatus after a
// note that says so.
int statusAtEnd(int status, const std::optional<std::string>& outputFailure,
                console::NoteSink& notes);

// The lines that key w shows for `state`, from its heading to the line of xq,
// each with its line end, without the pause prompt.
[[nodiscard]] std::string valuesText(const InputState& state);

// What a key is waited for: a command at the menu, or any key that goes on
// (after the pause prompt, and after a case number that names no case).
enum class KeyWait { kMenu, kAnyKey };

// Whom the dialogue tells what it does, besides its output; each may be null.
struct Listeners {
  // The values whose report key g has just printed, before its pause.
  void (*reported)(const InputState& state) = nullptr;
  // What the next key is for, just before the dialogue waits for it.
  void (*waiting)(KeyWait wait) = nullptr;
  // Which value the next number read is for ("Nr", "F", "L", "E", "Iy", "a",
  // "x", "xq"), just before it is read.
  void (*asking)(std::string_view field) = nullptr;
};

// The same, on a state that the caller owns: it holds the values entered, and
// the caller may read it whenever the dialogue waits (to draw the beam, say).
// `listeners` hear of each report printed and each key wait. The dialogue
// never learns who reads or listens.
int runMenu(console::Console& console, InputState& state, Listeners listeners = {});

}  // namespace veldra::dialogue
