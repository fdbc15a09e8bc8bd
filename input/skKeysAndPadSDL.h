// skKeysAndPadSDL: the arrow keys, or else the stick of the first gamepad, as
// one two-axis player device: whichever the player picks up steers. The pad
// is opened whenever it appears (a browser shows a gamepad only after its
// first button press), and a stick at rest, which never reads exactly 0, is
// a dead zone of still.
#pragma once

#include "skJoystickSDL.h"
#include "skKeyboardSDL.h"
#include "skVec2.h"

namespace skivo {

class skKeysAndPadSDL {
 public:
  // Always true: the keys are always there; the pad may come later.
  bool init();
  // In [-1, 1], positive to the right.
  skReal getX() const { return read().x; }
  // In [-1, 1], positive upwards.
  skReal getY() const { return read().y; }

  // Radius of the stick's dead zone, in axis units.
  static constexpr skReal deadZone = 0.25;
  // The keys' axes while any arrow is down; otherwise the stick's, still
  // within the dead zone and rescaled beyond it so that its edge is 0 and
  // full deflection stays full.
  static skVec2 combine(const skVec2& keys, const skVec2& stick);

  // Opens a pad that has appeared since, trying at most every 60th call; for
  // a caller that wants the pad's events (buttons in a menu) before anything
  // reads the axes. Reading the axes calls it too.
  void notice() const;

 private:
  skVec2 read() const;
  skKeyboardSDL keys;
  // Mutable: reading retries opening a pad that was not there.
  mutable skJoystickSDL pad;
  mutable int readsSinceTry = 0;
};

}  // namespace skivo
