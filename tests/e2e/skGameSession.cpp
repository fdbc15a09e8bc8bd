#include "skGameSession.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace skivo {
namespace e2e {

bool skGameSession::start(const std::string& program, std::string& why) {
  // Large enough for the 512 x 512 window wherever it is put.
  if (!server.start(1024, 768, 30000)) {
    why = server.error();
    return false;
  }
  gameWindow.reset(new skGameWindow(server.display()));
  // SDL must use this server even where the driver itself runs on Wayland.
  if (!game.start({program}, {"DISPLAY=" + server.name(), "SDL_VIDEODRIVER=x11"},
                  {"WAYLAND_DISPLAY"}, false)) {
    why = game.error();
    return false;
  }
  if (!gameWindow->waitForWindow(60000, [this] { return game.running(); })) {
    why = program + " showed no drawn window within 60 s (" + game.describeEnd() + ")";
    return false;
  }
  return true;
}

bool skGameSession::capture() { return gameWindow->capture(frame); }

bool skGameSession::sample(int durationMs, int periodMs,
                           const std::function<bool(const skFrame&)>& look) {
  const auto start = std::chrono::steady_clock::now();
  const auto end = start + std::chrono::milliseconds(durationMs);
  auto next = start;
  while (std::chrono::steady_clock::now() < end) {
    if (!capture()) return false;
    if (!look(frame)) return true;
    // Behind after a stall: go on from now rather than catch up in a burst.
    next = std::max(next + std::chrono::milliseconds(periodMs), std::chrono::steady_clock::now());
    std::this_thread::sleep_until(next);
  }
  return true;
}

}  // namespace e2e
}  // namespace skivo
