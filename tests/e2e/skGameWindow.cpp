#include "skGameWindow.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "skXServer.h"

namespace skivo {
namespace e2e {

namespace {

double nowMs() {
  return std::chrono::duration<double, std::milli>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// Bits of a channel mask, as (shift, width).
void maskShape(unsigned long mask, int& shift, int& bits) {
  shift = 0;
  bits = 0;
  if (mask == 0) return;
  while (!(mask & 1UL)) {
    mask >>= 1;
    ++shift;
  }
  while (mask & 1UL) {
    mask >>= 1;
    ++bits;
  }
}

// One colour channel of a pixel value, scaled to 0..255.
struct Channel {
  unsigned long mask;
  int shift;
  unsigned long top;

  explicit Channel(unsigned long m) : mask(m) {
    int bits;
    maskShape(m, shift, bits);
    top = bits > 0 ? (1UL << bits) - 1 : 0;
  }
  std::uint32_t of(unsigned long pixel) const {
    if (top == 0) return 0;
    return static_cast<std::uint32_t>((((pixel & mask) >> shift) * 255 + top / 2) / top);
  }
};

}  // namespace

Window skGameWindow::findMapped() {
  Window root = DefaultRootWindow(dpy), parent = 0, *children = nullptr;
  unsigned int n = 0;
  Window best = 0;
  long bestArea = 0;
  mappedCount = 0;
  if (!XQueryTree(dpy, root, &root, &parent, &children, &n)) return 0;
  for (unsigned int i = 0; i < n; ++i) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(dpy, children[i], &a)) continue;
    if (a.map_state != IsViewable || a.c_class != InputOutput) continue;
    ++mappedCount;
    const long area = static_cast<long>(a.width) * a.height;
    if (area > bestArea) {
      best = children[i];
      bestArea = area;
    }
  }
  if (children) XFree(children);
  return best;
}

bool skGameWindow::waitForWindow(int timeoutMs, const std::function<bool()>& stillRunning) {
  const double deadline = nowMs() + timeoutMs;
  skFrame frame;
  while (nowMs() < deadline) {
    if (!stillRunning()) return false;
    win = findMapped();
    skXServer::takeXError();
    if (win && capture(frame)) {
      for (std::uint32_t p : frame.rgb) {
        if (p != 0) return true;
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

bool skGameWindow::size(int& w, int& h) const {
  XWindowAttributes a;
  if (!win || !XGetWindowAttributes(dpy, win, &a)) return false;
  w = a.width;
  h = a.height;
  return true;
}

std::string skGameWindow::title() const {
  char* name = nullptr;
  if (!win || !XFetchName(dpy, win, &name) || !name) return std::string();
  const std::string t(name);
  XFree(name);
  return t;
}

std::string skGameWindow::utf8Title() const {
  const Atom netName = XInternAtom(dpy, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(dpy, "UTF8_STRING", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (!win || XGetWindowProperty(dpy, win, netName, 0, 1024, False, utf8, &type, &format, &count,
                                 &after, &data) != Success) {
    return std::string();
  }
  std::string t;
  if (data && type == utf8 && format == 8) t.assign(reinterpret_cast<char*>(data), count);
  if (data) XFree(data);
  return t;
}

bool skGameWindow::acceptsCloseRequest() const {
  const Atom del = XInternAtom(dpy, "WM_DELETE_WINDOW", False);
  Atom* protocols = nullptr;
  int n = 0;
  bool found = false;
  if (win && XGetWMProtocols(dpy, win, &protocols, &n)) {
    for (int i = 0; i < n; ++i) found = found || protocols[i] == del;
    XFree(protocols);
  }
  return found;
}

bool skGameWindow::capture(skFrame& out) const {
  XWindowAttributes a;
  if (!win || !XGetWindowAttributes(dpy, win, &a)) return false;
  captureSerial = NextRequest(dpy);
  XImage* image = XGetImage(dpy, win, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
  if (!image) return false;
  out.takenMs = nowMs();
  out.width = a.width;
  out.height = a.height;
  out.rgb.resize(static_cast<size_t>(a.width) * a.height);
  const Channel r(image->red_mask), g(image->green_mask), b(image->blue_mask);
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) {
      const unsigned long p = XGetPixel(image, x, y);
      out.rgb[static_cast<size_t>(y) * a.width + x] = (r.of(p) << 16) | (g.of(p) << 8) | b.of(p);
    }
  }
  XDestroyImage(image);
  return true;
}

bool skGameWindow::watchFrames() {
  int eventBase = 0, errorBase = 0;
  if (!win || !XDamageQueryExtension(dpy, &eventBase, &errorBase)) return false;
  damageEvent = eventBase + XDamageNotify;
  // One report per drawing request: every buffer swap is one.
  XDamageCreate(dpy, win, XDamageReportRawRectangles);
  XSync(dpy, False);
  return skXServer::takeXError() == 0;
}

void skGameWindow::collectFrames() {
  while (XEventsQueued(dpy, QueuedAfterReading) > 0) {
    XEvent e;
    XNextEvent(dpy, &e);
    if (damageEvent >= 0 && e.type == damageEvent) {
      frames.push_back(static_cast<double>(reinterpret_cast<XDamageNotifyEvent*>(&e)->timestamp));
      frameSerials.push_back(e.xany.serial);
    }
  }
}

size_t skGameWindow::framesInLastCapture() const {
  // A record made after the server handled the image request carries its number.
  return static_cast<size_t>(
      std::lower_bound(frameSerials.begin(), frameSerials.end(), captureSerial) -
      frameSerials.begin());
}

void skGameWindow::focus() {
  int w = 0, h = 0;
  if (!size(w, h)) return;
  XWarpPointer(dpy, None, win, 0, 0, 0, 0, w / 2, h / 2);
  XSetInputFocus(dpy, win, RevertToPointerRoot, CurrentTime);
  XSync(dpy, False);
}

bool skGameWindow::key(unsigned long keysym, bool down) {
  const KeyCode code = XKeysymToKeycode(dpy, keysym);
  if (code == 0) return false;
  const bool sent = XTestFakeKeyEvent(dpy, code, down ? True : False, CurrentTime);
  XSync(dpy, False);
  return sent;
}

void skGameWindow::requestClose() {
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = win;
  e.xclient.message_type = XInternAtom(dpy, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = static_cast<long>(XInternAtom(dpy, "WM_DELETE_WINDOW", False));
  e.xclient.data.l[1] = CurrentTime;
  XSendEvent(dpy, win, False, NoEventMask, &e);
  XSync(dpy, False);
}

}  // namespace e2e
}  // namespace skivo
