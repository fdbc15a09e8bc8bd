#include "skObstacleCircleRenderer.h"

#include "skGameState.h"
#include "skGui.h"
#include "skObstacleCircle.h"

namespace skivo {

skObstacleCircleRenderer::skObstacleCircleRenderer(skGameState* g) : skObjectRendererColor(g) {}

skObstacleCircleRenderer::~skObstacleCircleRenderer() = default;

void skObstacleCircleRenderer::render(const skObject* obj) {
  skObjectRendererColor::render(obj);
  const skObstacleCircle* circle = static_cast<const skObstacleCircle*>(obj);
  skVec2 shifts[maxShifts];
  const int count = wrappedShifts(*gs, circle->position(), circle->getRadius(), shifts);
  for (int k = 0; k < count; ++k) {
    skGui::drawCircle((circle->position() + shifts[k]).toVec(), circle->getOrientation(),
                      circle->getRadius());
  }
}

int skObstacleCircleRenderer::wrappedShifts(const skGameState& gs, const skVec2& c, skReal extent,
                                            skVec2 shifts[maxShifts]) {
  shifts[0] = skVec2();
  if (!gs.isSeamless()) return 1;
  const skRealVec& size = gs.getWorldDim();
  // Per axis: none, and across the low or the high edge (both in a world
  // narrower than the shape).
  skReal xs[3] = {0.0}, ys[3] = {0.0};
  int nx = 1, ny = 1;
  if (c.x - extent < 0) xs[nx++] = size[0];
  if (c.x + extent > size[0]) xs[nx++] = -size[0];
  if (c.y - extent < 0) ys[ny++] = size[1];
  if (c.y + extent > size[1]) ys[ny++] = -size[1];
  int count = 0;
  for (int i = 0; i < nx; ++i) {
    for (int j = 0; j < ny; ++j) shifts[count++] = skVec2(xs[i], ys[j]);
  }
  return count;
}

}  // namespace skivo
