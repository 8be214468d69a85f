// The built program on a pseudo-terminal, as a user at a keyboard meets it:
// keys are not echoed, typed numbers are, and the terminal is left exactly as
// it was found, also when a signal ends the program.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "support/child_process.h"
#include "support/transcripts.h"

namespace veldra::test {
namespace {

using namespace std::chrono_literals;

bool sameSettings(const termios& a, const termios& b) {
  return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
         a.c_lflag == b.c_lflag && std::memcmp(a.c_cc, b.c_cc, sizeof a.c_cc) == 0;
}

// The program on a fresh pseudo-terminal. The test keeps the terminal's own
// side open, so its settings can be read before, during and after the run.
class TerminalSession {
 public:
  // With jobControl the program runs as a job of a small shell: in its own
  // process group, in the foreground, whose parent stays in the session, so
  // that Ctrl-Z really stops it.
  // With `ignored`, the program starts with that signal ignored, as under nohup.
  // With `nonBlocking`, the terminal is O_NONBLOCK, as another program may leave it.
  explicit TerminalSession(bool jobControl = false, int ignored = 0, bool nonBlocking = false) {
    if (openpty(&master_, &slave_, nullptr, nullptr, nullptr) != 0) return;
    tcgetattr(slave_, &before_);
    int report[2];
    if (pipe(report) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      setsid();
      ioctl(slave_, TIOCSCTTY, 0);
      dup2(slave_, STDIN_FILENO), dup2(slave_, STDOUT_FILENO), dup2(slave_, STDERR_FILENO);
      close(master_), close(slave_), close(report[0]);
      // Whatever the test runner ignores, the program starts as a shell starts
      // it; a signal that dumps core writes no file.
      for (int sig = 1; sig < NSIG; ++sig) signal(sig, SIG_DFL);
      const rlimit noCore{0, 0};
      setrlimit(RLIMIT_CORE, &noCore);
      if (ignored != 0) signal(ignored, SIG_IGN);
      if (nonBlocking) fcntl(STDIN_FILENO, F_SETFL, fcntl(STDIN_FILENO, F_GETFL) | O_NONBLOCK);
      if (!jobControl) {
        pid_t self = getpid();
        (void)!write(report[1], &self, sizeof self);
        execProgram();
      }
      const pid_t job = fork();
      if (job < 0) _exit(127);
      if (job == 0) {
        setpgid(0, 0);
        signal(SIGTTOU, SIG_IGN);
        tcsetpgrp(STDIN_FILENO, getpid());
        signal(SIGTTOU, SIG_DFL);
        execProgram();
      }
      setpgid(job, job);
      (void)!write(report[1], &job, sizeof job);
      int raw = 0;
      while (waitpid(job, &raw, 0) < 0 && errno == EINTR) {
      }
      _exit(WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw));
    }
    close(report[1]);
    if (pid_ < 0) ADD_FAILURE() << "fork: " << std::strerror(errno);
    if (read(report[0], &program_, sizeof program_) != sizeof program_) program_ = -1;
    close(report[0]);
  }
  ~TerminalSession() {
    if (pid_ > 0 && !finished_) {
      kill(program_, SIGKILL), kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (master_ >= 0) close(master_);
    close(slave_);
  }
  TerminalSession(const TerminalSession&) = delete;
  TerminalSession& operator=(const TerminalSession&) = delete;

  void type(const std::string& keys) {
    ASSERT_EQ(write(master_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
  }

  // Everything printed up to and including `needle`; fails after a timeout.
  std::string readUntil(const std::string& needle) {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (seen_.find(needle, consumed_) == std::string::npos) {
      if (std::chrono::steady_clock::now() > deadline) {
        ADD_FAILURE() << "never printed: " << needle << "\nprinted: " << seen_.substr(consumed_);
        return {};
      }
      pollfd p{master_, POLLIN, 0};
      if (poll(&p, 1, 100) > 0) {
        char buffer[4096];
        const ssize_t n = read(master_, buffer, sizeof buffer);
        if (n > 0) seen_.append(buffer, static_cast<std::size_t>(n));
      }
    }
    const std::size_t end = seen_.find(needle, consumed_) + needle.size();
    std::string text = seen_.substr(consumed_, end - consumed_);
    consumed_ = end;
    return text;
  }

  // Waits until the program has the terminal in its line mode for a number.
  void awaitLineMode() {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    termios now{};
    while (tcgetattr(slave_, &now) == 0 && (now.c_lflag & ICANON) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        ADD_FAILURE() << "the program never read a line";
        return;
      }
      std::this_thread::sleep_for(5ms);
    }
  }

  // Waits until the program has the terminal in its single-key mode.
  void awaitKeyWait() {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    termios now{};
    while (tcgetattr(slave_, &now) == 0 && (now.c_lflag & ICANON) != 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        ADD_FAILURE() << "the program never waited for a key";
        return;
      }
      std::this_thread::sleep_for(5ms);
    }
    EXPECT_EQ(now.c_lflag & ECHO, 0U) << "keys would be echoed";
  }

  // Reads what the program prints for `time`, so that it never blocks on a
  // full terminal.
  void drainFor(std::chrono::microseconds time) {
    const auto until = std::chrono::steady_clock::now() + time;
    do {
      pollfd p{master_, POLLIN, 0};
      if (poll(&p, 1, 1) > 0) {
        char buffer[65536];
        const ssize_t n = read(master_, buffer, sizeof buffer);
        if (n > 0) seen_.append(buffer, static_cast<std::size_t>(n));
      }
    } while (std::chrono::steady_clock::now() < until);
  }

  // Types `keys` all at once, as a paste does, reading the program's output
  // meanwhile so that neither side blocks the other.
  void typeAhead(const std::string& keys) {
    for (std::size_t done = 0; done < keys.size();) {
      pollfd p[2] = {{master_, POLLOUT, 0}, {master_, POLLIN, 0}};
      if (poll(p, 2, 100) <= 0) continue;
      if ((p[0].revents & POLLOUT) != 0) {
        const ssize_t n =
            write(master_, keys.data() + done, std::min<std::size_t>(keys.size() - done, 256));
        if (n > 0) done += static_cast<std::size_t>(n);
      }
      if ((p[1].revents & POLLIN) != 0) drainFor(std::chrono::microseconds(0));
    }
  }

  // What the program printed since the last readUntil, through its end.
  std::string rest() const { return seen_.substr(consumed_); }

  // Waits, reading its output meanwhile, until the program's state is `letter`.
  bool awaitState(char letter) {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (state() != letter) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      drainFor(1ms);
    }
    return true;
  }

  Finished finish() {
    int raw = 0;
    for (;;) {
      // The program may still print (a menu per key typed ahead) before it ends.
      const pid_t done = waitpid(pid_, &raw, WNOHANG);
      if (done == pid_) break;
      if (done < 0 && errno != EINTR) {
        ADD_FAILURE() << "waitpid: " << std::strerror(errno);
        break;
      }
      if (master_ >= 0)
        drainFor(1ms);
      else
        std::this_thread::sleep_for(1ms);
    }
    finished_ = true;
    Finished f;
    if (WIFEXITED(raw)) f.status = WEXITSTATUS(raw);
    if (WIFSIGNALED(raw)) f.signal = WTERMSIG(raw);
    return f;
  }

  // Presses q at the next key wait: the run must end with 113 and leave the
  // terminal as it was found.
  void quitAndCheck() {
    awaitKeyWait();
    type("q");
    const Finished f = finish();
    EXPECT_EQ(f.status, 113);
    EXPECT_TRUE(settingsAsBefore());
  }

  // The program itself (with job control, not the shell around it).
  pid_t program() const { return program_; }

  // Hangs the terminal up, as closing a terminal window does.
  void hangUp() { close(master_), master_ = -1; }

  // The program's scheduling state letter from /proc ('T' when stopped).
  char state() const {
    std::ifstream stat("/proc/" + std::to_string(program_) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const std::size_t close = text.rfind(')');
    return close == std::string::npos || close + 2 >= text.size() ? '?' : text[close + 2];
  }
  bool settingsAsBefore() const {
    termios after{};
    tcgetattr(slave_, &after);
    return sameSettings(before_, after);
  }

 private:
  int master_ = -1, slave_ = -1;
  pid_t pid_ = -1;
  pid_t program_ = -1;
  bool finished_ = false;
  termios before_{};
  std::string seen_;
  std::size_t consumed_ = 0;
};

// The terminal turns each "\n" the program prints into "\r\n".
const std::string kMenuEnd = "F8 q Exit\r\n";

std::string onTerminal(const std::string& printed) {
  std::string shown;
  for (const char c : printed) shown += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return shown;
}

TEST(Terminal, KeysAreNotEchoedTypedNumbersAreAndQExits113) {
  TerminalSession t;
  t.readUntil(kMenuEnd);
  t.awaitKeyWait();
  t.type("f");
  EXPECT_EQ(t.readUntil("F/M/q/q1/q2= "), "Kraft/Moment/Streckenl.\r\nF/M/q/q1/q2= ");
  t.type("12.5\n");
  EXPECT_EQ(t.readUntil("12.5\r\n"), "12.5\r\n");  // the terminal's own echo
  t.readUntil(kMenuEnd);
  t.awaitKeyWait();
  t.type("w");
  EXPECT_EQ(t.readUntil("weiter mit bel.Taste.."),
            "momentan def. Werte:\r\nF/M/q/q2 = 12.500000\r\nLaenge L = 0.000000\r\n"
            "Abstand a= 0.000000\r\nE-Modul E= 0.000000\r\nIy= 0.000000\r\nx = 0.000000\r\n"
            "xq= 0.000000\r\nweiter mit bel.Taste..");
  t.awaitKeyWait();
  t.type(" ");
  t.readUntil(kMenuEnd);
  t.quitAndCheck();
}

// Keys typed before the program reads them, at a key wait or even before the
// first menu (switching to key mode must not flush them).
TEST(Terminal, KeysTypedAheadAreKept) {
  for (const bool beforeTheMenu : {false, true}) {
    TerminalSession t;
    if (!beforeTheMenu) {
      t.readUntil(kMenuEnd);
      t.awaitKeyWait();
    }
    t.type("w");
    ASSERT_FALSE(t.readUntil("weiter mit bel.Taste..").empty()) << "the key was lost";
    t.type("xq");  // a key for the pause, then q
    const Finished f = t.finish();
    EXPECT_EQ(f.status, 113) << beforeTheMenu;
    EXPECT_TRUE(t.settingsAsBefore()) << beforeTheMenu;
  }
}

// Digits that reach the terminal in key mode just before a number read turns
// to line mode belong to the number's line, and are echoed with it (the
// terminal does not echo what it took in key mode). The program is held up
// on a full terminal meanwhile, so that they arrive then.
TEST(Terminal, DigitsTypedAsTheNumberReadBeginsJoinItsLine) {
  TerminalSession t;
  t.readUntil(kMenuEnd);
  t.awaitKeyWait();
  std::string keys;
  for (int k = 0; k < 400; ++k) keys += "w ";  // far more output than the terminal holds
  t.type(keys + "f");
  std::this_thread::sleep_for(200ms);
  t.type("12");
  t.readUntil("F/M/q/q1/q2= ");
  t.awaitLineMode();
  t.type("3\n");
  ASSERT_FALSE(t.readUntil("123\r\n").empty()) << "12 not echoed";
  t.readUntil(kMenuEnd);
  t.awaitKeyWait();
  t.type("w");
  EXPECT_NE(t.readUntil("weiter mit bel.Taste..").find("F/M/q/q2 = 123.000000\r\n"),
            std::string::npos);
  t.awaitKeyWait();
  t.type(" ");
  t.quitAndCheck();
}

struct SignalCase {
  const char* name;
  int signal;
  char key;  // typed as the terminal's key for the signal; 0: sent with kill()
};

void PrintTo(const SignalCase& c, std::ostream* os) { *os << c.name; }

// Every signal whose default action ends the process, but SIGKILL, which no
// program can catch, and SIGPIPE, which the program ignores; the crash
// signals among them. During a key wait (key mode) and during a number read.
class TerminalSignal : public ::testing::TestWithParam<std::tuple<SignalCase, bool>> {};

TEST_P(TerminalSignal, RestoresTheTerminalAndEndsTheUsualWay) {
  const auto& [c, duringNumberRead] = GetParam();
  TerminalSession t;
  t.readUntil(kMenuEnd);
  t.awaitKeyWait();
  if (duringNumberRead) {
    t.type("l");
    t.readUntil("L = ");
    t.awaitLineMode();
  }
  if (c.key != 0) {
    t.type(std::string(1, c.key));
  } else {
    kill(t.program(), c.signal);
  }
  const Finished f = t.finish();
  EXPECT_EQ(f.signal, c.signal);
  EXPECT_TRUE(t.settingsAsBefore());
}

INSTANTIATE_TEST_SUITE_P(
    Signals, TerminalSignal,
    ::testing::Combine(
        ::testing::Values(SignalCase{"ctrl_c", SIGINT, '\x03'}, SignalCase{"sigint", SIGINT, 0},
                          SignalCase{"ctrl_backslash", SIGQUIT, '\x1c'},
                          SignalCase{"sigquit", SIGQUIT, 0}, SignalCase{"sigterm", SIGTERM, 0},
                          SignalCase{"sighup", SIGHUP, 0}, SignalCase{"sigill", SIGILL, 0},
                          SignalCase{"sigtrap", SIGTRAP, 0}, SignalCase{"sigabrt", SIGABRT, 0},
                          SignalCase{"sigbus", SIGBUS, 0}, SignalCase{"sigfpe", SIGFPE, 0},
                          SignalCase{"sigusr1", SIGUSR1, 0}, SignalCase{"sigsegv", SIGSEGV, 0},
                          SignalCase{"sigusr2", SIGUSR2, 0}, SignalCase{"sigalrm", SIGALRM, 0},
                          SignalCase{"sigstkflt", SIGSTKFLT, 0}, SignalCase{"sigxcpu", SIGXCPU, 0},
                          SignalCase{"sigxfsz", SIGXFSZ, 0}, SignalCase{"sigvtalrm", SIGVTALRM, 0},
                          SignalCase{"sigprof", SIGPROF, 0}, SignalCase{"sigio", SIGIO, 0},
                          SignalCase{"sigpwr", SIGPWR, 0}, SignalCase{"sigsys", SIGSYS, 0},
                          SignalCase{"sigrtmin", SIGRTMIN, 0}, SignalCase{"sigrtmax", SIGRTMAX, 0}),
        ::testing::Bool()),
    [](const ::testing::TestParamInfo<std::tuple<SignalCase, bool>>& p) {
      return std::string(std::get<0>(p.param).name) +
             (std::get<1>(p.param) ? "_number_read" : "_key_wait");
    });

TEST(Terminal, ASignalIgnoredAtStartStaysIgnored) {
  TerminalSession t(/*jobControl=*/false, /*ignored=*/SIGHUP);  // as under nohup
  t.readUntil(kMenuEnd);
  t.awaitKeyWait();
  kill(t.program(), SIGHUP);
  t.type("w");
  t.readUntil("weiter mit bel.Taste..");
  t.awaitKeyWait();
  t.type(" q");
  const Finished f = t.finish();
  EXPECT_EQ(f.signal, 0);
  EXPECT_EQ(f.status, 113);
  EXPECT_TRUE(t.settingsAsBefore());
}

TEST(Terminal, InterruptDuringNumberEntryRestoresTheTerminal) {
  TerminalSession t;
  t.readUntil(kMenuEnd);
  t.awaitKeyWait();
  t.type("l");
  t.readUntil("L = ");
  t.type("12\x03");
  const Finished f = t.finish();
  EXPECT_EQ(f.signal, SIGINT);
  EXPECT_TRUE(t.settingsAsBefore());
}

TEST(Terminal, ClosingTheTerminalEndsTheProgram) {
  TerminalSession t;
  t.readUntil(kMenuEnd);
  t.awaitKeyWait();
  t.hangUp();
  const Finished f = t.finish();
  EXPECT_EQ(f.signal, SIGHUP);
}

// Ctrl-D at the start of a number's line, typed at the prompt or ahead of it.
TEST(Terminal, EndOfFileKeyInNumberEntryLeavesTheValueAndGoesOn) {
  for (const bool typedAhead : {false, true}) {
    TerminalSession t;
    t.readUntil(kMenuEnd);
    t.awaitKeyWait();
    t.type(typedAhead ? "f\x04" : "f");
    t.readUntil("F/M/q/q1/q2= ");
    if (!typedAhead) t.type("\x04");
    ASSERT_FALSE(t.readUntil(kMenuEnd).empty()) << "Ctrl-D did not end the read";
    t.awaitKeyWait();
    t.type("w");
    EXPECT_NE(t.readUntil("weiter mit bel.Taste..").find("F/M/q/q2 = 0.000000\r\n"),
              std::string::npos)
        << typedAhead;
    t.awaitKeyWait();
    t.type(" q");
    const Finished f = t.finish();
    EXPECT_EQ(f.status, 113) << typedAhead;
    EXPECT_TRUE(t.settingsAsBefore()) << typedAhead;
  }
}

// Blocking, and non-blocking as another program may leave the terminal: then
// the key wait is a poll, which the stop interrupts. Stopped at a key wait
// and during a number read: after fg the terminal shows again what is asked,
// and the unfinished number is gone, as the terminal drops it at a stop.
class TerminalStop : public ::testing::TestWithParam<std::tuple<bool, bool>> {};

TEST_P(TerminalStop, CtrlZStopsWithASaneTerminalAndFgShowsWhatIsAsked) {
  const auto [nonBlocking, duringNumberRead] = GetParam();
  TerminalSession t(/*jobControl=*/true, /*ignored=*/0, nonBlocking);
  t.readUntil(kMenuEnd);
  for (int stop = 1; stop <= 2; ++stop) {  // the handler must be armed again after a stop
    t.awaitKeyWait();
    if (duringNumberRead) {
      t.type("n");
      t.readUntil("Nr= ");
      t.awaitLineMode();
      t.type("9");  // 9 is a case, 99 is none
    }
    t.type("\x1a");  // Ctrl-Z
    ASSERT_TRUE(t.awaitState('T')) << "the program did not stop, stop " << stop;
    EXPECT_TRUE(t.settingsAsBefore()) << "the shell would get a raw terminal, stop " << stop;
    kill(t.program(), SIGCONT);
    if (duringNumberRead) {
      t.readUntil("Nr= ");  // shown again (readUntil fails when it never is)
      t.awaitLineMode();    // echoed and editable, as the user has the terminal
      t.type("9\n");
      EXPECT_EQ(t.readUntil(kMenuEnd).find("gibt's nicht"), std::string::npos) << "stop " << stop;
    } else {
      EXPECT_EQ(t.readUntil(kMenuEnd), onTerminal(kMenu)) << "stop " << stop;
    }
    t.awaitKeyWait();  // single-key mode again, keys unechoed
    t.type("w");
    EXPECT_EQ(t.readUntil("momentan def. Werte:\r\n"), "momentan def. Werte:\r\n");
    t.awaitKeyWait();
    t.type(" ");
    t.readUntil(kMenuEnd);
  }
  t.quitAndCheck();
}

INSTANTIATE_TEST_SUITE_P(Terminal, TerminalStop,
                         ::testing::Combine(::testing::Bool(), ::testing::Bool()),
                         [](const ::testing::TestParamInfo<std::tuple<bool, bool>>& p) {
                           return std::string(std::get<0>(p.param) ? "non_blocking" : "blocking") +
                                  (std::get<1>(p.param) ? "_number_read" : "_key_wait");
                         });

// A stop that lands while the program switches the terminal between key mode
// and line mode must not leave key mode on for good: keys typed ahead (a
// paste, a held key) keep it switching, and Ctrl-Z comes at a random moment.
TEST(Terminal, CtrlZAmongKeysTypedAheadNeverLeavesTheTerminalRaw) {
  constexpr int kRounds = 150;
  std::mt19937 random(20261208);
  std::uniform_int_distribution<int> delay(0, 15'000);
  for (int round = 0; round < kRounds; ++round) {
    TerminalSession t(/*jobControl=*/true);
    t.readUntil(kMenuEnd);
    t.awaitKeyWait();
    t.type(std::string(1000, 'z'));  // each brings the menu back
    t.drainFor(std::chrono::microseconds(delay(random)));
    t.type("\x1a");
    ASSERT_TRUE(t.awaitState('T')) << "round " << round;
    kill(t.program(), SIGCONT);
    t.type("q\n");  // read as a key in key mode, as a line in line mode
    const Finished f = t.finish();
    ASSERT_EQ(f.status, 113) << "round " << round;
    ASSERT_TRUE(t.settingsAsBefore()) << "terminal left raw in round " << round;
  }
}

// Keys typed ahead (a paste, a held key) find the terminal in key mode
// throughout the menu: none is echoed, and none is lost to the line buffer's
// limit of 4095 bytes.
TEST(Terminal, FiveThousandKeysTypedAheadAreNeitherEchoedNorLost) {
  constexpr int kKeys = 5000;
  for (int round = 0; round < 3; ++round) {
    TerminalSession t;
    t.readUntil(kMenuEnd);
    t.awaitKeyWait();
    t.typeAhead(std::string(kKeys, 'z') + "q");  // each z brings the menu back
    const Finished f = t.finish();
    ASSERT_EQ(f.status, 113) << "round " << round;
    t.drainFor(100ms);  // what the terminal still holds of the output
    const std::string printed = t.rest();
    std::size_t menus = 0;
    for (std::size_t at = printed.find(kMenuEnd); at != std::string::npos;
         at = printed.find(kMenuEnd, at + 1)) {
      ++menus;
    }
    EXPECT_EQ(menus, static_cast<std::size_t>(kKeys)) << "keys lost in round " << round;
    EXPECT_EQ(printed.find('z'), std::string::npos) << "keys echoed in round " << round;
    EXPECT_TRUE(t.settingsAsBefore());
  }
}

}  // namespace
}  // namespace veldra::test
