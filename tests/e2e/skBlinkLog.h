// skBlinkLog: what a blinking disk showed over time, judged against the
// frames the program actually put on screen. A loaded machine may stall the
// program for a second or more; a colour change is then seen late, or a whole
// phase never reaches the screen. Every change is therefore placed between
// the frame before the last picture of the old colour and the frame of the
// first picture of the new one (X server milliseconds), and an interval is
// judged only where frames and pictures followed each other closely enough
// that no phase can have been missed and the change times are sharp.
#pragma once

#include <string>
#include <vector>

namespace skivo {
namespace e2e {

class skBlinkLog {
 public:
  // What a picture showed: one colour, the other, or something else.
  enum Shown { first, second, neither };

  struct Interval {
    double shortest, longest;  // bounds of the time between two changes
  };

  // A picture that showed `shown` and could show no frame after the first
  // frameCount frames (skGameWindow::framesInLastCapture).
  void add(Shown shown, size_t frameCount);

  // Below, frames are the server times of all frames seen so far, in
  // milliseconds (skGameWindow::frameTimes), a superset of those of every
  // picture added. Intervals between consecutive changes that can be judged,
  // and how many could not be (stalls, or pictures too far apart).
  std::vector<Interval> judgedIntervals(const std::vector<double>& frames) const;
  int unjudgedIntervals(const std::vector<double>& frames) const;
  int neitherCount() const;
  // The runs of one colour, in server milliseconds, for failure messages.
  std::string describe(const std::vector<double>& frames, const char* firstName,
                       const char* secondName) const;

  // Widest uncertainty of one change, and longest gap between frames or
  // between captured frames, that still let an interval be judged.
  static constexpr double sharpChange = 150.0;
  static constexpr double longestGap = 400.0;

 private:
  struct Picture {
    Shown shown;
    size_t frameCount;
  };
  struct Change {
    size_t before, after;  // indices of the pictures around it
    double earliest, latest;
  };
  std::vector<Picture> pictures;

  std::vector<Change> changes(const std::vector<double>& frames) const;
  bool judgeable(const Change& a, const Change& b, const std::vector<double>& frames) const;
  static double frameOf(const Picture& p, const std::vector<double>& frames, size_t back);
};

}  // namespace e2e
}  // namespace skivo
