#include "skKeyboardSDL.h"

#include <SDL.h>

namespace skivo {

namespace {
bool down(SDLKey key) {
  const Uint8* keys = SDL_GetKeyState(nullptr);
  return keys && keys[key] != 0;
}
}  // namespace

skReal skKeyboardSDL::getX() const { return xFromKeys(down(SDLK_LEFT), down(SDLK_RIGHT)); }

// Up is the positive axis: the arena is drawn with y growing upwards.
skReal skKeyboardSDL::getY() const { return yFromKeys(down(SDLK_UP), down(SDLK_DOWN)); }

}  // namespace skivo
