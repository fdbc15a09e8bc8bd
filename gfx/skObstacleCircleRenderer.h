// skObstacleCircleRenderer: draws a circular obstacle as a filled disk in the
// colour its colour layer picks.
#pragma once

#include "skObjectRendererColor.h"

namespace skivo {

class skObstacleCircleRenderer : public skObjectRendererColor {
 public:
  explicit skObstacleCircleRenderer(skGameState* gs);
  ~skObstacleCircleRenderer() override;

  // Precondition: obj is an skObstacleCircle (not checked).
  void render(const skObject* obj) override;
};

}  // namespace skivo
