// skObstacleCircleRenderer: draws a circular obstacle as a filled disk in the
// colour its colour layer picks. When the world's edges are seamless, a disk
// that crosses an edge is drawn on both sides.
#pragma once

#include "skObjectRendererColor.h"
#include "skVec2.h"

namespace skivo {

class skObstacleCircleRenderer : public skObjectRendererColor {
 public:
  explicit skObstacleCircleRenderer(skGameState* gs);
  ~skObstacleCircleRenderer() override;

  // Precondition: obj is an skObstacleCircle (not checked).
  void render(const skObject* obj) override;

  // The most places wrappedShifts gives.
  static constexpr int maxShifts = 9;
  // Where a shape around centre c reaching `extent` world units is drawn,
  // as shifts from c (world units) into shifts[0 .. count - 1]: (0, 0) first,
  // then, when gs's edges are seamless, the shift by a world size across
  // each edge the shape crosses (and across both at a corner). Returns count.
  static int wrappedShifts(const skGameState& gs, const skVec2& c, skReal extent,
                           skVec2 shifts[maxShifts]);
};

}  // namespace skivo
