#include "skKeyboardWASDSDL.h"

#include <SDL.h>

#include "skKeyboardSDL.h"

namespace skivo {

namespace {
bool down(SDLKey key) {
  const Uint8* keys = SDL_GetKeyState(nullptr);
  return keys && keys[key] != 0;
}
}  // namespace

skReal skKeyboardWASDSDL::getX() const {
  return skKeyboardSDL::xFromKeys(down(SDLK_a), down(SDLK_d));
}

skReal skKeyboardWASDSDL::getY() const {
  return skKeyboardSDL::yFromKeys(down(SDLK_w), down(SDLK_s));
}

}  // namespace skivo
