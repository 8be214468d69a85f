#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>

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

constexpr std::array kEndingSignals = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
std::array<struct sigaction, kEndingSignals.size()> gPrevious;
struct sigaction gPreviousStop;

// Every signal whose handler below touches the terminal.
sigset_t handledSignals() {
  sigset_t set;
  sigemptyset(&set);
  for (const int sig : kEndingSignals) sigaddset(&set, sig);
  sigaddset(&set, SIGTSTP);
  return set;
}

// Holds the handled signals back for its lifetime; one that arrives meanwhile
// is delivered when it ends. Without it, Ctrl-Z between switching the terminal
// back and clearing gKeyModeOn would make the resumed program switch key mode
// on again behind the guard's back, and the next key read would take key mode
// for the user's.
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

// Puts the terminal back, then lets the signal do what it would have done.
extern "C" void onEndingSignal(int sig) {
  const int savedErrno = errno;
  restoreUserMode();
  (void)std::signal(sig, SIG_DFL);
  // The signal stays blocked until this handler returns; then it ends us.
  (void)std::raise(sig);
  // cppcheck-suppress unreachableCode ; raise() returns while the signal is blocked
  errno = savedErrno;
}

// Ctrl-Z: hand the shell a sane terminal, stop, and on SIGCONT take the key
// mode up again if we were waiting for a key.
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
  struct sigaction again {};
  again.sa_handler = onStop;
  again.sa_mask = handledSignals();
  sigaction(SIGTSTP, &again, nullptr);
  if (gKeyModeOn) (void)tcsetattr(STDIN_FILENO, TCSANOW, &gKeyMode);
  errno = savedErrno;
}

void installHandlers() {
  // One handler at a time: neither may interrupt the other's switch of mode.
  struct sigaction action {};
  action.sa_mask = handledSignals();
  action.sa_handler = onEndingSignal;
  for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
    sigaction(kEndingSignals[i], nullptr, &gPrevious[i]);
    // A signal the shell told us to ignore stays ignored.
    if (gPrevious[i].sa_handler != SIG_IGN) sigaction(kEndingSignals[i], &action, nullptr);
  }
  action.sa_handler = onStop;
  sigaction(SIGTSTP, nullptr, &gPreviousStop);
  if (gPreviousStop.sa_handler != SIG_IGN) sigaction(SIGTSTP, &action, nullptr);
}

void removeHandlers() {
  for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
    sigaction(kEndingSignals[i], &gPrevious[i], nullptr);
  }
  sigaction(SIGTSTP, &gPreviousStop, nullptr);
}

// Unechoed single-key mode for the length of one key read. TCSANOW keeps keys
// typed ahead; TCSAFLUSH would throw them away.
class KeyMode {
 public:
  KeyMode() {
    const SignalsHeld held;
    if (tcgetattr(STDIN_FILENO, &gUserMode) != 0) return;
    gKeyMode = gUserMode;
    gKeyMode.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    gKeyMode.c_cc[VMIN] = 1;
    gKeyMode.c_cc[VTIME] = 0;
    active_ = tcsetattr(STDIN_FILENO, TCSANOW, &gKeyMode) == 0;
    gKeyModeOn = active_ ? 1 : 0;
  }
  ~KeyMode() {
    if (!active_) return;
    const SignalsHeld held;
    (void)tcsetattr(STDIN_FILENO, TCSANOW, &gUserMode);
    gKeyModeOn = 0;
  }
  KeyMode(const KeyMode&) = delete;
  KeyMode& operator=(const KeyMode&) = delete;

 private:
  bool active_ = false;
};

}  // namespace

StdinSource::StdinSource() : terminal_(isatty(STDIN_FILENO) == 1) {
  if (terminal_) installHandlers();
}

StdinSource::~StdinSource() {
  if (terminal_) removeHandlers();
}

StdoutSink::StdoutSink() {
  // A reader that goes away early (veldra < session | head -1) must end the
  // session, not kill the process with SIGPIPE.
  (void)std::signal(SIGPIPE, SIG_IGN);
}

namespace platform {

std::size_t readKey(unsigned char* to) {
  const KeyMode mode;
  return readChunk(to, 1);
}

namespace {

// Waits until `fd` is ready for `events`. Another program may have made our
// stream non-blocking (O_NONBLOCK belongs to the open file, which a parent or a
// shell shares with us); then read and write say EAGAIN instead of waiting.
bool awaitReady(int fd, short events) {
  pollfd p{fd, events, 0};
  for (;;) {
    if (poll(&p, 1, -1) >= 0) return true;
    if (errno != EINTR) return false;
  }
}

bool wouldBlock(int error) { return error == EAGAIN || error == EWOULDBLOCK; }

}  // namespace

// An error (EIO from a terminal that went away) counts as end of input.
std::size_t readChunk(unsigned char* to, std::size_t size) {
  for (;;) {
    const ssize_t n = ::read(STDIN_FILENO, to, size);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (wouldBlock(errno) ? !awaitReady(STDIN_FILENO, POLLIN) : errno != EINTR) return 0;
  }
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
