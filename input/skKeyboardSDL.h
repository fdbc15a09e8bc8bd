// skKeyboardSDL: the arrow keys as a two-axis player device. Reads SDL's key
// state array, which SDL refreshes whenever events are polled (once a frame by
// the quit check). Stateless; needs no opening.
#pragma once

#include "skMath.h"

namespace skivo {

class skKeyboardSDL {
 public:
  // Always true: a keyboard is always there.
  bool init() { return true; }
  // -1 while Left is down, else +1 while Right is down, else 0 (Left wins).
  skReal getX() const;
  // +1 while Up is down, else -1 while Down is down, else 0 (Up wins).
  skReal getY() const;

  // The axes from the states of the arrow keys (true = down).
  static skReal xFromKeys(bool left, bool right) { return left ? -1.0 : right ? 1.0 : 0.0; }
  static skReal yFromKeys(bool up, bool down) { return up ? 1.0 : down ? -1.0 : 0.0; }
  // Whether the key of SDL key code `key` (an SDLKey) is down now.
  static bool isDown(int key);
};

}  // namespace skivo
