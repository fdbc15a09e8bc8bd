#include "skControllerDodge.h"

#include <cmath>

#include "skCharacter.h"
#include "skGameState.h"
#include "skObstacleCircle.h"
#include "skPerception.h"

namespace skivo {

namespace {

// An edge lies away from "it" when its outward normal is within 60 degrees
// of the way straight away.
const skReal edgeAwayCosine = 0.5;

// The immovable circle o, or null (characters move; other shapes are walls).
const skObstacleCircle* fixedCircle(const skObstacle& o) {
  if (o.getMass() < Inf) return nullptr;
  return dynamic_cast<const skObstacleCircle*>(&o);
}

}  // namespace

skControllerDodge::skControllerDodge(skPerception* p, const Settings& s)
    : skController(p), settings(s) {
  // Looked up now, while the world is being made, so that play allocates nothing.
  if (p && p->getGameState()) fixedCircles();
}

skControllerDodge::skControllerDodge(skPerception* p) : skControllerDodge(p, Settings()) {}

skControllerDodge::~skControllerDodge() = default;

const std::vector<const skObstacleCircle*>& skControllerDodge::fixedCircles() const {
  skGameState* gs = perception->getGameState();
  if (gs->getObstacleCount() != obstaclesSeen) {
    obstaclesSeen = gs->getObstacleCount();
    circles.clear();
    for (int j = 0; j < obstaclesSeen; ++j) {
      if (const skObstacleCircle* c = fixedCircle(*gs->getObstacle(j))) circles.push_back(c);
    }
  }
  return circles;
}

void skControllerDodge::calcAction() {
  const skCharacter* it = perception->getTagged();
  skAssertMsg(it && !perception->myselfTagged(),
              "skControllerDodge: flees from someone else who is \"it\"");
  const skVec2 toIt = perception->shortestOffsetTo(it->position());
  action.setDesiredSpeed(1.0);
  const skVec2 edge = edgeAway(toIt);
  if (!edge.isAlmostZero()) {
    choice = Choice::edge;
    action.setDesiredDirection(edge);
    return;
  }
  skVec2 spot;
  if (hideSpot(toIt, spot)) {
    choice = Choice::hide;
    if (spot.length() <= settings.arrive) {
      action.setDesiredSpeed(0.0);
    } else {
      action.setDesiredDirection(spot.normalized());
    }
    return;
  }
  choice = Choice::flee;
  action.setDesiredDirection(toIt.isAlmostZero() ? skVec2(1, 0) : -toIt.normalized());
}

skVec2 skControllerDodge::edgeAway(const skVec2& toIt) const {
  const skCharacter* me = perception->getMe();
  const skCharacter* it = perception->getTagged();
  if (toIt.length() - me->getRadius() - it->getRadius() > settings.edgeThreat) return {};
  const skVec2 away = toIt.isAlmostZero() ? skVec2() : -toIt.normalized();
  const skRealVec& size = perception->getGameState()->getWorldDim();
  const skVec2 p = me->position();
  const skReal distances[4] = {p.x, size[0] - p.x, p.y, size[1] - p.y};
  const skVec2 outwards[4] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
  skVec2 best;
  skReal nearest = settings.edgeReach;
  for (int e = 0; e < 4; ++e) {
    if (distances[e] <= nearest && outwards[e].dot(away) >= edgeAwayCosine) {
      nearest = distances[e];
      best = outwards[e];
    }
  }
  return best;
}

bool skControllerDodge::hideSpot(const skVec2& toIt, skVec2& spot) const {
  const skCharacter* me = perception->getMe();
  const skCharacter* it = perception->getTagged();
  const skReal r = me->getRadius();
  if (toIt.length() - r - it->getRadius() > settings.hideThreat) return false;
  bool found = false;
  skReal bestLead = settings.hideLead;
  const std::vector<const skObstacleCircle*>& fixed = fixedCircles();
  for (const skObstacleCircle* c : fixed) {
    const skVec2 toCircle = perception->shortestOffsetTo(c->position());
    if (toCircle.length() - c->getRadius() > settings.hideReach) continue;
    const skVec2 behind = toCircle - toIt;
    if (behind.isAlmostZero()) continue;
    const skVec2 candidate =
        toCircle + (c->getRadius() + r + settings.hideGap) * behind.normalized();
    // Never towards "it" (unless I am there already): the way there turns
    // less than a right angle from straight away, and the spot lies further
    // from it than I do.
    const bool there = candidate.length() <= settings.arrive;
    if (!there && (candidate.dot(toIt) > 0 || (candidate - toIt).length() < toIt.length())) {
      continue;
    }
    const skReal lead =
        (candidate - toIt).length() / it->getMaxSpeed() - candidate.length() / me->getMaxSpeed();
    if (lead < bestLead) continue;
    // Only a lone circle hides: one of a wall (a gap to another narrower
    // than my disk) leaves a dead end behind it, or no room at all.
    bool lone = true;
    for (size_t k = 0; k < fixed.size() && lone; ++k) {
      const skObstacleCircle* other = fixed[k];
      if (other == c) continue;
      const skVec2 apart = perception->shortestOffsetTo(other->position()) - toCircle;
      lone = apart.length() - c->getRadius() - other->getRadius() >= 2 * r;
    }
    if (!lone) continue;
    found = true;
    bestLead = lead;
    spot = candidate;
  }
  return found;
}

}  // namespace skivo
