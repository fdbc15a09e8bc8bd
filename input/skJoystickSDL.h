// skJoystickSDL: the first two axes of joystick 0 as a player device, with no
// dead zone and no smoothing. Construct, then open with init() before reading.
#pragma once

#include <SDL_joystick.h>

#include "skMath.h"

namespace skivo {

class skJoystickSDL {
 public:
  // Starts SDL's joystick subsystem (alone: a browser's SDL would restart its
  // clock on a second SDL_Init); opens nothing yet.
  skJoystickSDL();
  // Closes the joystick if init opened it.
  ~skJoystickSDL();
  // One owner per handle: a copy would close it twice.
  skJoystickSDL(const skJoystickSDL&) = delete;
  skJoystickSDL& operator=(const skJoystickSDL&) = delete;

  // Opens joystick 0; false (silently) when there is none or it did not open.
  // May be called again to try once more.
  bool init();
  bool isOpen() const { return joystick != nullptr; }
  // Axis 0 in [-1, 1), positive to the right; 0 while no joystick is open.
  skReal getX() const;
  // Axis 1 in (-1, 1], positive when pushed forward; 0 while none is open.
  skReal getY() const;

  // The conversions of raw SDL axis values.
  static skReal xFromAxis(Sint16 raw) { return raw / 32768.0; }
  // SDL's axis 1 grows towards the player; negated as an int, so -32768 gives +1.
  static skReal yFromAxis(Sint16 raw) { return -static_cast<int>(raw) / 32768.0; }

 private:
  SDL_Joystick* joystick;
};

}  // namespace skivo
