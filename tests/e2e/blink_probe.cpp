// skivo_e2e_blink WINDOW: watches a game's window (an X window id, on
// $DISPLAY) and judges the blinking of the player, who starts as "it": red for
// the first 1000 ms of every 2000 ms of game time, blue for the rest. Only the
// timing needs C++: the X server stamps every frame the game puts on screen
// (DAMAGE), and each colour change is placed between the frame before the
// last picture of the old colour and the frame of the first picture of the
// new one. A loaded machine may stall the game or this probe for a second or
// more, so an interval between two changes is judged only where both changes
// are sharp and no gap between frames or between pictures could hide a phase.
// Exit 0 when every picture showed the player red or blue alone and at least
// four intervals were judged, each consistent with 1000 ms.
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
const char* const names[] = {"red", "blue", "neither"};

// A picture and how many frames had reached the screen when it was taken.
struct Picture {
  Shown shown;
  size_t frames;
};

// A colour change between two pictures, within [earliest, latest] (server ms).
struct Change {
  size_t before, after;
  double earliest, latest;
};

const int minPlayerPixels = 20;  // a sliver of the disk shows behind obstacles
const double sharpChange = 150;  // widest uncertainty of a judged change
const double longestGap = 400;   // between frames or pictures; a phase is 1000
const double slack = 40;         // the game's millisecond clock, a frame in flight
const size_t wantedIntervals = 4;

std::vector<double> frameTimes;
std::vector<unsigned long> frameSerials;
std::vector<Picture> pictures;

// The server time of the frame a picture showed (back = 0) or of one before it.
double shownAt(const Picture& p, size_t back) {
  if (p.frames == 0) return 0;
  return frameTimes[p.frames - 1 >= back ? p.frames - 1 - back : 0];
}

Shown playerIn(XImage* image) {
  int r = 0, b = 0;
  for (int y = 0; y < image->height; ++y) {
    for (int x = 0; x < image->width; ++x) {
      const unsigned long p = XGetPixel(image, x, y) & 0xFFFFFF;
      r += p == 0xFF0000;
      b += p == 0x0000FF;
    }
  }
  if (r >= minPlayerPixels && b == 0) return red;
  if (b >= minPlayerPixels && r == 0) return blue;
  return neither;
}

std::vector<Change> changes() {
  std::vector<Change> found;
  size_t last = pictures.size();
  for (size_t i = 0; i < pictures.size(); ++i) {
    if (pictures[i].shown == neither || pictures[i].frames == 0) continue;
    if (last < pictures.size() && pictures[i].shown != pictures[last].shown) {
      // The last frame of the old colour may be the one after the picture's.
      found.push_back({last, i, shownAt(pictures[last], 1), shownAt(pictures[i], 0)});
    }
    last = i;
  }
  return found;
}

bool judgeable(const Change& a, const Change& b) {
  if (a.latest - a.earliest > sharpChange || b.latest - b.earliest > sharpChange) return false;
  for (size_t i = a.before; i < b.after; ++i) {
    if (shownAt(pictures[i + 1], 0) - shownAt(pictures[i], 0) > longestGap) return false;
  }
  for (size_t i = 1; i < frameTimes.size(); ++i) {
    const bool inside = frameTimes[i] > a.earliest && frameTimes[i - 1] < b.latest;
    if (inside && frameTimes[i] - frameTimes[i - 1] > longestGap) return false;
  }
  return true;
}

// Bounds (shortest, longest) of the judged intervals between changes.
std::vector<std::pair<double, double>> judged() {
  const std::vector<Change> c = changes();
  std::vector<std::pair<double, double>> out;
  for (size_t k = 1; k < c.size(); ++k) {
    if (judgeable(c[k - 1], c[k])) {
      out.emplace_back(c[k].earliest - c[k - 1].latest, c[k].latest - c[k - 1].earliest);
    }
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
  // One report per drawing request: every buffer swap is one.
  XDamageCreate(dpy, win, XDamageReportRawRectangles);
  const auto start = std::chrono::steady_clock::now();
  const auto elapsed = [start] { return std::chrono::steady_clock::now() - start; };
  // Seven seconds hold six intervals; a stalling machine gets more time.
  while (elapsed() < std::chrono::seconds(30) &&
         (elapsed() < std::chrono::seconds(7) || judged().size() < wantedIntervals)) {
    const unsigned long serial = NextRequest(dpy);
    XImage* image = XGetImage(dpy, win, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
    if (!image) {
      std::fprintf(stderr, "the window is gone\n");
      return 1;
    }
    const Shown shown = playerIn(image);
    XDestroyImage(image);
    // Events made before the server took the picture precede its reply.
    while (XPending(dpy)) {
      XEvent e;
      XNextEvent(dpy, &e);
      if (e.type != damageEvent + XDamageNotify) continue;
      frameTimes.push_back(
          static_cast<double>(reinterpret_cast<XDamageNotifyEvent*>(&e)->timestamp));
      frameSerials.push_back(e.xany.serial);
    }
    const auto seen = std::lower_bound(frameSerials.begin(), frameSerials.end(), serial);
    pictures.push_back({shown, static_cast<size_t>(seen - frameSerials.begin())});
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }

  // Runs of one colour, in server ms from the first frame.
  const double zero = frameTimes.empty() ? 0 : frameTimes.front();
  for (size_t i = 0, from = 0; i < pictures.size(); ++i) {
    if (i + 1 < pictures.size() && pictures[i + 1].shown == pictures[i].shown) continue;
    std::printf("%s %.0f-%.0f ms (%zu pictures)\n", names[pictures[i].shown],
                shownAt(pictures[from], 0) - zero, shownAt(pictures[i], 0) - zero, i + 1 - from);
    from = i + 1;
  }
  bool ok = true;
  const long neitherCount = std::count_if(pictures.begin(), pictures.end(),
                                          [](const Picture& p) { return p.shown == neither; });
  if (neitherCount > 0) {
    std::printf("FAIL: %ld pictures showed the player neither red nor blue alone\n", neitherCount);
    ok = false;
  }
  const std::vector<std::pair<double, double>> intervals = judged();
  const size_t all = std::max<size_t>(changes().size(), 1) - 1;
  std::printf("%zu frames, %zu pictures; %zu of %zu intervals judged\n", frameTimes.size(),
              pictures.size(), intervals.size(), all);
  if (intervals.size() < wantedIntervals) ok = false;
  for (const auto& i : intervals) {
    const bool fits = i.first - slack <= 1000 && i.second + slack >= 1000;
    std::printf("  a colour lasted %.0f-%.0f ms%s\n", i.first, i.second, fits ? "" : ": FAIL");
    ok = ok && fits;
  }
  std::printf("%s\n", ok ? "PASS" : "FAIL");
  return ok ? 0 : 1;
}
