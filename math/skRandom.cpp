#include "skRandom.h"

namespace skivo {

void skRandom::seed(unsigned int s) {
  if (s == 0) s = 1;
  // state[i] = 16807 state[i - 1] mod (2^31 - 1), computed without overflow.
  int32_t word = static_cast<int32_t>(s);
  state[0] = word;
  for (int i = 1; i < degree; ++i) {
    const long hi = word / 127773;
    const long lo = word % 127773;
    long next = 16807 * lo - 2836 * hi;
    if (next < 0) next += 2147483647;
    word = static_cast<int32_t>(next);
    state[i] = word;
  }
  front = separation;
  rear = 0;
  // The first ten rounds mix the linear start into the state.
  for (int i = 0; i < 10 * degree; ++i) next();
}

}  // namespace skivo
