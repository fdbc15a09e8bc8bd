#include "skControllerNoTagBack.h"

#include "skCharacter.h"
#include "skGameState.h"
#include "skPerception.h"

namespace skivo {

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
  if (!other || action.getDesiredSpeed() <= 0) return;
  const skVec2 towards = perception->shortestOffsetTo(other->position()).normalized();
  skVec2 way = action.direction();
  const skReal closing = way.dot(towards);
  if (closing <= 0) return;
  way = way - closing * towards;
  // Sideways is kept when there is enough of it; otherwise step back.
  action.setDesiredDirection(way.length() > 0.2 ? way.normalized() : -1.0 * towards);
}

}  // namespace skivo
