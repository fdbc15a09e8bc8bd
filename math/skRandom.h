// skRandom: a random generator of one's own, so that two worlds in one process
// draw independent, repeatable streams. It yields exactly the integers of the
// C library's rand() after srand(seed) on Debian (an additive generator with
// 31 words of state, outputs in [0, 2147483647]), so a world built from its
// draws is the one the process-wide generator would build; seed 1 is the state
// rand() starts in when nobody seeds it. The web build gets the same worlds.
#pragma once

#include <cstdint>

#include "skMath.h"

namespace skivo {

class skRandom {
 public:
  // The largest integer next() returns.
  static constexpr int maxValue = 2147483647;

  explicit skRandom(unsigned int seed = 1) { this->seed(seed); }

  // Restarts the stream, as srand(seed) does (seed 0 counts as 1).
  void seed(unsigned int seed);
  // The next integer in [0, 2147483647].
  int next() {
    const uint32_t value = static_cast<uint32_t>(state[front]) + static_cast<uint32_t>(state[rear]);
    state[front] = static_cast<int32_t>(value);
    front = front + 1 == degree ? 0 : front + 1;
    rear = rear + 1 == degree ? 0 : rear + 1;
    return static_cast<int>(value >> 1);
  }
  // Uniform on [0, 1], both ends possible: one draw.
  skReal uniform01() { return next() / 2147483647.0; }
  // Uniform integer in [0, n - 1]: one draw. Precondition: n > 0.
  int uniform(int n) { return next() % n; }

 private:
  static constexpr int degree = 31;
  static constexpr int separation = 3;
  int32_t state[degree];
  int front;  // the word that receives the sum
  int rear;
};

}  // namespace skivo
