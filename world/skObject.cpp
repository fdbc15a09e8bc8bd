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

void skObject::setOrientation(const skVec2& orientation) {
  skAssert(skMath::isAlmostEq(1, orientation.length()));
  heading = orientation;
}

void skObject::render() {
  if (renderer) renderer->render(this);
}

}  // namespace skivo
