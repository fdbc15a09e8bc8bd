#include "skCharacterRenderer.h"

#include "skCharacter.h"
#include "skGui.h"

namespace skivo {

skCharacterRenderer::skCharacterRenderer(skGameState* g) : skObstacleCircleRenderer(g) {}

skCharacterRenderer::~skCharacterRenderer() = default;

void skCharacterRenderer::calcArrow(const skCharacter& c, skRealVec& base, skRealVec& vector) {
  const skReal radius = c.getRadius();
  base = c.getOrientation();
  base.scale(radius).add(c.getPosition());
  const skReal maxSpeed = c.getMaxSpeed();
  // A top speed of 0 would make the length infinite or NaN.
  const skReal length = maxSpeed > 0 ? radius * 1.5 * c.getSpeed() / maxSpeed : 0.0;
  vector = c.getOrientation();
  vector.scale(length);
}

void skCharacterRenderer::render(const skObject* obj) {
  const skCharacter* c = static_cast<const skCharacter*>(obj);
  if (c->getIsTagged()) {
    flashingOn();
  } else {
    flashingOff();
  }
  // Only the colour: the disk is drawn below, each copy with its arrow.
  skObjectRendererColor::render(obj);  // NOLINT(bugprone-parent-virtual-call)
  skRealVec base, vector;
  calcArrow(*c, base, vector);
  // Each copy whole, the arrow with its disk, wherever either shows.
  skVec2 shifts[maxShifts];
  const skVec2& p = c->position();
  const int count = wrappedShifts(*gs, p, c->getRadius() + vector.length(), shifts);
  for (int k = 0; k < count; ++k) {
    skGui::drawCircle((p + shifts[k]).toVec(), c->getOrientation(), c->getRadius());
    skGui::drawArrow((skVec2(base) + shifts[k]).toVec(), vector);
  }
}

}  // namespace skivo
