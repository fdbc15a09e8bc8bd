// skivo_e2e_blink WINDOW: judges the blinking of the player (who starts as
// "it": red for the first 1000 ms of every 2000, blue for the rest) in a
// game's window on $DISPLAY. The X server stamps every frame put on screen
// (DAMAGE); a colour change lies between the frame before the last picture of
// the old colour and that of the first picture of the new one. As a loaded
// machine may stall either side, an interval is judged only between sharp
// changes (150 ms) with no gap of 400 ms between frames or pictures. Exit 0
// when every picture showed red or blue alone and four intervals or more were
// judged, each within 40 ms of 1000 ms.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

enum Shown { red, blue, neither };
struct Picture {
  Shown shown;
  size_t frames;  // how many frames had reached the screen when it was taken
};
std::vector<double> frameTimes;  // server ms
std::vector<Picture> pictures;

// The server time of the frame a picture showed (back = 0) or of one before it.
double shownAt(const Picture& p, size_t back) {
  return p.frames == 0 ? 0 : frameTimes[p.frames - 1 >= back ? p.frames - 1 - back : 0];
}

Shown playerIn(XImage* image) {  // a sliver of the disk may show behind obstacles
  int r = 0, b = 0;
  for (int y = 0; y < image->height; ++y) {
    for (int x = 0; x < image->width; ++x) {
      const unsigned long p = XGetPixel(image, x, y) & 0xFFFFFF;
      r += p == 0xFF0000;
      b += p == 0x0000FF;
    }
  }
  return r >= 20 && b == 0 ? red : b >= 20 && r == 0 ? blue : neither;
}

// Bounds (shortest, longest, in ms) of the judged intervals between changes.
std::vector<std::pair<double, double>> judged() {
  struct Change {
    size_t before, after;
    double earliest, latest;
  };
  std::vector<Change> c;
  for (size_t i = 0, last = pictures.size(); i < pictures.size(); ++i) {
    if (pictures[i].shown == neither || pictures[i].frames == 0) continue;
    if (last < pictures.size() && pictures[i].shown != pictures[last].shown) {
      // The last frame of the old colour may be the one after the picture's.
      c.push_back({last, i, shownAt(pictures[last], 1), shownAt(pictures[i], 0)});
    }
    last = i;
  }
  std::vector<std::pair<double, double>> out;
  for (size_t k = 1; k < c.size(); ++k) {
    const Change &a = c[k - 1], &b = c[k];
    bool sharp = a.latest - a.earliest <= 150 && b.latest - b.earliest <= 150;
    for (size_t i = a.before; i < b.after; ++i) {
      sharp = sharp && shownAt(pictures[i + 1], 0) - shownAt(pictures[i], 0) <= 400;
    }
    for (size_t i = 1; i < frameTimes.size(); ++i) {
      const bool inside = frameTimes[i] > a.earliest && frameTimes[i - 1] < b.latest;
      sharp = sharp && !(inside && frameTimes[i] - frameTimes[i - 1] > 400);
    }
    if (sharp) out.emplace_back(b.earliest - a.latest, b.latest - a.earliest);
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  Display* dpy = argc == 2 ? XOpenDisplay(nullptr) : nullptr;
  const Window win = argc == 2 ? std::strtoul(argv[1], nullptr, 0) : 0;
  int damageEvent = 0, damageError = 0;
  XWindowAttributes a;
  if (!dpy || !win || !XDamageQueryExtension(dpy, &damageEvent, &damageError) ||
      !XGetWindowAttributes(dpy, win, &a)) {
    std::fprintf(stderr, "usage: skivo_e2e_blink WINDOW (on $DISPLAY, with DAMAGE)\n");
    return 2;
  }
  XDamageCreate(dpy, win, XDamageReportRawRectangles);  // a report per buffer swap
  std::vector<unsigned long> frameSerials;
  const auto start = std::chrono::steady_clock::now();
  const auto elapsed = [start] { return std::chrono::steady_clock::now() - start; };
  // Seven seconds hold six intervals; a stalling machine gets more time.
  while (elapsed() < std::chrono::seconds(30) &&
         (elapsed() < std::chrono::seconds(7) || judged().size() < 4)) {
    const unsigned long serial = NextRequest(dpy);
    XImage* image = XGetImage(dpy, win, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
    if (!image) return std::fprintf(stderr, "the window is gone\n"), 1;
    const Shown shown = playerIn(image);
    XDestroyImage(image);
    while (XPending(dpy)) {  // events made before the picture precede its reply
      XEvent e;
      XNextEvent(dpy, &e);
      if (e.type != damageEvent + XDamageNotify) continue;
      frameTimes.push_back(reinterpret_cast<XDamageNotifyEvent*>(&e)->timestamp);
      frameSerials.push_back(e.xany.serial);
    }
    const auto seen = std::lower_bound(frameSerials.begin(), frameSerials.end(), serial);
    pictures.push_back({shown, static_cast<size_t>(seen - frameSerials.begin())});
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  const auto intervals = judged();
  bool ok = intervals.size() >= 4;
  for (const Picture& p : pictures) ok = ok && p.shown != neither;
  std::printf("%zu frames, %zu pictures, %zu intervals judged\n", frameTimes.size(),
              pictures.size(), intervals.size());
  for (const auto& i : intervals) {
    ok = ok && i.first - 40 <= 1000 && i.second + 40 >= 1000;
    std::printf("  a colour lasted %.0f-%.0f ms\n", i.first, i.second);
  }
  std::puts(ok ? "PASS" : "FAIL: a picture of neither colour, or too few or wrong intervals");
  return ok ? 0 : 1;
}
