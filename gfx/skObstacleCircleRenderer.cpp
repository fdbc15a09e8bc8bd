#include "skObstacleCircleRenderer.h"

#include "skGui.h"
#include "skObstacleCircle.h"

namespace skivo {

skObstacleCircleRenderer::skObstacleCircleRenderer(skGameState* g) : skObjectRendererColor(g) {}

skObstacleCircleRenderer::~skObstacleCircleRenderer() = default;

void skObstacleCircleRenderer::render(const skObject* obj) {
  skObjectRendererColor::render(obj);
  const skObstacleCircle* circle = static_cast<const skObstacleCircle*>(obj);
  skGui::drawCircle(circle->getPosition(), circle->getOrientation(), circle->getRadius());
}

}  // namespace skivo
