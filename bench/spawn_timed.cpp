// Runs one command and reports how long it took and how much memory it held at most:
//
//   quill_spawn_timed CMD [ARG...]
//
// prints "<wall microseconds> <peak RSS in KiB> <exit code> <CPU microseconds, user + system>
// <minor page faults>".
//
// A launcher of its own keeps the figures honest: the peak RSS of a child counts the memory of
// the process it was forked from, so a small launcher adds little, and the time runs from just
// before the fork to just after the child is reaped.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: quill_spawn_timed CMD [ARG...]\n");
    return 2;
  }
  auto start = std::chrono::steady_clock::now();
  pid_t pid = fork();
  if (pid < 0) return 2;
  if (pid == 0) {
    execvp(argv[1], argv + 1);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return 2;
  auto end = std::chrono::steady_clock::now();
  long long us = std::chrono::duration_cast<std::chrono::microseconds>(end - start).count();
  int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  long long cpu = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000000LL + usage.ru_utime.tv_usec +
                  usage.ru_stime.tv_usec;
  std::printf("%lld %ld %d %lld %ld\n", us, usage.ru_maxrss, code, cpu, usage.ru_minflt);
  return 0;
}
