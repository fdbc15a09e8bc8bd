// skXServer: a private virtual X server (Xvfb) for one test, on a display
// number that the server itself finds free, and the driver's connection to it.
// Several tests may run at once, each with its own server.
#pragma once

#include <X11/Xlib.h>

#include <string>

#include "skProcess.h"

namespace skivo {
namespace e2e {

class skXServer {
 public:
  skXServer() = default;
  // Closes the connection and stops the server.
  ~skXServer();
  skXServer(const skXServer&) = delete;
  skXServer& operator=(const skXServer&) = delete;

  // Starts Xvfb with one screen of width x height pixels at 24 bits and
  // connects to it, waiting at most timeoutMs. Key auto-repeat is switched
  // off, so a held key is one press. Returns false with error() set on failure.
  bool start(int width, int height, int timeoutMs);

  // ":N"; valid after start().
  const std::string& name() const { return displayName; }
  // The driver's connection; owned here.
  Display* display() const { return dpy; }
  const std::string& error() const { return why; }

  // The code of the last X protocol error since the previous call, or 0. X
  // errors never end the driver: requests on a window that has just gone
  // away fail and are reported through this.
  static int takeXError();

 private:
  skProcess server;
  Display* dpy = nullptr;
  std::string displayName;
  std::string why;
};

}  // namespace e2e
}  // namespace skivo
