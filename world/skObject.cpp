#include "skObject.h"

#include <cmath>

#include "skGameState.h"
#include "skObjectRenderer.h"

namespace skivo {

skObject::skObject(skGameState* g)
    : gs(g),
      renderer(nullptr),
      pos(0.0, 0.0),
      speed(0.0),
      mass(Inf),
      gsIndex(-1),
      heading(1.0, 0.0),
      isColliding(false) {}

skObject::~skObject() = default;

void skObject::setPosition(const skVec2& p) {
  pos = p;
  if (inGrid) movedInGrid();
}

void skObject::movedInGrid() {
  if (gs) gs->fixedObstacleChanged();
}

void skObject::setSpeed(skReal s) {
  skAssert(mass < Inf);
  speed = s;
}

void skObject::setVelocity(const skVec2& v) {
  const skReal l = v.length();
  if (skMath::isAlmostZero(l)) {
    setSpeed(0);
    return;
  }
  setSpeed(l);
  // v normalised. For a finite length that is a unit vector whatever the
  // rounding; only an infinite one (which gives (0, 0)) needs the check.
  const skVec2 unit = (1.0 / l) * v;
  if (std::isfinite(l)) {
    heading = unit;
  } else {
    setOrientation(unit);
  }
}

void skObject::setOrientation(const skVec2& orientation) {
  skAssert(skMath::isAlmostEq(1, orientation.length()));
  heading = orientation;
}

void skObject::render() {
  if (renderer) renderer->render(this);
}

}  // namespace skivo
