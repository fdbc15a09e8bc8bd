#include "skControllerAvoid.h"

#include <limits>

#include "skCharacter.h"
#include "skPerception.h"
#include "skUtil2D.h"

namespace skivo {

skControllerAvoid::skControllerAvoid(skPerception* p, skController* c)
    : skController(p), defaultController(c), timeLastCollisionDetected(-1) {}

skControllerAvoid::~skControllerAvoid() = default;

void skControllerAvoid::calcAction() {
  // The perception memoises the collider search, so these queries scan once.
  const bool threat = perception->timeToCollision() <= lookAhead && perception->nextCollider() &&
                      perception->nextCollider()->getMass() > std::numeric_limits<skReal>::max();
  skVec2 v, n;
  if (threat) {
    v = (perception->collisionPoint() - perception->getMe()->position()).normalized();
    n = perception->nextColliderNormal();
  }
  // A centre pushed onto the contact point (or the obstacle's centre) leaves
  // no side to turn to: the collision response, not a turn, takes it out.
  if (!threat || !skMath::isAlmostEq(1, v.length()) || !skMath::isAlmostEq(1, n.length())) {
    const int now = perception->getTime();
    if (timeLastCollisionDetected >= 0 && now - timeLastCollisionDetected <= holdTime) return;
    defaultController->calcAction();
    action = defaultController->getAction();
    return;
  }
  timeLastCollisionDetected = perception->getTime();
  // The side of the obstacle's normal; the (v.y, -v.x) side on a head-on approach.
  const skVec2 rp = skUtil2D::perpendicularTo(v, n);
  skAssert(skMath::isAlmostZero(v.dot(rp)));
  action.setDesiredDirection(rp);
  action.setDesiredSpeed(1.0);
}

}  // namespace skivo
