#include "skJoystickSDL.h"

#include <SDL.h>

namespace skivo {

skJoystickSDL::skJoystickSDL() : joystick(nullptr) { SDL_InitSubSystem(SDL_INIT_JOYSTICK); }

skJoystickSDL::~skJoystickSDL() {
  if (joystick) SDL_JoystickClose(joystick);
}

bool skJoystickSDL::init() {
  // Opening again would leak the previous handle.
  if (!joystick) joystick = SDL_JoystickOpen(0);
  return joystick && SDL_JoystickOpened(0);
}

skReal skJoystickSDL::getX() const {
  return joystick ? xFromAxis(SDL_JoystickGetAxis(joystick, 0)) : 0.0;
}

skReal skJoystickSDL::getY() const {
  return joystick ? yFromAxis(SDL_JoystickGetAxis(joystick, 1)) : 0.0;
}

}  // namespace skivo
