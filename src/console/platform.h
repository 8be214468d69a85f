#pragma once

// The few operations on standard input and output that differ between the
// platforms (POSIX, Windows, the browser page); everything around them is shared.

#include <cstddef>
#include <string>
#include <string_view>

namespace veldra::console::platform {

// Returned by readKey and readLine instead of a count when the terminal was
// stopped (Ctrl-Z) and taken up again (fg) before or while they waited:
// nothing was read, and an unfinished line is gone, as the terminal drops it.
inline constexpr std::size_t kResumed = static_cast<std::size_t>(-1);

// Waits for one key press on the terminal and stores its code in `to`.
// Returns 1, or 0 when the terminal has gone away or the read failed.
std::size_t readKey(unsigned char* to);

// Reads one line typed at the terminal, in the terminal's line mode (echoed,
// editable, handed over with Enter), at most `size` bytes of it; the rest of a
// longer line comes with the next calls. A line holds at most kLineLimit bytes
// and its end (console/line_editor.h). Returns 0 when the input has ended or
// the end-of-file key was typed at the start of the line.
std::size_t readLine(unsigned char* to, std::size_t size);

// Reads what standard input has ready, at most `size` bytes (a terminal: at
// most one line), waiting until there is something. Returns 0 at end of input;
// retries when interrupted.
std::size_t readChunk(unsigned char* to, std::size_t size);

// Writes part of `size` bytes to standard output, retrying when interrupted
// and waiting while the output is full. Returns how many were written; 0 when
// writing failed, with the reason (an errno value, EPIPE for a reader that went
// away) in `error`.
std::size_t writeChunk(const char* from, std::size_t size, int& error);

// Shows `text` on the terminal that standard input comes from, as far as it
// can: what is asked, shown again after a stop.
void showOnTerminal(std::string_view text);

// Shows a note for the user beside the dialogue (see NoteSink::note): on
// standard error as its noteLine(), in the browser page on its status line.
// Nothing is reported if it cannot be shown.
void showNote(std::string_view kind, std::string_view text);

// A note as standard error shows it: "veldra: <text>" and a line end.
inline std::string noteLine(std::string_view text) { return "veldra: " + std::string(text) + "\n"; }

}  // namespace veldra::console::platform
