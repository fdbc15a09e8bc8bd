// skGameSession: one run of a game program for one test, on its own virtual
// X server: the server, the program and its window, started together and
// ended together (the program is killed if the test ends while it runs).
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "skFrame.h"
#include "skGameWindow.h"
#include "skProcess.h"
#include "skXServer.h"

namespace skivo {
namespace e2e {

class skGameSession {
 public:
  // Starts the server and the program (the path of skivo or skivo-classic)
  // and waits until its window shows a drawn frame. Every wait is generous,
  // so that a slow, loaded machine passes. False, with why set, on failure.
  bool start(const std::string& program, std::string& why);

  skGameWindow& window() { return *gameWindow; }
  skProcess& program() { return game; }
  // The last frame taken by capture() or sample().
  const skFrame& lastFrame() const { return frame; }

  // A new picture of the window; false when the window is gone.
  bool capture();
  // Takes a picture about every periodMs (wall clock) and hands it to look
  // until look returns false or durationMs has passed. False when a picture
  // could not be taken (the window is gone).
  bool sample(int durationMs, int periodMs, const std::function<bool(const skFrame&)>& look);

 private:
  // Declared first so that it is destroyed last: the program needs the
  // server until it has been stopped.
  skXServer server;
  skProcess game;
  std::unique_ptr<skGameWindow> gameWindow;
  skFrame frame;
};

}  // namespace e2e
}  // namespace skivo
