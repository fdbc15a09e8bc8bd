#include "skTimer.h"

#include <SDL.h>

namespace skivo {
inline namespace SKIVO_RULES {

namespace {
skTimer::TimeSource& timeSource() {
  static skTimer::TimeSource source;
  return source;
}
}  // namespace

skTimer::skTimer() = default;

int skTimer::time() const {
  const TimeSource& source = timeSource();
  if (source) return source();
  return static_cast<int>(SDL_GetTicks());
}

void skTimer::setTimeSource(TimeSource source) { timeSource() = std::move(source); }

}  // namespace SKIVO_RULES
}  // namespace skivo
