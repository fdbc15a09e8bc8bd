#include "skKeyboardSDL.h"

#include <SDL.h>

namespace skivo {

bool skKeyboardSDL::isDown(int key) {
  const Uint8* keys = SDL_GetKeyState(nullptr);
  return keys && keys[key] != 0;
}

skReal skKeyboardSDL::getX() const { return xFromKeys(isDown(SDLK_LEFT), isDown(SDLK_RIGHT)); }

// Up is the positive axis: the arena is drawn with y growing upwards.
skReal skKeyboardSDL::getY() const { return yFromKeys(isDown(SDLK_UP), isDown(SDLK_DOWN)); }

}  // namespace skivo
