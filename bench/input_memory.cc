// Feeds the built program hostile amounts of input through a file and reports
// wall time and peak resident memory of the whole process. Exits non-zero when
// a run ends with anything but 113 or its peak reaches 8 MiB: memory must stay
// bounded whatever arrives. Timings are reported, never judged.
//
//   veldra_memory_bench [path/to/veldra]

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

namespace {

constexpr long kLimitKiB = 8 * 1024;

struct Load {
  const char* name;
  std::function<void(std::ofstream&)> write;
};

void repeat(std::ofstream& out, const std::string& piece, long times) {
  std::string block;
  for (int i = 0; i < 4096; ++i) block += piece;
  for (long done = 0; done < times; done += 4096) out << block;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string program = argc > 1 ? argv[1] : VELDRA_BINARY;
  const Load loads[] = {
      {"100 MB on one line",
       [](std::ofstream& out) {
         out << 'f';
         repeat(out, std::string(1024, '7'), 100 * 1024);
         out << "\nw q";
       }},
      {"one million commands",
       [](std::ofstream& out) { repeat(out, "w.g.n4\nf2\n", 250'000); }},  // 4 commands
      {"a million-digit number",
       [](std::ofstream& out) { out << "f1" << std::string(1'000'000, '0') << "\nw q"; }},
  };
  std::printf("%-24s %10s %12s\n", "input", "seconds", "peak RSS KiB");
  bool ok = true;
  for (const Load& load : loads) {
    char path[] = "/tmp/veldra-bench-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) return 2;
    close(fd);
    {
      std::ofstream out(path, std::ios::binary);
      load.write(out);
    }
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
      const int in = open(path, O_RDONLY);
      const int null = open("/dev/null", O_WRONLY);
      dup2(in, STDIN_FILENO);
      dup2(null, STDOUT_FILENO);
      execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    unlink(path);
    const bool exited = WIFEXITED(status) && WEXITSTATUS(status) == 113;
    std::printf("%-24s %10.2f %12ld%s\n", load.name, seconds, usage.ru_maxrss,
                exited ? "" : "  (did not exit with 113)");
    ok = ok && exited && usage.ru_maxrss < kLimitKiB;
  }
  if (!ok) std::printf("FAILED: a run did not end with 113 or reached %ld KiB\n", kLimitKiB);
  return ok ? 0 : 1;
}
