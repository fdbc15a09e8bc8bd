#include "skKeyboardWASDSDL.h"

#include <SDL.h>

#include "skKeyboardSDL.h"

namespace skivo {

skReal skKeyboardWASDSDL::getX() const {
  return skKeyboardSDL::xFromKeys(skKeyboardSDL::isDown(SDLK_a), skKeyboardSDL::isDown(SDLK_d));
}

skReal skKeyboardWASDSDL::getY() const {
  return skKeyboardSDL::yFromKeys(skKeyboardSDL::isDown(SDLK_w), skKeyboardSDL::isDown(SDLK_s));
}

}  // namespace skivo
