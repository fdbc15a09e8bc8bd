// skKeyboardWASDSDL: the W, A, S and D keys as a two-axis player device, for a
// second player on the same keyboard as the arrow keys' (skKeyboardSDL). Reads
// SDL's key state array, refreshed whenever events are polled. Stateless.
#pragma once

#include "skMath.h"

namespace skivo {

class skKeyboardWASDSDL {
 public:
  // Always true: a keyboard is always there.
  bool init() { return true; }
  // -1 while A is down, else +1 while D is down, else 0 (A wins).
  skReal getX() const;
  // +1 while W is down, else -1 while S is down, else 0 (W wins).
  skReal getY() const;
};

}  // namespace skivo
