// skControllerRandomize: turns its inner controller's direction by a random
// angle whose range grows with a distance read from the perception: nearly
// none close to the reference, up to half a turn either way (an integer number
// of degrees from -180 to 179) from farDistance on. A new angle is drawn and
// the inner controller asked at every call; the result always has length 1.
// The inner controller must never ask to stop: a desired speed that is not
// above 0 is fatal ("0 < action.getDesiredSpeed()"). nearDistance is only kept
// for its accessors. The inner controller is not owned.
#pragma once

#include "skController.h"

namespace skivo {

class skControllerRandomize : public skController {
 public:
  // A distance in world units asked of the perception,
  // e.g. &skPerception::distanceToNearestCharacter.
  typedef skReal (skPerception::*Distance)() const;

  // perception: shared, not owned. controller, distance: must not be null (not
  // checked); controller not owned. Distances in world units.
  skControllerRandomize(skPerception* perception, skController* controller, Distance distance,
                        skReal nearDistance, skReal farDistance);
  ~skControllerRandomize() override;

  void calcAction() override;

  skController* getController() const { return controller; }
  Distance getDistance() const { return distance; }
  skReal getNearDistance() const { return nearDistance; }
  skReal getFarDistance() const { return farDistance; }
  void setController(skController* c) { controller = c; }
  void setDistance(Distance d) { distance = d; }
  void setNearDistance(skReal d) { nearDistance = d; }
  void setFarDistance(skReal d) { farDistance = d; }

 protected:
  skController* controller;
  Distance distance;
  skReal nearDistance;
  skReal farDistance;
};

}  // namespace skivo
