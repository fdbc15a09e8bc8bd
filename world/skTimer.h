// skTimer: the game clock on SDL's millisecond tick counter. Its raw source
// can be replaced (for every skTimer at once) so that tests and headless runs
// control time.
#pragma once

#include <functional>

#include "skTimerBase.h"

namespace skivo {
inline namespace SKIVO_RULES {

class skTimer : public skTimerBase<skTimer> {
 public:
  // A raw millisecond source.
  typedef std::function<int()> TimeSource;

  skTimer();
  ~skTimer() = default;

  // Raw milliseconds: SDL_GetTicks(), or the source set below.
  int time() const;

  // Replaces the raw source of every skTimer; an empty source restores SDL's
  // tick counter. Not thread-safe (the system has one thread).
  static void setTimeSource(TimeSource source);
};

}  // namespace SKIVO_RULES
}  // namespace skivo
