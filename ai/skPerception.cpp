#include "skPerception.h"

#include <cmath>
#include <limits>

#include "skCharacter.h"
#include "skGameState.h"
#include "skTimer.h"

namespace skivo {

namespace {
enum CacheEntry { nearestCharacterEntry = 0, nearestObstacleEntry = 1, nextColliderEntry = 2 };
const skReal largestFinite = std::numeric_limits<skReal>::max();
}  // namespace

// Ten seconds; nothing reads it while recent tagging is not implemented.
const int skPerception::recentThreshold = 10000;

skPerception::skPerception(skGameState* g)
    : gs(g), me(nullptr), tagged(nullptr), lastTagged(nullptr), objectCache(3, nullptr) {}

skPerception::~skPerception() = default;

void skPerception::setMe(skCharacter* c) {
  me = c;
  skAssert(me);
  objectCache.assign(3, nullptr);
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

void skPerception::updateLastTagged() { lastTaggedByList[tagged] = lastTagged; }

int skPerception::getTime() { return gs->getTimer()->gameTime(); }

int skPerception::getFrame() { return gs->getFrame(); }

skRandom& skPerception::getRandom() { return gs->getRandom(); }

const skRealVec& skPerception::myPosition() const { return me->getPosition(); }

const skRealVec& skPerception::myOrientation() const { return me->getOrientation(); }

skRealVec skPerception::myVelocity() const { return me->getVelocity(); }

skReal skPerception::myMaxExtent() const { return me->getRadius(); }

skReal skPerception::mySpeed() const { return me->getSpeed(); }

skReal skPerception::myMaxSpeed() const { return me->getMaxSpeed(); }

skReal skPerception::myExtent(const skVec<skReal>&) const { return me->getRadius(); }

bool skPerception::myselfTagged() const { return tagged == me; }

const skCharacter* skPerception::whoLastTaggedMe() const {
  const auto it = lastTaggedByList.find(me);
  return it == lastTaggedByList.end() ? nullptr : it->second;
}

int skPerception::myRecentTaggedCount() const { skUtil::error("not implemented"); }

bool skPerception::myselfRecentlyTagged() const { skUtil::error("not implemented"); }

const skRealVec& skPerception::taggedPosition() const {
  skAssert(tagged);
  return tagged->getPosition();
}

skRealVec skPerception::taggedRelativePosition() const {
  skAssert(tagged);
  return taggedPosition().relativeTo(myPosition());
}

skReal skPerception::distanceToTagged() const {
  skAssert(tagged);
  return me->distanceTo(static_cast<const skObstacleCircle&>(*tagged));
}

skRealVec skPerception::taggedVelocity() const {
  skAssert(tagged);
  return tagged->getVelocity();
}

skReal skPerception::distanceSquaredToTagged() const {
  const skReal d = distanceToTagged();
  return d * d;
}

skRealVec skPerception::taggedFuturePosition() const {
  skRealVec p(taggedPosition());
  p.add(taggedVelocity());
  return p;
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

const skRealVec& skPerception::nearestCharacterPosition() const {
  return nearestCharacter()->getPosition();
}

skRealVec skPerception::nearestCharacterRelativePosition() const {
  return nearestCharacterPosition().relativeTo(myPosition());
}

skReal skPerception::distanceToNearestCharacter() const {
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
  return nearestObstaclePosition().relativeTo(myPosition());
}

skReal skPerception::distanceToNearestObstacle() const { return distanceTo(*nearestObstacle()); }

skReal skPerception::distanceSquaredToNearestObstacle() const {
  const skReal d = distanceToNearestObstacle();
  return d * d;
}

skReal skPerception::distanceTo(const skObstacle& o) const {
  return static_cast<const skObstacle*>(me)->distanceTo(o);
}

skRealVec skPerception::position(const skObstacle& o) const { return o.getPosition(); }

skRealVec skPerception::relativePosition(const skObstacle& o) const {
  return o.getPosition().relativeTo(myPosition());
}

skReal skPerception::distanceSquaredTo(const skObstacle& o) const {
  const skReal d = distanceTo(o);
  return d * d;
}

skObstacle* skPerception::nextCollider() const {
  if (objectCache[nextColliderEntry]) return objectCache[nextColliderEntry];
  const skRealVec& p = myPosition();
  const skRealVec& v = myOrientation();
  const skReal point[2] = {p[0], p[1]};
  const skReal direction[2] = {v[0], v[1]};
  const skReal extent = myMaxExtent();
  skObstacle* best = nullptr;
  skReal bestDistance = Inf;
  const int count = gs->getObstacleCount();
  for (int i = 0; i < count; ++i) {
    skObstacle* o = gs->getObstacle(i);
    if (o == me) continue;
    skReal hit[2];
    o->calcIntersection(point, direction, hit);
    // Infinite and NaN lengths (no intersection) are skipped.
    if (!(std::sqrt(hit[0] * hit[0] + hit[1] * hit[1]) <= largestFinite)) continue;
    const skReal dx = hit[0] - point[0];
    const skReal dy = hit[1] - point[1];
    const skReal d = std::sqrt(dx * dx + dy * dy) - extent;
    if (d < bestDistance) {
      best = o;
      bestDistance = d;
    }
  }
  objectCache[nextColliderEntry] = best;
  return best;
}

bool skPerception::calcNextCollisionPoint(skReal out[2]) const {
  if (!objectCache[nextColliderEntry]) nextCollider();
  const skObstacle* o = objectCache[nextColliderEntry];
  if (!o) {
    out[0] = Inf;
    out[1] = Inf;
    return false;
  }
  const skRealVec& p = myPosition();
  const skRealVec& v = myOrientation();
  const skReal point[2] = {p[0], p[1]};
  const skReal direction[2] = {v[0], v[1]};
  o->calcIntersection(point, direction, out);
  return true;
}

skRealVec skPerception::nextCollisionPoint() const {
  skRealVec p(2);
  calcNextCollisionPoint(&p[0]);
  return p;
}

skReal skPerception::timeToCollision() const {
  skReal p[2];
  calcNextCollisionPoint(p);
  if (std::sqrt(p[0] * p[0] + p[1] * p[1]) > largestFinite) return Inf;
  const skRealVec& pos = myPosition();
  const skReal rx = p[0] - pos[0];
  const skReal ry = p[1] - pos[1];
  skReal vx, vy;
  me->getVelocity(vx, vy);
  const skReal myVel = 0.0 + rx * vx + ry * vy;
  skAssert(0 <= myVel);
  return std::sqrt(rx * rx + ry * ry);
}

}  // namespace skivo
