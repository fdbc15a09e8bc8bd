#include "skArenaRun.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <csignal>
#include <iostream>

#include "skArenaReport.h"
#include "skFileSaver.h"

namespace skivo {

namespace {

volatile std::sig_atomic_t caught = 0;
std::atomic<skArena*> running{nullptr};

// The first SIGINT or SIGTERM asks the arena to stop after its step; the
// handlers then go back to the default, so a second one ends the process.
void onStop(int signal) {
  caught = signal;
  struct sigaction fallback = {};
  fallback.sa_handler = SIG_DFL;
  sigaction(SIGINT, &fallback, nullptr);
  sigaction(SIGTERM, &fallback, nullptr);
  if (skArena* arena = running.load()) arena->stop();
}

// Handles SIGINT and SIGTERM while it lives, except a signal the process was
// started with ignored (nohup, background jobs): that one stays ignored.
class StopSignals {
 public:
  explicit StopSignals(skArena& arena) {
    caught = 0;
    running.store(&arena);
    struct sigaction handler = {};
    handler.sa_handler = onStop;
    sigemptyset(&handler.sa_mask);
    for (int i = 0; i < 2; ++i) {
      sigaction(signals[i], nullptr, &previous[i]);
      if (previous[i].sa_handler != SIG_IGN) sigaction(signals[i], &handler, nullptr);
    }
  }
  ~StopSignals() {
    for (int i = 0; i < 2; ++i) sigaction(signals[i], &previous[i], nullptr);
    running.store(nullptr);
  }
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

 private:
  const int signals[2] = {SIGINT, SIGTERM};
  struct sigaction previous[2];
};

const char* signalName(int signal) { return signal == SIGINT ? "SIGINT" : "SIGTERM"; }

}  // namespace

skArenaRun::skArenaRun(const skArenaOptions& o, const std::string& n)
    : options(o), name(n), arena(o) {}

long long skArenaRun::stepsOf(double minutes) const {
  return std::max(1LL, static_cast<long long>(std::ceil(minutes * 60000.0 / options.stepMs)));
}

bool skArenaRun::onStandardOutput(const std::string& path) {
  if (path == "-") return true;
  struct stat out, target;
  // A terminal or /dev/null may take both.
  return !path.empty() && fstat(STDOUT_FILENO, &out) == 0 && !S_ISCHR(out.st_mode) &&
         stat(path.c_str(), &target) == 0 && out.st_dev == target.st_dev &&
         out.st_ino == target.st_ino;
}

bool skArenaRun::saveOutputs(bool streamsToo, std::string& error) {
  skArenaReport::appendCsvRows(csv, arena.getMinutes(), csvRows, options.opponents.coached());
  csvRows = arena.getMinutes().size();
  if (!options.csv.empty() && (streamsToo || skFileSaver::replaces(options.csv))) {
    std::string why;
    if (!skFileSaver::save(options.csv, csv, why)) {
      error = "cannot write '" + options.csv + "': " + why;
      return false;
    }
  }
  if (arena.getStalls() && (streamsToo || skFileSaver::replaces(options.stalls))) {
    std::string why;
    if (!skFileSaver::save(options.stalls, skArenaReport::stallsCsv(arena.getStalls()->getStalls()),
                           why)) {
      error = "cannot write '" + options.stalls + "': " + why;
      return false;
    }
  }
  return arena.saveTables(error, streamsToo);
}

int skArenaRun::run() {
  std::string error;
  // Every output is checked before the run, so that a long run is not lost
  // to a typo in a file name at its end.
  for (const std::string& path :
       {options.csv, options.stalls, options.saveTactics[0], options.saveTactics[1]}) {
    if (!path.empty() && !skArenaReport::checkWritable(path, error)) {
      std::cerr << name << ": cannot write '" << path << "': " << error << std::endl;
      return 2;
    }
  }
  if (!arena.setUp(error) || (prepare && !prepare(arena, error))) {
    std::cerr << name << ": " << error << std::endl;
    return 2;
  }
  csv = skArenaReport::csvHeader(options.opponents.coached());

  StopSignals signals(arena);
  const bool bar = options.progress && isatty(STDERR_FILENO);
  const long long total = options.stepCount();
  // The bar moves in about 200 steps, so reporting costs nothing.
  const long long reportEvery = total / 200 + 1;
  const long long every = options.checkpointMinutes > 0 ? stepsOf(options.checkpointMinutes) : 0;
  long long checkpoint = every > 0 ? every : total;
  const auto start = std::chrono::steady_clock::now();
  bool closed = false;
  for (;;) {
    long long stretch = std::min(reportEvery, checkpoint - arena.getStepsDone());
    if (watcher) {
      const long long allowed = watcher->frame(arena);
      closed = allowed < 0;
      if (closed) break;
      stretch = std::min(stretch, allowed);
    }
    if (!arena.advance(stretch)) break;
    if (bar) skArenaReport::drawProgress(arena.getStepsDone(), total, nullptr);
    if (arena.getStepsDone() < checkpoint) continue;
    checkpoint += every;
    if (!saveOutputs(false, error)) {
      std::cerr << (bar ? "\n" : "") << name << ": checkpoint at game minute "
                << arena.getGameMs() / 60000.0 << " not saved: " << error << "; the run goes on"
                << std::endl;
    }
  }
  const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
  if (bar) skArenaReport::drawProgress(arena.getStepsDone(), total, nullptr);

  if (closed) {
    // The unfinished minute becomes a shorter last row, as after a signal.
    arena.stop();
    arena.advance(0);
  }
  const int stoppedBy = caught;
  const double minute = arena.getGameMs() / 60000.0;
  if (stoppedBy != 0) {
    if (bar && arena.getStepsDone() < total) std::cerr << "\n";
    std::cerr << name << ": " << signalName(stoppedBy) << " at game minute " << minute << " of "
              << options.minutes << ": saving what the run has (a second signal ends at once, "
              << "without saving)" << std::endl;
  }
  if (!saveOutputs(true, error)) {
    std::cerr << name << ": " << error << std::endl;
    return 1;
  }
  if (stoppedBy != 0 || closed) {
    std::string wrote;
    if (!options.csv.empty()) {
      wrote = "'" + options.csv + "' (" + std::to_string(csvRows) + " rows)";
    }
    for (int k = 0; k < 2; ++k) {
      if (options.saveTactics[k].empty()) continue;
      wrote += (wrote.empty() ? "'" : ", '") + options.saveTactics[k] + "'";
    }
    std::cerr << name << ": stopped by "
              << (stoppedBy != 0 ? signalName(stoppedBy) : "closing the window")
              << " at game minute " << minute << "; "
              << (wrote.empty() ? "no output files asked for" : "wrote " + wrote) << std::endl;
    return stoppedBy != 0 ? 128 + stoppedBy : 0;
  }
  const bool taken = onStandardOutput(options.csv) || onStandardOutput(options.stalls);
  skArenaReport::printSummary(taken ? std::cerr : std::cout, options, arena, wall.count());
  return 0;
}

}  // namespace skivo
