#include "skControllerNoTagBack.h"

#include <cmath>

#include "skCharacter.h"
#include "skGameState.h"
#include "skPerception.h"

namespace skivo {

namespace {

// Within this many of the two radii summed, the two are close enough for a
// hand-over straight back.
const skReal nearRadii = 3;
// The least share of the way that leads away from the one I passed the tag to.
const skReal awayShare = 0.8;
// Gap (world units) below which two disks count as touching.
const skReal touchMargin = 2;

}  // namespace

skControllerNoTagBack::skControllerNoTagBack(skPerception* p, skController* c, int ms)
    : skController(p), inner(c), holdMs(ms) {}

skControllerNoTagBack::~skControllerNoTagBack() = default;

const skCharacter* skControllerNoTagBack::partner() {
  const int handedAt = perception->getGameState()->getLastTaggedTime();
  // In 64 bits: no overflow however far apart the two times are.
  if (handedAt < 0 || static_cast<long long>(perception->getTime()) - handedAt >= holdMs) {
    return nullptr;
  }
  const skCharacter* me = perception->getMe();
  const skCharacter* it = perception->getTagged();
  const skCharacter* before = perception->getLastTagged();
  if (!it || !before) return nullptr;
  if (me == it) return before;
  return me == before ? it : nullptr;
}

void skControllerNoTagBack::calcAction() {
  inner->calcAction();
  action = inner->getAction();
  const skCharacter* other = partner();
  if (!other) return;
  const skCharacter* me = perception->getMe();
  const skVec2 to = perception->shortestOffsetTo(other->position());
  const skVec2 towards = to.normalized();
  if (to.length() < nearRadii * (me->getRadius() + other->getRadius())) {
    if (me == perception->getTagged()) {
      // The one I just took the tag from may still run on into me, as a
      // person does for a moment after a tag: step out of its way, across its
      // course relative to mine, on the side I am already on.
      const skVec2 course = (other->velocity() - me->velocity()).normalized();
      if (to.length() < me->getRadius() + other->getRadius() + touchMargin) {
        // Touching: any push towards it, a pull's included, hands it back.
        action.setDesiredDirection(-1.0 * towards);
        action.setDesiredSpeed(1);
        return;
      }
      if (course.dot(-1.0 * towards) > 0) {
        skVec2 side = -1.0 * to - (-1.0 * to).dot(course) * course;
        if (side.length() < 1e-3 * me->getRadius()) side = course.turnedRight();
        action.setDesiredDirection((side.normalized() - 0.5 * towards).normalized());
        action.setDesiredSpeed(1);
        return;
      }
    } else {
      // I just passed the tag to it, and it is close: most of the way out
      // is away from it, keeping the inner decision's side.
      const skVec2 way = action.getDesiredSpeed() > 0 ? action.direction() : skVec2();
      if (way.dot(-1.0 * towards) < awayShare) {
        const skVec2 side = way - way.dot(towards) * towards;
        const skReal lateral = std::sqrt(1 - awayShare * awayShare);
        action.setDesiredDirection(side.isAlmostZero()
                                       ? -1.0 * towards
                                       : (lateral * side.normalized() - awayShare * towards));
        action.setDesiredSpeed(1);
      }
      return;
    }
  }
  if (action.getDesiredSpeed() <= 0) return;
  skVec2 way = action.direction();
  const skReal closing = way.dot(towards);
  if (closing <= 0) return;
  way = way - closing * towards;
  // Sideways is kept when there is enough of it; otherwise step back.
  action.setDesiredDirection(way.length() > 0.2 ? way.normalized() : -1.0 * towards);
}

}  // namespace skivo
