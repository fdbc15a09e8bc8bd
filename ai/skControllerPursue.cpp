#include "skControllerPursue.h"

#include <algorithm>

#include "skCharacter.h"
#include "skPerception.h"

namespace skivo {

namespace {
// Surface distance (world units) under which the nearest character is chased
// even when someone else is "it".
const skReal closeEnough = 10.0;
}  // namespace

skControllerPursue::skControllerPursue(skPerception* p, skPerception::Measure m)
    : skController(p), measure(m), isAngry(false) {}

skControllerPursue::~skControllerPursue() = default;

void skControllerPursue::calcAction() {
  action.setDesiredSpeed(1.0);
  if (measure == skPerception::Measure::shortestWay) {
    const skCharacter* nearest = perception->nearestCharacterAcrossEdges();
    action.setDesiredDirection(perception->shortestOffsetTo(nearest->position()).normalized());
    return;
  }
  action.setDesiredDirection(perception->offsetToNearestCharacter().normalized());
}

skCharacter* skControllerPursue::calcWhoToChase() {
  skCharacter* nearest = perception->nearestCharacter();
  skCharacter* t = perception->getTagged();
  if (nearest == t) return nearest;
  if (perception->distanceToNearestCharacter() < closeEnough) return nearest;
  // Checks that someone is tagged.
  perception->distanceToTagged();
  return t;
}

void skControllerPursue::calcIsAngry() {
  if (!perception->myselfTagged()) {
    isAngry = false;
    return;
  }
  if (isAngry) return;
  skReal probability = 0.1;
  if (perception->myselfRecentlyTagged()) {
    probability = std::max(9, perception->myRecentTaggedCount()) / 10.0;
  }
  isAngry = perception->getRandom().uniform01() < probability;
}

}  // namespace skivo
