// skProcess: a child process of the test driver (the program under test or the
// X server). The child dies with the driver (the kernel signals it when the
// driver ends), so a crashed or timed-out test leaves nothing running.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace skivo {
namespace e2e {

class skProcess {
 public:
  skProcess() = default;
  // Kills a child that still runs and reaps it.
  ~skProcess();
  skProcess(const skProcess&) = delete;
  skProcess& operator=(const skProcess&) = delete;

  // Starts argv[0] (searched in PATH) with the driver's environment, where
  // each "NAME=value" of setEnv replaces or adds a variable and each NAME of
  // unsetEnv is removed. quiet sends the child's output to /dev/null. keepFd,
  // when not -1, stays open in the child (every other descriptor of the
  // driver that is marked close-on-exec is closed). Returns false, with
  // error() set, when the child could not be started.
  bool start(const std::vector<std::string>& argv, const std::vector<std::string>& setEnv,
             const std::vector<std::string>& unsetEnv, bool quiet, int keepFd = -1);

  pid_t pid() const { return child; }
  // True while the child has not ended; reaps it when it has.
  bool running();
  // Waits at most timeoutMs (wall-clock milliseconds) for the child to end.
  bool waitForExit(int timeoutMs);
  // Sends sig, waits at most graceMs, then kills it for good.
  void stop(int sig, int graceMs);

  bool hasEnded() const { return ended; }
  // Meaningful once hasEnded(): true for a normal exit with status 0.
  bool exitedWithZero() const;
  // "still running", "exit status N" or "killed by signal N".
  std::string describeEnd() const;
  const std::string& error() const { return why; }

 private:
  pid_t child = -1;
  bool ended = false;
  int status = 0;
  std::string why;
};

}  // namespace e2e
}  // namespace skivo
