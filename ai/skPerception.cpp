#include "skPerception.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "skCharacter.h"
#include "skGameState.h"
#include "skObstacleGrid.h"
#include "skTimer.h"
#include "skUtil2D.h"

namespace skivo {

namespace {
enum CacheEntry { nearestCharacterEntry = 0, nearestObstacleEntry = 1, nextColliderEntry = 2 };
const skReal largestFinite = std::numeric_limits<skReal>::max();
// What a controller that looks at "it" before anyone is tagged is told.
const char* const nobodyIt = "nobody is \"it\" yet: make a character \"it\" before the first step";
}  // namespace

// Ten seconds; nothing reads it while recent tagging is not implemented.
const int skPerception::recentThreshold = 10000;

skPerception::skPerception(skGameState* g)
    : gs(g), me(nullptr), tagged(nullptr), lastTagged(nullptr), objectCache(3, nullptr) {}

skPerception::~skPerception() = default;

void skPerception::setMe(skCharacter* c) {
  me = c;
  skAssert(me);
  // Three entries, cleared one by one: cheaper than a fill once a step per character.
  objectCache[nearestCharacterEntry] = nullptr;
  objectCache[nearestObstacleEntry] = nullptr;
  objectCache[nextColliderEntry] = nullptr;
}

void skPerception::setTagged(skCharacter* c) {
  skCharacter* t = c;
  {
    skCharacter* tagged = t;
    skAssert(tagged);
    skAssert(tagged->getIsTagged());
  }
  lastTagged = tagged;
  tagged = t;
  updateLastTagged();
}

void skPerception::updateLastTagged() {
  for (auto& entry : lastTaggedByList) {
    if (entry.first == tagged) {
      entry.second = lastTagged;
      return;
    }
  }
  // Room for every character of the world at the first tag, so that later
  // first tags of others do not allocate in the middle of a match.
  lastTaggedByList.reserve(
      std::max<size_t>(lastTaggedByList.size() + 1, static_cast<size_t>(gs->getCharacterCount())));
  lastTaggedByList.emplace_back(tagged, lastTagged);
}

int skPerception::getTime() { return gs->getTimer()->gameTime(); }

int skPerception::getFrame() { return gs->getFrame(); }

skRandom& skPerception::getRandom() { return gs->getRandom(); }

skRealVec skPerception::myPosition() const { return me->getPosition(); }

skRealVec skPerception::myOrientation() const { return me->getOrientation(); }

skRealVec skPerception::myVelocity() const { return me->getVelocity(); }

skReal skPerception::myMaxExtent() const { return me->getRadius(); }

skReal skPerception::mySpeed() const { return me->getSpeed(); }

skReal skPerception::myMaxSpeed() const { return me->getMaxSpeed(); }

skReal skPerception::myExtent(const skVec<skReal>&) const { return me->getRadius(); }

bool skPerception::myselfTagged() const { return tagged == me; }

const skCharacter* skPerception::whoLastTaggedMe() const {
  for (const auto& entry : lastTaggedByList) {
    if (entry.first == me) return entry.second;
  }
  return nullptr;
}

int skPerception::myRecentTaggedCount() const { skUtil::error("not implemented"); }

bool skPerception::myselfRecentlyTagged() const { skUtil::error("not implemented"); }

skRealVec skPerception::taggedPosition() const {
  skAssertMsg(tagged, nobodyIt);
  return tagged->getPosition();
}

skRealVec skPerception::taggedRelativePosition() const { return offsetToTagged().toVec(); }

skVec2 skPerception::offsetToTagged() const {
  skAssertMsg(tagged, nobodyIt);
  return gs->offset(me->position(), tagged->position());
}

skReal skPerception::distanceToTagged() const {
  skAssertMsg(tagged, nobodyIt);
  if (gs->isSeamless()) return gs->distance(*me, *tagged);
  return me->distanceTo(static_cast<const skObstacleCircle&>(*tagged));
}

skRealVec skPerception::taggedVelocity() const {
  skAssertMsg(tagged, nobodyIt);
  return tagged->getVelocity();
}

skReal skPerception::distanceSquaredToTagged() const {
  const skReal d = distanceToTagged();
  return d * d;
}

skRealVec skPerception::taggedFuturePosition() const {
  skAssertMsg(tagged, nobodyIt);
  return (tagged->position() + tagged->velocity()).toVec();
}

skCharacter* skPerception::nearestCharacter() const {
  if (objectCache[nearestCharacterEntry]) {
    return static_cast<skCharacter*>(objectCache[nearestCharacterEntry]);
  }
  skCharacter* who = nullptr;
  skReal bestDistance = Inf;
  const int count = gs->getCharacterCount();
  for (int i = 0; i < count; ++i) {
    skCharacter* c = gs->getCharacter(i);
    if (c == me) continue;
    const skReal d = distanceTo(*c);
    if (d < bestDistance) {
      who = c;
      bestDistance = d;
    }
  }
  skAssert(who);
  objectCache[nearestCharacterEntry] = who;
  return who;
}

skRealVec skPerception::nearestCharacterPosition() const {
  return nearestCharacter()->getPosition();
}

skRealVec skPerception::nearestCharacterRelativePosition() const {
  return offsetToNearestCharacter().toVec();
}

skVec2 skPerception::offsetToNearestCharacter() const {
  return gs->offset(me->position(), nearestCharacter()->position());
}

skReal skPerception::distanceToNearestCharacter() const {
  if (gs->isSeamless()) return gs->distance(*me, *nearestCharacter());
  return me->distanceTo(static_cast<const skObstacleCircle&>(*nearestCharacter()));
}

skReal skPerception::distanceSquaredToNearestCharacter() const {
  const skReal d = distanceToNearestCharacter();
  return d * d;
}

skObstacle* skPerception::nearestObstacle() const {
  if (objectCache[nearestObstacleEntry]) return objectCache[nearestObstacleEntry];
  skObstacle* which = nullptr;
  skReal bestDistance = Inf;
  const int count = gs->getObstacleCount();
  for (int i = 0; i < count; ++i) {
    skObstacle* o = gs->getObstacle(i);
    if (o == me) continue;
    const skReal d = distanceTo(*o);
    if (d < bestDistance) {
      which = o;
      bestDistance = d;
    }
  }
  skAssert(which);
  objectCache[nearestObstacleEntry] = which;
  return which;
}

skRealVec skPerception::nearestObstaclePosition() const { return nearestObstacle()->getPosition(); }

skRealVec skPerception::nearestObstacleRelativePosition() const {
  return gs->offset(me->position(), nearestObstacle()->position()).toVec();
}

skReal skPerception::distanceToNearestObstacle() const { return distanceTo(*nearestObstacle()); }

skReal skPerception::distanceSquaredToNearestObstacle() const {
  const skReal d = distanceToNearestObstacle();
  return d * d;
}

skReal skPerception::distanceTo(const skObstacle& o) const {
  if (gs->isSeamless()) return gs->distance(*me, o);
  return static_cast<const skObstacle*>(me)->distanceTo(o);
}

skRealVec skPerception::position(const skObstacle& o) const { return o.getPosition(); }

skRealVec skPerception::relativePosition(const skObstacle& o) const {
  return gs->offset(me->position(), o.position()).toVec();
}

skReal skPerception::distanceSquaredTo(const skObstacle& o) const {
  const skReal d = distanceTo(o);
  return d * d;
}

skVec2 skPerception::shortestOffsetTo(const skVec2& p) const {
  const skRealVec& size = gs->getWorldDim();
  return skUtil2D::shortestOffset(me->position(), p, skVec2(size[0], size[1]));
}

skRealVec skPerception::shortestWayTo(const skObstacle& o) const {
  return shortestOffsetTo(o.position()).toVec();
}

skRealVec skPerception::shortestWayToTagged() const {
  skAssertMsg(tagged, nobodyIt);
  return shortestWayTo(*tagged);
}

skReal skPerception::shortestDistanceToTagged() const {
  skAssertMsg(tagged, nobodyIt);
  return shortestOffsetTo(tagged->position()).length() - me->getRadius() - tagged->getRadius();
}

skCharacter* skPerception::nearestCharacterAcrossEdges() const {
  skCharacter* who = nullptr;
  skReal bestDistance = Inf;
  for (int i = 0; i < gs->getCharacterCount(); ++i) {
    skCharacter* c = gs->getCharacter(i);
    if (c == me) continue;
    const skReal d = shortestOffsetTo(c->position()).length() - c->getRadius();
    if (d < bestDistance) {
      who = c;
      bestDistance = d;
    }
  }
  skAssertMsg(who, "no other character to be near: the world needs two characters or more");
  return who;
}

skRealVec skPerception::shortestWayToNearestCharacter() const {
  return shortestWayTo(*nearestCharacterAcrossEdges());
}

skObstacle* skPerception::nextCollider() const {
  if (objectCache[nextColliderEntry]) return objectCache[nextColliderEntry];
  if (gs->isSeamless()) return nextColliderAcrossEdges();
  const skVec2& p = me->position();
  const skVec2& v = me->orientation();
  const skReal extent = myMaxExtent();
  skObstacle* best = nullptr;
  int bestIndex = -1;
  skReal bestDistance = Inf;
  // The nearest hit wins; of equal ones, the lowest obstacle index, as in a
  // scan of every obstacle in index order.
  auto consider = [&](int j) {
    skObstacle* o = gs->getObstacle(j);
    if (o == me) return;
    const skVec2 hit = o->rayHit(p, v);
    // Infinite and NaN lengths (no intersection) are skipped.
    if (!(hit.length() <= largestFinite)) return;
    const skReal d = (hit - p).length() - extent;
    if (d < bestDistance || (d == bestDistance && j < bestIndex)) {
      best = o;
      bestIndex = j;
      bestDistance = d;
    }
  };
  const skObstacleGrid& grid = gs->getObstacleGrid();
  for (int j : grid.alwaysTested()) consider(j);
  // Circles along the ray, until no cell can hold a nearer hit: a hit at
  // distance t along the ray lies in a cell entered before t (one unit of
  // margin for rounding).
  const bool walked = grid.alongRay(p, v, [&](int j) {
    consider(j);
    return bestDistance + extent + 1.0;
  });
  if (!walked) {
    for (int j = 0; j < gs->getObstacleCount(); ++j) consider(j);
  }
  objectCache[nextColliderEntry] = best;
  return best;
}

skReal skPerception::clearance(const skVec2& v, skReal within) const {
  if (gs->isSeamless()) return clearanceAcrossEdges(v, within);
  const skVec2& p = me->position();
  const skReal reach = within + me->getRadius();
  skReal best = Inf;
  auto consider = [&](int j) {
    const skObstacle* o = gs->getObstacle(j);
    if (o == me || o->getMass() < Inf) return;
    const skVec2 hit = o->rayHit(p, v);
    if (hit.isFinite()) best = std::min(best, (hit - p).length());
  };
  const skObstacleGrid& grid = gs->getObstacleGrid();
  for (int j : grid.alwaysTested()) consider(j);
  const bool walked = grid.alongRay(p, v, [&](int j) {
    consider(j);
    return std::min(best, reach) + 1.0;
  });
  if (!walked) {
    for (int j = 0; j < gs->getObstacleCount(); ++j) consider(j);
  }
  return best <= reach ? best - me->getRadius() : Inf;
}

skVec2 skPerception::collisionPoint() const {
  if (!objectCache[nextColliderEntry]) nextCollider();
  const skObstacle* o = objectCache[nextColliderEntry];
  if (!o) return {Inf, Inf};
  if (gs->isSeamless()) return me->position() + nextWay;
  return o->rayHit(me->position(), me->orientation());
}

skVec2 skPerception::nextColliderNormal() const {
  const skObstacle* o = nextCollider();
  if (!o) return {};
  return gs->contactNormal(*o, *me);
}

skReal skPerception::rayAcrossEdges() const {
  const skRealVec& size = gs->getWorldDim();
  return 0.5 * std::min(size[0], size[1]);
}

skReal skPerception::meetAcrossEdges(const skObstacle& o, const skVec2& v, skVec2& way) const {
  skVec2 from = me->position();
  // My centre as the circle sees it from its own place: the ray then meets
  // the circle where it lies nearest me.
  if (const skObstacleCircle* c = skGameState::plainCircle(o)) {
    from = c->position() - gs->offset(from, c->position());
  }
  const skVec2 hit = o.rayHit(from, v);
  if (!hit.isFinite()) return Inf;
  way = hit - from;
  return way.length();
}

skObstacle* skPerception::nextColliderAcrossEdges() const {
  const skVec2& v = me->orientation();
  const skReal extent = myMaxExtent();
  const skReal length = rayAcrossEdges();
  skObstacle* best = nullptr;
  int bestIndex = -1;
  skReal bestDistance = Inf;
  skVec2 bestWay;
  // As nextCollider: the nearest hit, then the lowest obstacle index.
  auto consider = [&](int j) {
    skObstacle* o = gs->getObstacle(j);
    if (o == me) return;
    skVec2 way;
    const skReal t = meetAcrossEdges(*o, v, way);
    if (!(t <= length)) return;
    const skReal d = t - extent;
    if (d < bestDistance || (d == bestDistance && j < bestIndex)) {
      best = o;
      bestIndex = j;
      bestDistance = d;
      bestWay = way;
    }
  };
  const skObstacleGrid& grid = gs->getObstacleGrid();
  for (int j : grid.alwaysTested()) consider(j);
  const bool walked = grid.alongRayAcrossEdges(me->position(), v, length, [&](int j) {
    consider(j);
    return bestDistance + extent + 1.0;
  });
  if (!walked) {
    for (int j = 0; j < gs->getObstacleCount(); ++j) consider(j);
  }
  objectCache[nextColliderEntry] = best;
  nextWay = bestWay;
  return best;
}

skReal skPerception::clearanceAcrossEdges(const skVec2& v, skReal within) const {
  const skReal reach = std::min(within + me->getRadius(), rayAcrossEdges());
  skReal best = Inf;
  auto consider = [&](int j) {
    const skObstacle* o = gs->getObstacle(j);
    if (o == me || o->getMass() < Inf) return;
    skVec2 way;
    best = std::min(best, meetAcrossEdges(*o, v, way));
  };
  const skObstacleGrid& grid = gs->getObstacleGrid();
  for (int j : grid.alwaysTested()) consider(j);
  const bool walked = grid.alongRayAcrossEdges(me->position(), v, reach, [&](int j) {
    consider(j);
    return std::min(best, reach) + 1.0;
  });
  if (!walked) {
    for (int j = 0; j < gs->getObstacleCount(); ++j) consider(j);
  }
  return best <= reach ? best - me->getRadius() : Inf;
}

skRealVec skPerception::nextCollisionPoint() const { return collisionPoint().toVec(); }

skReal skPerception::timeToCollision() const {
  const skVec2 p = collisionPoint();
  if (p.length() > largestFinite) return Inf;
  const skVec2 r = p - me->position();
  // A hit within the tolerance behind my centre (my centre on the rim, where
  // an obstacle that ended a step's resolution left me) is where I am, not a
  // point I move away from.
  if (skMath::isAlmostZero(r.length())) return r.length();
  const skReal myVel = r.dot(me->velocity());
  skAssert(0 <= myVel);
  return r.length();
}

}  // namespace skivo
