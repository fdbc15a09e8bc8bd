// skGameWindow: the window of the program under test, seen from outside
// through Xlib: found among the screen's top-level windows, read back with
// XGetImage, driven with real key events (XTest) and asked to close the way a
// window manager does (WM_DELETE_WINDOW).
#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <string>
#include <vector>

#include "skFrame.h"

namespace skivo {
namespace e2e {

class skGameWindow {
 public:
  // dpy: the driver's connection, not owned; it must outlive this object.
  explicit skGameWindow(Display* dpy) : dpy(dpy) {}

  // Polls every 50 ms, for at most timeoutMs, until a top-level window is
  // mapped and has been drawn into (shows something besides black). Stops
  // early, returning false, as soon as stillRunning() says the program ended.
  bool waitForWindow(int timeoutMs, const std::function<bool()>& stillRunning);
  // How many top-level windows were mapped when the window was found.
  int mappedWindowCount() const { return mappedCount; }

  // Size in pixels, as the X server has it.
  bool size(int& w, int& h) const;
  // The window title (WM_NAME) and its UTF-8 form (_NET_WM_NAME, empty when unset).
  std::string title() const;
  std::string utf8Title() const;
  // Whether the window accepts the close request of a window manager.
  bool acceptsCloseRequest() const;

  // Reads the window's pixels; false when the window is gone.
  bool capture(skFrame& out) const;

  // Starts recording when the program puts a new frame on screen (any drawing
  // into the window), as X server timestamps in milliseconds. False when the
  // server lacks the DAMAGE extension.
  bool watchFrames();
  // Reads the frame records that have arrived.
  void collectFrames();
  // Server milliseconds of every frame since watchFrames(), oldest first.
  const std::vector<double>& frameTimes() const { return frames; }
  // How many of those frames the last capture() can show: the X server
  // tells which of our requests it had handled when each frame arrived, so
  // the captured frame is exactly the last of these (after collectFrames()).
  size_t framesInLastCapture() const;

  // Gives the window the keyboard focus and puts the pointer inside it.
  void focus();
  // Presses or releases the key of keysym (XK_Right, XK_Escape, ...).
  bool key(unsigned long keysym, bool down);
  // Sends WM_PROTOCOLS / WM_DELETE_WINDOW, as a window manager does when the
  // user closes the window.
  void requestClose();

 private:
  Display* dpy;
  Window win = 0;
  int mappedCount = 0;
  int damageEvent = -1;
  std::vector<double> frames;
  // The request number each frame record carries, and that of the last capture.
  std::vector<unsigned long> frameSerials;
  mutable unsigned long captureSerial = 0;

  Window findMapped();
};

}  // namespace e2e
}  // namespace skivo
