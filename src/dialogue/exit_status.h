#pragma once

// The process's exit statuses, as --help lists them.

namespace veldra::dialogue {

// The end of every run: the code of the key q.
inline constexpr int kExitStatus = 113;

// An argument that the program does not know: sysexits' EX_USAGE.
inline constexpr int kUsageStatus = 64;

// The output could not be written (a full disk, an I/O error): sysexits'
// EX_IOERR.
inline constexpr int kOutputFailedStatus = 74;

}  // namespace veldra::dialogue
