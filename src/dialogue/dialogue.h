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

// The same, on a state that the caller owns: it holds the values entered, and
// the caller may read it whenever the dialogue waits (to draw the beam, say).
// The dialogue never learns who reads it.
int runMenu(console::Console& console, InputState& state);

}  // namespace veldra::dialogue
