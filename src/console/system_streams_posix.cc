#include <poll.h>
#include <sys/ioctl.h>
#include <sys/select.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <string>

#include "console/line_editor.h"
#include "console/platform.h"
#include "console/system_streams.h"

namespace veldra::console {
namespace {

// What the signal handlers need: the terminal as the user had it, the key mode
// we put it in, and whether that mode is on right now. Written only while the
// handled signals are held back (SignalsHeld), so a handler never sees them
// half written.
struct termios gUserMode;
struct termios gKeyMode;
volatile std::sig_atomic_t gKeyModeOn = 0;
// Set when the process goes on after a stop; the next terminal read says so.
volatile std::sig_atomic_t gResumed = 0;

// Every signal whose default action ends the process, but SIGKILL, which no
// one can catch, and SIGPIPE, which the output ignores (a reader that goes
// away is the quiet end of a run). The crash signals are among them: a fault
// must not leave the user a terminal that neither echoes nor edits.
constexpr std::array kEndingSignals = {
    SIGHUP,    SIGINT,  SIGQUIT, SIGILL,  SIGTRAP, SIGABRT,   SIGBUS,  SIGFPE, SIGUSR1, SIGSEGV,
    SIGUSR2,   SIGALRM, SIGTERM, SIGXCPU, SIGXFSZ, SIGVTALRM, SIGPROF, SIGIO,  SIGSYS,
#ifdef SIGSTKFLT
    SIGSTKFLT,
#endif
#ifdef SIGPWR
    SIGPWR,
#endif
};

// The handled signals: the ending ones, the real-time ones (whose default
// action ends the process too) and SIGTSTP.
template <typename Visit>
void forEachHandledSignal(Visit visit) {
  for (const int sig : kEndingSignals) visit(sig);
  for (int sig = SIGRTMIN; sig <= SIGRTMAX; ++sig) visit(sig);
  visit(SIGTSTP);
}

std::array<struct sigaction, NSIG> gPrevious;

sigset_t handledSignals() {
  sigset_t set;
  sigemptyset(&set);
  forEachHandledSignal([&set](int sig) { sigaddset(&set, sig); });
  return set;
}

// Holds the handled signals back for its lifetime; one that arrives meanwhile
// is delivered when it ends. Without it, Ctrl-Z between switching the terminal
// and setting gKeyModeOn would make the resumed program switch to the wrong
// mode behind the switch's back.
class SignalsHeld {
 public:
  SignalsHeld() {
    const sigset_t set = handledSignals();
    sigprocmask(SIG_BLOCK, &set, &saved_);
  }
  ~SignalsHeld() { sigprocmask(SIG_SETMASK, &saved_, nullptr); }
  SignalsHeld(const SignalsHeld&) = delete;
  SignalsHeld& operator=(const SignalsHeld&) = delete;

 private:
  sigset_t saved_{};
};

void restoreUserMode() {
  if (gKeyModeOn) (void)tcsetattr(STDIN_FILENO, TCSANOW, &gUserMode);
}

// Puts the terminal back, then lets the signal do what it would have done:
// the exit status, and a core dump where one is due, stay the signal's own.
extern "C" void onEndingSignal(int sig) {
  const int savedErrno = errno;
  restoreUserMode();
  (void)std::signal(sig, SIG_DFL);
  // The signal stays blocked until this handler returns; then it ends us.
  (void)std::raise(sig);
  // cppcheck-suppress unreachableCode ; raise() returns while the signal is blocked
  errno = savedErrno;
}

void handle(int sig, void (*handler)(int)) {
  struct sigaction action {};
  // One handler at a time: none may interrupt another's switch of mode.
  action.sa_mask = handledSignals();
  action.sa_handler = handler;
  action.sa_flags = SA_ONSTACK;
  sigaction(sig, &action, nullptr);
}

// Ctrl-Z: hand the shell a sane terminal, stop, and on SIGCONT take the key
// mode up again if the dialogue was in it.
extern "C" void onStop(int /*sig*/) {
  const int savedErrno = errno;
  restoreUserMode();
  (void)std::signal(SIGTSTP, SIG_DFL);
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGTSTP);
  sigprocmask(SIG_UNBLOCK, &stop, nullptr);
  (void)std::raise(SIGTSTP);
  // Resumed here.
  handle(SIGTSTP, onStop);
  if (gKeyModeOn) (void)tcsetattr(STDIN_FILENO, TCSANOW, &gKeyMode);
  gResumed = 1;
  errno = savedErrno;
}

void installHandlers() {
#if !defined(__EMSCRIPTEN__)  // WebAssembly under Node.js has no signal stack to switch to
  // A handler runs on a stack of its own, so that a stack overflow (SIGSEGV
  // on a stack with no room left) still puts the terminal back.
  alignas(16) static std::array<char, std::size_t{64} * 1024> gHandlerStack;
  stack_t stack{};
  stack.ss_sp = gHandlerStack.data();
  stack.ss_size = gHandlerStack.size();
  (void)sigaltstack(&stack, nullptr);
#endif
  forEachHandledSignal([](int sig) {
    sigaction(sig, nullptr, &gPrevious[static_cast<std::size_t>(sig)]);
    // A signal the shell told us to ignore stays ignored.
    if (gPrevious[static_cast<std::size_t>(sig)].sa_handler == SIG_IGN) return;
    handle(sig, sig == SIGTSTP ? onStop : onEndingSignal);
  });
}

void removeHandlers() {
  forEachHandledSignal(
      [](int sig) { sigaction(sig, &gPrevious[static_cast<std::size_t>(sig)], nullptr); });
}

// The terminal's two modes. Key mode (unechoed, one key at a time) is switched
// on at the first key wait and held for the whole menu, so that keys typed
// ahead are neither echoed nor met by the line buffer's limit; the user's own
// line mode is switched on only while a number is typed. TCSANOW keeps keys
// typed ahead; TCSAFLUSH would throw them away.
bool switchToKeyMode() {
  if (gKeyModeOn) return true;
  const SignalsHeld held;
  if (tcgetattr(STDIN_FILENO, &gUserMode) != 0) return false;
  gKeyMode = gUserMode;
  gKeyMode.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
  gKeyMode.c_cc[VMIN] = 1;
  gKeyMode.c_cc[VTIME] = 0;
  if (tcsetattr(STDIN_FILENO, TCSANOW, &gKeyMode) != 0) return false;
  gKeyModeOn = 1;
  return true;
}

void switchToLineMode() {
  if (!gKeyModeOn) return;
  const SignalsHeld held;
  (void)tcsetattr(STDIN_FILENO, TCSANOW, &gUserMode);
  gKeyModeOn = 0;
}

// Waits until `fd` is ready for `events`. Another program may have made our
// stream non-blocking (O_NONBLOCK belongs to the open file, which a parent or
// a shell shares with us); then read and write say EAGAIN instead of waiting.
bool awaitReady(int fd, short events) {
  pollfd p{fd, events, 0};
  for (;;) {
    if (poll(&p, 1, -1) >= 0) return true;
    if (errno != EINTR) return false;
  }
}

bool wouldBlock(int error) { return error == EAGAIN || error == EWOULDBLOCK; }

// Whether the process went on after a stop since the last call.
bool resumed() {
  const bool was = gResumed != 0;
  gResumed = 0;
  return was;
}

// Reads what the terminal has, as readChunk does; kResumed when the process
// was stopped and went on before or while it waited. It waits with Ctrl-Z
// held back but for the wait itself (pselect lets it in atomically), so that a
// stop lands either before the look at gResumed or inside the wait, never
// between them, where the wait would not see it.
std::size_t readTerminal(unsigned char* to, std::size_t size) {
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGTSTP);
  for (;;) {
    sigset_t open;
    sigprocmask(SIG_BLOCK, &stop, &open);
    const bool wasStopped = resumed();
    fd_set input;
    FD_ZERO(&input);
    FD_SET(STDIN_FILENO, &input);
    const int ready =
        wasStopped ? 0 : pselect(STDIN_FILENO + 1, &input, nullptr, nullptr, nullptr, &open);
    const int waitError = errno;
    sigprocmask(SIG_SETMASK, &open, nullptr);
    if (wasStopped) return platform::kResumed;
    if (ready < 0 && waitError == EINTR) continue;
    if (ready < 0) return 0;
    const ssize_t n = ::read(STDIN_FILENO, to, size);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR && !wouldBlock(errno)) return 0;
  }
}

// Writes all of `size` bytes to `fd`, waiting while it is full; gives up
// quietly where it cannot be written (for a note or an echo, nothing to report).
void writeAll(int fd, const char* from, std::size_t size) {
  for (std::size_t done = 0; done < size;) {
    const ssize_t n = ::write(fd, from + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && wouldBlock(errno) && awaitReady(fd, POLLOUT)) continue;
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

// The keys that the user's terminal edits a line with, and its echo.
LineKeys userLineKeys() {
  const cc_t* keys = gUserMode.c_cc;
  const auto key = [keys](int which) {
    return keys[which] == _POSIX_VDISABLE ? -1 : static_cast<int>(keys[which]);
  };
  return {
      .erase = key(VERASE),
      .erase2 = -1,
      .kill = key(VKILL),
      .endOfFile = key(VEOF),
      .endOfLine = key(VEOL),
      .endOfLine2 = key(VEOL2),
      .echo = (gUserMode.c_lflag & ECHO) != 0,
      .echoControl = (gUserMode.c_lflag & ECHOCTL) != 0,
  };
}

// What was typed at the terminal while it was in key mode and not read yet.
// Keys are taken from it one by one. A number read takes its line from it
// with the line editing that the terminal would have given those bytes in
// line mode (the user's erase, kill and end-of-file keys, and the echo), since
// in key mode the terminal neither edits nor echoes.
class TypedAhead {
 public:
  [[nodiscard]] bool empty() const { return pos_ == bytes_.size(); }

  // Reads what the terminal has (waiting for one byte at least), in key mode:
  // how many bytes, 0 at the end of input, or kResumed after a stop.
  std::size_t fill() {
    std::array<unsigned char, 4096> chunk{};
    const std::size_t n = readTerminal(chunk.data(), chunk.size());
    if (n == 0 || n == platform::kResumed) return n;
    if (pos_ == bytes_.size()) bytes_.clear(), pos_ = 0;
    bytes_.append(chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(n));
    return n;
  }

  unsigned char take() { return static_cast<unsigned char>(bytes_[pos_++]); }

  // Edits bytes into `editor`'s line until it ends; true when it has. What
  // the terminal would have shown is appended to `echo`.
  bool editLine(LineEditor& editor, std::string& echo) {
    while (!empty()) {
      if (editor.take(take(), echo)) return true;
    }
    return false;
  }

 private:
  std::string bytes_;
  std::size_t pos_ = 0;
};

TypedAhead gTypedAhead;

// A line put together for a number read, handed out in pieces.
std::string gLine;
std::size_t gLineHandedOut = 0;

// Shows on the terminal what it would have echoed itself.
// (A terminal opened for reading only sees no echo.)
void echoOnTerminal(const std::string& echo) { writeAll(STDIN_FILENO, echo.data(), echo.size()); }

// Bytes the terminal holds for reading in the mode it is in now.
int bytesWaiting() {
  int n = 0;
  return ioctl(STDIN_FILENO, FIONREAD, &n) == 0 ? n : 0;
}

// A number's line: what was typed ahead of it, edited as the terminal would
// have, then the rest typed in the terminal's line mode. Bytes that reached
// the terminal in key mode, just before the switch, would be handed over at
// once as a line of their own: they are taken back in key mode and edited
// with the rest. Returns the line's length: 0 at the end of input, kResumed
// after a stop, which drops the unfinished line as the terminal does.
std::size_t readLineOnTerminal(std::string& line, std::string& echo) {
  LineEditor editor(userLineKeys());
  for (;;) {
    if (gTypedAhead.editLine(editor, echo)) {
      line = editor.line();
      return line.size();
    }
    echoOnTerminal(echo);
    echo.clear();
    switchToLineMode();
    if (bytesWaiting() > 0) {
      if (!switchToKeyMode()) return 0;
      const std::size_t n = gTypedAhead.fill();
      if (n == 0 || n == platform::kResumed) return n;
      continue;
    }
    std::array<unsigned char, kLineLimit + 1> chunk{};
    const std::size_t n = readTerminal(chunk.data(), chunk.size());
    (void)switchToKeyMode();
    if (n == platform::kResumed) return n;
    line = editor.line();
    line.append(chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(n));
    return line.size();
  }
}

}  // namespace

// Under Node.js (the WebAssembly build that measures digits) isatty says yes
// for any stream; there standard input is always read as plain bytes.
#if defined(__EMSCRIPTEN__)
StdinSource::StdinSource() : terminal_(false) {
#else
StdinSource::StdinSource() : terminal_(isatty(STDIN_FILENO) == 1) {
#endif
  if (terminal_) installHandlers();
}

StdinSource::~StdinSource() {
  if (!terminal_) return;
  {
    const SignalsHeld held;
    restoreUserMode();
    gKeyModeOn = 0;
  }
  removeHandlers();
}

StdoutSink::StdoutSink() {
  // A reader that goes away early (veldra < session | head -1) must end the
  // session, not kill the process with SIGPIPE.
  (void)std::signal(SIGPIPE, SIG_IGN);
}

namespace platform {

std::size_t readKey(unsigned char* to) {
  if (gTypedAhead.empty()) {
    if (!switchToKeyMode()) return 0;
    const std::size_t n = gTypedAhead.fill();
    if (n == 0 || n == kResumed) return n;
  }
  *to = gTypedAhead.take();
  return 1;
}

std::size_t readLine(unsigned char* to, std::size_t size) {
  if (gLineHandedOut == gLine.size()) {
    gLine.clear();
    gLineHandedOut = 0;
    std::string echo;
    const std::size_t length = readLineOnTerminal(gLine, echo);
    echoOnTerminal(echo);
    if (length == 0 || length == kResumed) {
      gLine.clear();
      return length;
    }
  }
  const std::size_t n = std::min(size, gLine.size() - gLineHandedOut);
  gLine.copy(reinterpret_cast<char*>(to), n, gLineHandedOut);
  gLineHandedOut += n;
  return n;
}

// An error (EIO from a terminal that went away) counts as end of input.
std::size_t readChunk(unsigned char* to, std::size_t size) {
  for (;;) {
    const ssize_t n = ::read(STDIN_FILENO, to, size);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (wouldBlock(errno) ? !awaitReady(STDIN_FILENO, POLLIN) : errno != EINTR) return 0;
  }
}

void showOnTerminal(std::string_view text) { echoOnTerminal(std::string(text)); }

void showNote(std::string_view /*kind*/, std::string_view text) {
  const std::string line = noteLine(text);
  writeAll(STDERR_FILENO, line.data(), line.size());
}

std::size_t writeChunk(const char* from, std::size_t size, int& error) {
  for (;;) {
    const ssize_t n = ::write(STDOUT_FILENO, from, size);
    if (n > 0) return static_cast<std::size_t>(n);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && wouldBlock(errno) && awaitReady(STDOUT_FILENO, POLLOUT)) continue;
    error = n < 0 ? errno : EIO;
    return 0;
  }
}

}  // namespace platform
}  // namespace veldra::console
