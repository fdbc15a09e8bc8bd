#include "skXServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

namespace skivo {
namespace e2e {

namespace {

int lastXError = 0;

int recordXError(Display*, XErrorEvent* event) {
  lastXError = event->error_code;
  return 0;
}

int msLeft(std::chrono::steady_clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline - std::chrono::steady_clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

}  // namespace

int skXServer::takeXError() {
  const int e = lastXError;
  lastXError = 0;
  return e;
}

skXServer::~skXServer() {
  if (dpy) XCloseDisplay(dpy);
  server.stop(SIGTERM, 5000);
}

bool skXServer::start(int width, int height, int timeoutMs) {
  XSetErrorHandler(recordXError);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  // Xvfb writes the display number it found free, then a newline, to this pipe.
  int numberPipe[2];
  if (pipe2(numberPipe, O_CLOEXEC) != 0) {
    why = std::string("pipe: ") + std::strerror(errno);
    return false;
  }
  const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  const bool started = server.start({"Xvfb", "-displayfd", std::to_string(numberPipe[1]), "-screen",
                                     "0", screen, "-nolisten", "tcp"},
                                    {}, {}, true, numberPipe[1]);
  close(numberPipe[1]);
  if (!started) {
    close(numberPipe[0]);
    why = "cannot start the virtual X server: " + server.error() +
          " (Debian package xvfb, installed by scripts/test)";
    return false;
  }
  std::string number;
  bool complete = false;
  while (!complete) {
    pollfd p{numberPipe[0], POLLIN, 0};
    const int ready = poll(&p, 1, msLeft(deadline));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) break;
    char c;
    const ssize_t got = read(numberPipe[0], &c, 1);
    if (got <= 0) break;
    if (c == '\n') {
      complete = true;
    } else {
      number += c;
    }
  }
  close(numberPipe[0]);
  if (!complete || number.empty()) {
    why = "Xvfb did not report a display number (" + server.describeEnd() + ")";
    return false;
  }
  displayName = ":" + number;
  // The server may accept connections a moment after it reports its number.
  while (!(dpy = XOpenDisplay(displayName.c_str()))) {
    if (msLeft(deadline) == 0 || !server.running()) {
      why = "cannot connect to Xvfb on " + displayName + " (" + server.describeEnd() + ")";
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  XAutoRepeatOff(dpy);
  XSync(dpy, False);
  return true;
}

}  // namespace e2e
}  // namespace skivo
