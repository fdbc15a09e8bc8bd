// skControllerPC<Device>: the player controller. A human steers through an
// input device that reports two axes in [-1, 1] (x to the right, y upwards);
// the controller turns them into an action like any other controller's.
// Device needs a default constructor, bool init(), skReal getX() and getY().
#pragma once

#include <algorithm>

#include "skController.h"
#include "skVec2.h"

namespace skivo {

template <class Device>
class skControllerPC : public skController {
 public:
  // The perception is kept for the base but never queried.
  explicit skControllerPC(skPerception* perception) : skController(perception) {}
  ~skControllerPC() override = default;

  // Axes at rest (within 1e-5): speed 0, the heading of the last steer kept.
  // Otherwise the direction of the axes, at a speed of their deflection capped
  // at 1 (a diagonal of two keys is full speed, not sqrt(2)).
  void calcAction() override {
    const skVec2 v(joystick.getX(), joystick.getY());
    if (v.isAlmostZero()) {
      action.setDesiredSpeed(0.0);
      return;
    }
    action.setDesiredSpeed(std::min<skReal>(1.0, v.length()));
    action.setDesiredDirection(v.normalized());
  }

  // Opens the device; false when it is not there.
  bool init() { return joystick.init(); }

  // The device, for callers that need to reach it (and for tests).
  Device& getDevice() { return joystick; }

 private:
  Device joystick;
};

}  // namespace skivo
