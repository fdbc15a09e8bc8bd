// skTimer: the game clock. It counts running time in integer milliseconds on a
// raw millisecond tick source given by whoever makes it: the games hand it
// SDL's tick counter, the arena, tests and benchmarks their simulated time.
// Without a source it reads a monotonic clock of the process. Each clock has
// its own source, so two worlds can keep separate times in one process.
#pragma once

#include <functional>

#include "skTimerBase.h"

namespace skivo {

class skTimer : public skTimerBase<skTimer> {
 public:
  // A raw millisecond tick counter; it may wrap (differences are taken modulo 2^32).
  typedef std::function<int()> TickSource;

  // On the process's monotonic clock.
  skTimer();
  // On ticks; an empty source means the monotonic clock.
  explicit skTimer(TickSource ticks);
  ~skTimer() = default;

  // Raw milliseconds of the source.
  int time() const { return ticks ? ticks() : steadyMs(); }

 private:
  TickSource ticks;
  // Milliseconds of the monotonic clock since its first reading in this process.
  static int steadyMs();
};

}  // namespace skivo
