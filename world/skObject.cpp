#include "skObject.h"

#include <cmath>

#include "skObjectRenderer.h"

namespace skivo {

skObject::skObject(skGameState* g)
    : gs(g),
      renderer(nullptr),
      position(2),
      speed(0.0),
      mass(Inf),
      gsIndex(-1),
      orientation(2),
      isColliding(false) {
  orientation[0] = 1.0;
}

skObject::~skObject() = default;

void skObject::setPosition(const skRealVec& p) { position = p; }

void skObject::setSpeed(skReal s) {
  skAssert(mass < Inf);
  speed = s;
}

skRealVec skObject::getVelocity() const {
  skRealVec v(orientation);
  v.scale(speed);
  return v;
}

void skObject::setVelocity(const skRealVec& v) {
  skAssert(v.size() == 2);
  setVelocity(v[0], v[1]);
}

void skObject::setVelocity(skReal vx, skReal vy) {
  const skReal l = std::sqrt(vx * vx + vy * vy);
  if (skMath::isAlmostZero(l)) {
    setSpeed(0);
    return;
  }
  setSpeed(l);
  // Same arithmetic as normalising a copy (scale by 1 / |v|), without the copy.
  const skReal inv = 1.0 / l;
  const skReal ox = inv * vx;
  const skReal oy = inv * vy;
  if (!skMath::isAlmostEq(1, std::sqrt(ox * ox + oy * oy))) {
    skUtil::error("skMath::isAlmostEq(1, orientation.length())", __LINE__,
                  skUtil::baseName(__FILE__), "");
  }
  orientation[0] = ox;
  orientation[1] = oy;
}

void skObject::setOrientation(const skRealVec& orientation) {
  skAssert(skMath::isAlmostEq(1, orientation.length()));
  this->orientation = orientation;
}

void skObject::render() {
  if (renderer) renderer->render(this);
}

}  // namespace skivo
