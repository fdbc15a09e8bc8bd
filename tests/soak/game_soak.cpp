// skivo_soak_game: plays a game program (skivo or skivo-classic) on a private
// virtual X server for a given time with random arrow-key presses and
// releases, then presses Escape. It passes when the game ends with status 0,
// has written nothing to standard error, and its resident memory grew by less
// than 1 MiB between the end of the warm-up and the end of the run.
// usage: skivo_soak_game PROGRAM SECONDS [SEED]
#include <X11/keysym.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <thread>

#include "skGameWindow.h"
#include "skProcess.h"
#include "skXServer.h"

using namespace skivo::e2e;

namespace {

const long maxGrowthKiB = 1024;

// VmRSS of pid in KiB, or -1 when it cannot be read.
long residentKiB(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.compare(0, 6, "VmRSS:") == 0) return std::atol(line.c_str() + 6);
  }
  return -1;
}

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// Starts the game with its standard error in errPath: the driver's own
// descriptor 2 is pointed there only while the child is made.
bool startGame(skProcess& game, const std::string& program, const std::string& display,
               const std::string& errPath) {
  const int file = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  const int saved = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
  if (file < 0 || saved < 0) return false;
  dup2(file, STDERR_FILENO);
  const bool ok = game.start({program}, {"DISPLAY=" + display, "SDL_VIDEODRIVER=x11"},
                             {"WAYLAND_DISPLAY"}, false);
  dup2(saved, STDERR_FILENO);
  close(saved);
  close(file);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || std::atoi(argv[2]) < 1) {
    std::cerr << "usage: skivo_soak_game PROGRAM SECONDS [SEED]\n";
    return 2;
  }
  const std::string program = argv[1];
  const int seconds = std::atoi(argv[2]);
  std::mt19937 rng(argc > 3 ? static_cast<unsigned>(std::atoi(argv[3])) : std::random_device()());
  // The first seconds fill caches and the software renderer's buffers (more
  // slowly on a loaded machine); memory is judged from there on: after half
  // of a short run, after 30 s of a long one.
  const int warmUpMs = std::min(30000, seconds * 500);

  skXServer server;
  if (!server.start(1024, 768, 30000)) {
    std::cerr << "soak: no X server: " << server.error() << "\n";
    return 1;
  }
  char errTemplate[] = "/tmp/skivo-soak-stderr-XXXXXX";
  const int errFd = mkstemp(errTemplate);
  if (errFd < 0) return 1;
  close(errFd);
  const std::string errPath = errTemplate;
  skProcess game;
  skGameWindow window(server.display());
  if (!startGame(game, program, server.name(), errPath) ||
      !window.waitForWindow(60000, [&game] { return game.running(); })) {
    std::cerr << "soak: " << program << " did not show its window (" << game.describeEnd() << ")\n"
              << readAll(errPath);
    unlink(errPath.c_str());
    return 1;
  }
  window.focus();

  const unsigned long arrows[4] = {XK_Left, XK_Right, XK_Up, XK_Down};
  bool down[4] = {false, false, false, false};
  long presses = 0, startKiB = -1, peakKiB = 0;
  const auto begin = std::chrono::steady_clock::now();
  const auto end = begin + std::chrono::seconds(seconds);
  while (std::chrono::steady_clock::now() < end && game.running()) {
    const int k = static_cast<int>(rng() % 4);
    down[k] = !down[k];
    window.key(arrows[k], down[k]);
    presses += down[k];
    std::this_thread::sleep_for(std::chrono::milliseconds(10 + rng() % 190));
    const auto elapsed = std::chrono::steady_clock::now() - begin;
    if (startKiB < 0 && elapsed >= std::chrono::milliseconds(warmUpMs)) {
      startKiB = residentKiB(game.pid());
    }
    peakKiB = std::max(peakKiB, residentKiB(game.pid()));
  }
  for (int k = 0; k < 4; ++k) {
    if (down[k]) window.key(arrows[k], false);
  }
  const long endKiB = residentKiB(game.pid());
  window.key(XK_Escape, true);
  const bool ended = game.waitForExit(20000);
  if (!ended) game.stop(SIGKILL, 5000);
  const std::string diagnostics = readAll(errPath);
  unlink(errPath.c_str());

  const long growth = endKiB - startKiB;
  std::cout << "soak " << program << ": " << seconds << " s, " << presses << " key presses\n"
            << "  exit: " << game.describeEnd() << "\n"
            << "  standard error: " << (diagnostics.empty() ? "empty" : "NOT EMPTY") << "\n"
            << "  resident memory: " << startKiB << " KiB after " << warmUpMs / 1000.0 << " s, "
            << endKiB << " KiB at the end (growth " << growth << " KiB, peak " << peakKiB
            << " KiB)\n";
  bool ok = true;
  if (!diagnostics.empty()) {
    std::cout << "  --- standard error ---\n" << diagnostics << "\n";
    ok = false;
  }
  if (!ended || !game.exitedWithZero()) ok = false;
  if (startKiB < 0 || endKiB < 0 || growth >= maxGrowthKiB) ok = false;
  std::cout << (ok ? "PASS" : "FAIL") << "\n";
  return ok ? 0 : 1;
}
