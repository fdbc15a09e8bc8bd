// skControllerWander: a fresh random heading and speed at every call. Wrap it
// in a periodic composite to get smooth wandering instead of jitter.
#pragma once

#include "skController.h"

namespace skivo {

class skControllerWander : public skController {
 public:
  // perception: not owned; only its world's random generator is used, and
  // without one the process-wide generator.
  explicit skControllerWander(skPerception* perception);
  ~skControllerWander() override;

  // Direction: a unit vector at an angle uniform in [-180, 180] degrees (one
  // draw); speed: a uniform draw raised to 0.25 when below it (one draw).
  void calcAction() override;
};

}  // namespace skivo
