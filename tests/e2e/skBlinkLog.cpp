#include "skBlinkLog.h"

#include <algorithm>
#include <sstream>

namespace skivo {
namespace e2e {

void skBlinkLog::add(Shown shown, size_t frameCount) { pictures.push_back({shown, frameCount}); }

// The server time of the frame captured by p (back = 0) or of one before it.
double skBlinkLog::frameOf(const Picture& p, const std::vector<double>& frames, size_t back) {
  if (p.frameCount == 0) return 0.0;
  const size_t i = p.frameCount - 1 >= back ? p.frameCount - 1 - back : 0;
  return frames[i];
}

std::vector<skBlinkLog::Change> skBlinkLog::changes(const std::vector<double>& frames) const {
  std::vector<Change> found;
  size_t last = pictures.size();
  for (size_t i = 0; i < pictures.size(); ++i) {
    if (pictures[i].shown == neither || pictures[i].frameCount == 0) continue;
    if (last < pictures.size() && pictures[i].shown != pictures[last].shown) {
      // The old colour's frame was drawn after the frame before it went out.
      found.push_back(
          {last, i, frameOf(pictures[last], frames, 1), frameOf(pictures[i], frames, 0)});
    }
    last = i;
  }
  return found;
}

bool skBlinkLog::judgeable(const Change& a, const Change& b,
                           const std::vector<double>& frames) const {
  if (a.latest - a.earliest > sharpChange || b.latest - b.earliest > sharpChange) return false;
  for (size_t i = a.before; i < b.after; ++i) {
    if (frameOf(pictures[i + 1], frames, 0) - frameOf(pictures[i], frames, 0) > longestGap) {
      return false;
    }
  }
  const auto from = std::lower_bound(frames.begin(), frames.end(), a.earliest);
  const auto to = std::upper_bound(frames.begin(), frames.end(), b.latest);
  for (auto f = from; f != to && f + 1 != frames.end() && f + 1 != to; ++f) {
    if (*(f + 1) - *f > longestGap) return false;
  }
  return true;
}

std::vector<skBlinkLog::Interval> skBlinkLog::judgedIntervals(
    const std::vector<double>& frames) const {
  const std::vector<Change> c = changes(frames);
  std::vector<Interval> judged;
  for (size_t k = 1; k < c.size(); ++k) {
    if (judgeable(c[k - 1], c[k], frames)) {
      judged.push_back({c[k].earliest - c[k - 1].latest, c[k].latest - c[k - 1].earliest});
    }
  }
  return judged;
}

int skBlinkLog::unjudgedIntervals(const std::vector<double>& frames) const {
  const size_t changeCount = changes(frames).size();
  const size_t all = changeCount > 0 ? changeCount - 1 : 0;
  return static_cast<int>(all - judgedIntervals(frames).size());
}

int skBlinkLog::neitherCount() const {
  return static_cast<int>(std::count_if(pictures.begin(), pictures.end(),
                                        [](const Picture& p) { return p.shown == neither; }));
}

std::string skBlinkLog::describe(const std::vector<double>& frames, const char* firstName,
                                 const char* secondName) const {
  std::ostringstream out;
  if (pictures.empty() || frames.empty()) return "no pictures";
  const double zero = frames.front();
  for (size_t i = 0, runStart = 0; i < pictures.size(); ++i) {
    if (i + 1 < pictures.size() && pictures[i + 1].shown == pictures[i].shown) continue;
    const Shown s = pictures[i].shown;
    out << (s == first    ? firstName
            : s == second ? secondName
                          : "neither")
        << " " << frameOf(pictures[runStart], frames, 0) - zero << "-"
        << frameOf(pictures[i], frames, 0) - zero << " ms (" << i + 1 - runStart << "); ";
    runStart = i + 1;
  }
  out << frames.size() << " frames";
  return out.str();
}

}  // namespace e2e
}  // namespace skivo
