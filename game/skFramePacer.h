// skFramePacer: keeps a frame rate on a clock it is given. At the end of each
// frame it sleeps out what is left of that frame's share of the second, so
// that the frames come at the rate asked for on average, also when the rate
// does not divide 1000 (60 frames a second: 16.67 ms each, not 16). Far
// behind (a stall, a dragged window) it starts the rhythm anew rather than
// rush through frames to catch up. Times are in milliseconds.
#pragma once

#include <functional>
#include <utility>

namespace skivo {

class skFramePacer {
 public:
  // now: the clock (ms; whole or fractional). sleep: waits about ms
  // milliseconds (the clock moving on meanwhile).
  skFramePacer(std::function<double()> now, std::function<void(unsigned int ms)> sleep)
      : now(std::move(now)), sleep(std::move(sleep)) {}

  // fps frames a second; 0 paces nothing. Starts the rhythm now.
  void start(int fps);
  // At the end of each frame: sleeps until the next one is due.
  void frameDone();
  int getRate() const { return rate; }

 private:
  std::function<double()> now;
  std::function<void(unsigned int)> sleep;
  int rate = 0;
  // When the next frame is due on the clock.
  double due = 0;
};

}  // namespace skivo
