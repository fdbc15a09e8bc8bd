#include "skArenaReturns.h"

namespace skivo {

bool skArenaReturns::pass(int from, int to, long long nowMs) {
  const bool back = lastFrom == to && lastTo == from && nowMs - lastMs <= windowMs;
  lastFrom = from;
  lastTo = to;
  lastMs = nowMs;
  ++tags;
  returned += back;
  return back;
}

}  // namespace skivo
