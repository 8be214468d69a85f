#pragma once

#include "console/console.h"
#include "dialogue/input_state.h"

namespace veldra::dialogue {

// The exit status of every run: the code of the key q.
inline constexpr int kExitStatus = 113;

// Runs the calculator on `console`: prints the menu, dispatches each key to its
// command, and goes round again until the user presses q or the input ends
// (a pipe or file runs dry, a terminal goes away). Returns the process's exit
// status, kExitStatus. Never exits the process itself.
int runMenu(console::Console& console);

// Called with the values whose report key g has just printed, before its pause.
using ReportListener = void (*)(const InputState& state);

// The same, on a state that the caller owns: it holds the values entered, and
// the caller may read it whenever the dialogue waits (to draw the beam, say).
// `reported`, when given, hears of each report printed. The dialogue never
// learns who reads or listens.
int runMenu(console::Console& console, InputState& state, ReportListener reported = nullptr);

}  // namespace veldra::dialogue
