#include "support/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace veldra::test {

std::vector<std::string> programCommand() {
  std::vector<std::string> command;
  if (const char* runner = std::getenv("VELDRA_RUNNER"); runner != nullptr && *runner != '\0') {
    std::istringstream words(runner);
    for (std::string w; words >> w;) command.push_back(w);
  }
  const char* binary = std::getenv("VELDRA_BINARY");
  command.emplace_back(binary != nullptr && *binary != '\0' ? binary : VELDRA_BINARY);
  return command;
}

void execProgram(const std::vector<std::string>& arguments) {
  std::vector<std::string> command = programCommand();
  command.insert(command.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  execvp(argv[0], argv.data());
  _exit(127);
}

namespace {

Finished reap(pid_t pid, std::string output) {
  int raw = 0;
  while (waitpid(pid, &raw, 0) < 0) {
    if (errno != EINTR) {
      ADD_FAILURE() << "waitpid: " << std::strerror(errno);
      return {};
    }
  }
  Finished f;
  f.output = std::move(output);
  if (WIFEXITED(raw)) f.status = WEXITSTATUS(raw);
  if (WIFSIGNALED(raw)) f.signal = WTERMSIG(raw);
  return f;
}

// The peak resident memory of the process image that `pid` runs now, or 0.
long residentPeakKiB(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with("VmHWM:")) return std::atol(line.c_str() + 6);
  }
  return 0;
}

}  // namespace

Finished runPiped(const std::string& input, const Piping& piping) {
  std::signal(SIGPIPE, SIG_IGN);  // the child may stop reading before the end
  int in[2], out[2], err[2];
  if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0) {
    ADD_FAILURE() << "pipe: " << std::strerror(errno);
    return {};
  }
  if (piping.nonBlocking) {
    fcntl(in[0], F_SETFL, O_NONBLOCK);
    fcntl(out[1], F_SETFL, O_NONBLOCK);
  }
  const pid_t pid = fork();
  if (pid < 0) {
    ADD_FAILURE() << "fork: " << std::strerror(errno);
    for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) close(fd);
    return {};
  }
  if (pid == 0) {
    std::signal(SIGPIPE, SIG_DFL);
    dup2(in[0], STDIN_FILENO);
    const int output = piping.outputFile != nullptr ? open(piping.outputFile, O_WRONLY) : out[1];
    dup2(output, STDOUT_FILENO);
    dup2(err[1], STDERR_FILENO);
    for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) close(fd);
    execProgram(piping.arguments);
  }
  close(in[0]);
  close(out[1]);
  close(err[1]);
  if (piping.closeOutputEarly) close(out[0]);
  fcntl(in[1], F_SETFL, O_NONBLOCK);

  std::string output, errors;
  long peakKiB = 0, startKiB = 0;
  std::size_t written = 0;
  int toChild = in[1], fromChild = piping.closeOutputEarly ? -1 : out[0], errorsFromChild = err[0];
  if (input.empty() && piping.awaitOutput == nullptr) close(toChild), toChild = -1;
  const auto inputFrom = std::chrono::steady_clock::now() + piping.inputDelay;
  // Until the awaited output shows, the input stays open after `input`.
  std::string pending = input;
  bool awaiting = piping.awaitOutput != nullptr;
  const auto awaitUntil = inputFrom + std::chrono::seconds(10);
  const auto drain = [](int& fd, std::string& into) {
    char buffer[65536];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n > 0) {
      into.append(buffer, static_cast<std::size_t>(n));
    } else {
      close(fd), fd = -1;
    }
  };
  // Standard error is read along, but not waited for to close: an emulator's
  // helper processes may hold it open after the program has gone.
  while (toChild >= 0 || fromChild >= 0) {
    const auto now = std::chrono::steady_clock::now();
    if (awaiting && (output.find(piping.awaitOutput) != std::string::npos || now > awaitUntil)) {
      if (now > awaitUntil) ADD_FAILURE() << "never printed: " << piping.awaitOutput;
      awaiting = false;
      pending += piping.rest;
    }
    const bool early = now < inputFrom;
    const bool idle = early || (awaiting && written == pending.size());
    pollfd fds[3] = {
        {idle ? -1 : toChild, POLLOUT, 0}, {fromChild, POLLIN, 0}, {errorsFromChild, POLLIN, 0}};
    if (poll(fds, 3, idle ? 10 : -1) < 0) continue;
    if (toChild >= 0 && (fds[0].revents & (POLLOUT | POLLERR | POLLHUP)) != 0) {
      const ssize_t n = write(toChild, pending.data() + written, pending.size() - written);
      if (n > 0) written += static_cast<std::size_t>(n);
      if (n < 0 || (!awaiting && written == pending.size())) close(toChild), toChild = -1;
    }
    if (fromChild >= 0 && (fds[1].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
      drain(fromChild, output);
      // Output comes from the program itself, after exec.
      if (fromChild >= 0) peakKiB = std::max(peakKiB, residentPeakKiB(pid));
      if (startKiB == 0) startKiB = peakKiB;
    }
    if (errorsFromChild >= 0 && (fds[2].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
      drain(errorsFromChild, errors);
    }
  }
  Finished f = reap(pid, std::move(output));
  f.peakKiB = peakKiB;
  f.startKiB = startKiB;
  if (errorsFromChild >= 0) fcntl(errorsFromChild, F_SETFL, O_NONBLOCK);
  while (errorsFromChild >= 0) drain(errorsFromChild, errors);
  f.errors = std::move(errors);
  return f;
}

}  // namespace veldra::test
