// skControllerAvoid: steer around fixed obstacles, otherwise defer to a default
// controller. When an immovable obstacle (infinite mass; characters never
// count) lies on the character's heading within 50 world units of its centre,
// it turns a right angle away from the obstacle's centre at full speed and
// keeps that action for 500 ms of game time after the last step that saw the
// threat; during that hold the default controller is not asked at all.
#pragma once

#include "skController.h"

namespace skivo {

class skControllerAvoid : public skController {
 public:
  // Look-ahead in world units and hold time in milliseconds.
  static constexpr skReal lookAhead = 50.0;
  static constexpr int holdTime = 500;

  // perception: shared, not owned. defaultController: not owned, must outlive
  // this controller and not be null.
  skControllerAvoid(skPerception* perception, skController* defaultController);
  ~skControllerAvoid() override;

  void calcAction() override;

 private:
  skController* defaultController;
  // Game time (ms) of the latest step that saw a threat; -1 for never.
  int timeLastCollisionDetected;
};

}  // namespace skivo
