#include "skKeysAndPadSDL.h"

#include <algorithm>

namespace skivo {

namespace {
// Calls between two tries to open a pad that is not there: a few times a
// second at the game's rate of reading (each frame reads both axes).
constexpr int readsPerTry = 60;
}  // namespace

bool skKeysAndPadSDL::init() {
  pad.init();
  return true;
}

skVec2 skKeysAndPadSDL::combine(const skVec2& fromKeys, const skVec2& stick) {
  if (!fromKeys.isAlmostZero()) return fromKeys;
  const skReal r = stick.length();
  if (r <= deadZone) return skVec2(0, 0);
  const skReal scaled = std::min<skReal>(1.0, (r - deadZone) / (1.0 - deadZone));
  return (scaled / r) * stick;
}

void skKeysAndPadSDL::notice() const {
  if (!pad.isOpen() && ++readsSinceTry >= readsPerTry) {
    readsSinceTry = 0;
    pad.init();
  }
}

skVec2 skKeysAndPadSDL::read() const {
  notice();
  return combine(skVec2(keys.getX(), keys.getY()), skVec2(pad.getX(), pad.getY()));
}

}  // namespace skivo
