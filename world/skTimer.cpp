#include "skTimer.h"

#include <chrono>

namespace skivo {

skTimer::skTimer() = default;

skTimer::skTimer(TickSource t) : ticks(std::move(t)) {}

int skTimer::steadyMs() {
  using clock = std::chrono::steady_clock;
  static const clock::time_point origin = clock::now();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(clock::now() - origin);
  // Wraps after about 24 days, like any millisecond tick counter.
  return static_cast<int>(static_cast<unsigned int>(ms.count()));
}

}  // namespace skivo
