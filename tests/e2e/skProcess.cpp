#include "skProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

extern char** environ;

namespace skivo {
namespace e2e {

namespace {

bool hasName(const std::string& entry, const std::string& name) {
  return entry.size() > name.size() && entry.compare(0, name.size(), name) == 0 &&
         entry[name.size()] == '=';
}

std::string nameOf(const std::string& assignment) {
  return assignment.substr(0, assignment.find('='));
}

}  // namespace

skProcess::~skProcess() {
  if (child > 0 && !ended) stop(SIGKILL, 5000);
}

bool skProcess::start(const std::vector<std::string>& argv, const std::vector<std::string>& setEnv,
                      const std::vector<std::string>& unsetEnv, bool quiet, int keepFd) {
  if (argv.empty()) {
    why = "nothing to start";
    return false;
  }
  // Everything the child needs is built before fork: after it only
  // async-signal-safe calls are allowed.
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry(*e);
    bool keep = true;
    for (const std::string& name : unsetEnv) keep = keep && !hasName(entry, name);
    for (const std::string& assignment : setEnv) keep = keep && !hasName(entry, nameOf(assignment));
    if (keep) env.push_back(entry);
  }
  env.insert(env.end(), setEnv.begin(), setEnv.end());
  std::vector<char*> args, envp;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);
  const pid_t parent = getpid();

  // Tells the parent whether exec worked: the pipe closes on a successful
  // exec and carries errno otherwise.
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) {
    why = std::string("pipe: ") + std::strerror(errno);
    return false;
  }
  const pid_t pid = fork();
  if (pid < 0) {
    why = std::string("fork: ") + std::strerror(errno);
    close(report[0]);
    close(report[1]);
    return false;
  }
  if (pid == 0) {
    close(report[0]);
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(127);
    // Its own process group, so that a terminal's signals go to the driver only.
    setpgid(0, 0);
    if (quiet) {
      const int null = open("/dev/null", O_WRONLY);
      if (null >= 0) {
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        if (null > STDERR_FILENO) close(null);
      }
    }
    if (keepFd >= 0) fcntl(keepFd, F_SETFD, 0);
    execvpe(args[0], args.data(), envp.data());
    const int err = errno;
    if (write(report[1], &err, sizeof err) < 0) _exit(127);
    _exit(127);
  }
  close(report[1]);
  int err = 0;
  ssize_t got;
  do {
    got = read(report[0], &err, sizeof err);
  } while (got < 0 && errno == EINTR);
  close(report[0]);
  child = pid;
  ended = false;
  if (got == static_cast<ssize_t>(sizeof err)) {
    waitForExit(5000);
    why = "cannot run " + argv[0] + ": " + std::strerror(err);
    return false;
  }
  return true;
}

bool skProcess::running() {
  if (child <= 0 || ended) return false;
  int st = 0;
  const pid_t r = waitpid(child, &st, WNOHANG);
  if (r == child) {
    ended = true;
    status = st;
  } else if (r < 0 && errno == ECHILD) {
    ended = true;
  }
  return !ended;
}

bool skProcess::waitForExit(int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (running()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

void skProcess::stop(int sig, int graceMs) {
  if (!running()) return;
  kill(child, sig);
  if (waitForExit(graceMs)) return;
  kill(child, SIGKILL);
  waitForExit(10000);
}

bool skProcess::exitedWithZero() const {
  return ended && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string skProcess::describeEnd() const {
  if (!ended) return "still running";
  if (WIFEXITED(status)) return "exit status " + std::to_string(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) return "killed by signal " + std::to_string(WTERMSIG(status));
  return "ended (wait status " + std::to_string(status) + ")";
}

}  // namespace e2e
}  // namespace skivo
