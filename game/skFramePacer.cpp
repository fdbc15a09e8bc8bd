#include "skFramePacer.h"

namespace skivo {

void skFramePacer::start(int fps) {
  rate = fps > 0 ? fps : 0;
  due = now();
}

void skFramePacer::frameDone() {
  if (rate == 0) return;
  // Fractional: the rhythm must not drift by the rounding of each frame.
  const double period = 1000.0 / rate;
  due += period;
  const double t = now();
  if (due < t - period) {
    due = t;
  } else if (due > t + 1) {
    sleep(static_cast<unsigned int>(due - t));
  }
}

}  // namespace skivo
