#pragma once

// The few operations on standard input and output that differ between POSIX
// and Windows; everything around them is shared.

#include <cstddef>

namespace veldra::console::platform {

// Waits for one key press on the terminal and stores its code in `to`.
// Returns 1, or 0 when the terminal has gone away.
std::size_t readKey(unsigned char* to);

// Reads what standard input has ready, at most `size` bytes (a terminal: at
// most one line). Returns 0 at end of input; retries when interrupted.
std::size_t readChunk(unsigned char* to, std::size_t size);

// Writes part of `size` bytes to standard output, retrying when interrupted.
// Returns how many were written, 0 when the output is gone.
std::size_t writeChunk(const char* from, std::size_t size);

}  // namespace veldra::console::platform
