// kyr_launch: runs a program and reports its peak resident size.
//   kyr_launch REPORT PROGRAM [ARGUMENTS...]
// Writes "STATUS PEAK_KILOBYTES" to REPORT (STATUS: the exit status, or -1
// when the program did not exit normally) and exits with 0.
//
// The benchmarks start programs through it because a process started
// directly by them inherits their own high-water mark: Linux carries the
// parent's peak resident size over fork and exec into the child's
// ru_maxrss. This launcher is small, so the program it forks starts from
// the launcher's few pages and its peak is its own.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: kyr_launch REPORT PROGRAM [ARGUMENTS...]\n");
    return 2;
  }
  pid_t child = fork();
  if (child < 0) return 1;
  if (child == 0) {
    execv(argv[2], argv + 2);
    _exit(127);
  }
  int status = 0;
  struct rusage usage = {};
  if (wait4(child, &status, 0, &usage) != child) return 1;
  std::FILE* report = std::fopen(argv[1], "w");
  if (report == nullptr) return 1;
  std::fprintf(report, "%d %ld\n", WIFEXITED(status) ? WEXITSTATUS(status) : -1, usage.ru_maxrss);
  return std::fclose(report) == 0 ? 0 : 1;
}
