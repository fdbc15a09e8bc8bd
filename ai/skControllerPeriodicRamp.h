// skControllerPeriodicRamp: a periodic composite whose period grows with a
// distance read from the perception: proportional to the distance through the
// origin, maxPeriod at farDistance, and held between minPeriod and maxPeriod.
// The period is recomputed at every call, also when the decision is skipped.
// nearDistance is only kept for its accessors. The inner controller is not owned.
#pragma once

#include "skController.h"

namespace skivo {

class skControllerPeriodicRamp : public skController {
 public:
  // A distance in world units asked of the perception,
  // e.g. &skPerception::distanceToTagged.
  typedef skReal (skPerception::*Distance)() const;

  // perception: shared, not owned, its game state must have a clock.
  // controller, distance: must not be null (not checked); controller not owned.
  // Distances in world units, periods in milliseconds of game time;
  // minPeriod <= maxPeriod (checked at every call, fatal "lower <= upper").
  skControllerPeriodicRamp(skPerception* perception, skController* controller, Distance distance,
                           skReal nearDistance, skReal farDistance, int minPeriod, int maxPeriod);
  ~skControllerPeriodicRamp() override;

  void calcAction() override;

  void setMinPeriod(int p) { minPeriod = p; }
  int getMinPeriod() const { return minPeriod; }
  void setMaxPeriod(int p) { maxPeriod = p; }
  int getMaxPeriod() const { return maxPeriod; }
  void setController(skController* c) { controller = c; }
  skController* getController() const { return controller; }
  Distance getDistance() const { return distance; }
  skReal getNearDistance() const { return nearDistance; }
  skReal getFarDistance() const { return farDistance; }
  void setDistance(Distance d) { distance = d; }
  void setNearDistance(skReal d) { nearDistance = d; }
  void setFarDistance(skReal d) { farDistance = d; }

 protected:
  // The period (ms) that distance d gives. A ratio that is no number
  // (d and farDistance both 0, or a NaN distance) counts as at farDistance.
  int calcPeriod(skReal d) const;

  skController* controller;
  Distance distance;
  skReal nearDistance;
  skReal farDistance;
  int minPeriod;
  int maxPeriod;
  // Game time (ms) of the last decision; -1 for never.
  int timeOfLastDecision;
};

}  // namespace skivo
