// skPerception: how controllers see the world, from the point of view of one
// character ("me", bound with setMe before each character decides). One
// perception is shared by every controller of a scenario and keeps the tag
// history. The three searches (nearest character, nearest obstacle, next
// collider) are memoised until the next setMe.
// Positions and directions are 2-element vectors in world units; relative
// positions and distances are plain differences (they ignore the arena's
// wrapping) unless the world's edges are seamless (skGameState::isSeamless),
// when they, the searches and the ray cast take the shortest way across the
// edges; times are milliseconds of game time. Pointers held here are never
// freed by it.
#pragma once

#include <utility>
#include <vector>

#include "skObserver.h"
#include "skRandom.h"
#include "skVec.h"
#include "skVec2.h"

namespace skivo {

class skGameState;
class skCharacter;
class skObstacle;

class skPerception : public skObserver {
 public:
  // Threshold of the "recently tagged" queries; they are not implemented.
  static const int recentThreshold;

  explicit skPerception(skGameState* gs);
  ~skPerception() override;

  // Binds to c (not null, checked) and clears the memo.
  void setMe(skCharacter* c) final;
  // Records that c (not null, and "it": checked) is now tagged.
  void setTagged(skCharacter* c) final;
  skCharacter* getMe() const { return me; }
  skCharacter* getTagged() const { return tagged; }
  // Who was "it" before the one who is now; null before the first hand-over.
  skCharacter* getLastTagged() const { return lastTagged; }
  // Game time in milliseconds.
  int getTime();
  int getFrame();
  skGameState* getGameState() { return gs; }
  // The world's random generator, for controllers that draw.
  skRandom& getRandom();

  // About me.
  skRealVec myPosition() const;
  skRealVec myOrientation() const;
  skRealVec myVelocity() const;
  skReal myMaxExtent() const;
  skReal mySpeed() const;
  skReal myMaxSpeed() const;
  // How far I reach along the unit direction d: my radius (I am a disk).
  skReal myExtent(const skVec<skReal>& d) const;

  // Tag state.
  bool myselfTagged() const;
  // Who was "it" right before me the last time I was tagged; null if nobody.
  const skCharacter* whoLastTaggedMe() const;
  // Not implemented: fatal "not implemented".
  int myRecentTaggedCount() const;
  bool myselfRecentlyTagged() const;

  // The tagged character; each checks that someone is tagged ("tagged").
  skRealVec taggedPosition() const;
  skRealVec taggedRelativePosition() const;
  skReal distanceToTagged() const;
  skRealVec taggedVelocity() const;
  skReal distanceSquaredToTagged() const;
  // Where the tagged character will be in one second at its current velocity.
  skRealVec taggedFuturePosition() const;

  // The nearest other character (ties: lower character index). Needs at
  // least one other character ("who").
  skCharacter* nearestCharacter() const;
  skRealVec nearestCharacterPosition() const;
  skRealVec nearestCharacterRelativePosition() const;
  skReal distanceToNearestCharacter() const;
  skReal distanceSquaredToNearestCharacter() const;

  // The nearest obstacle other than me (characters included; "which").
  skObstacle* nearestObstacle() const;
  skRealVec nearestObstaclePosition() const;
  skRealVec nearestObstacleRelativePosition() const;
  skReal distanceSquaredToNearestObstacle() const;
  skReal distanceToNearestObstacle() const;
  skReal distanceTo(const skObstacle& o) const;
  skRealVec position(const skObstacle& o) const;
  skRealVec relativePosition(const skObstacle& o) const;
  skReal distanceSquaredTo(const skObstacle& o) const;

  // The obstacle that the ray from my centre along my heading meets first,
  // or null (a null result is searched again on the next call). With
  // seamless edges the ray runs on across them for half the arena's
  // narrower side (rayAcrossEdges) and meets each circle where it lies
  // nearest me.
  skObstacle* nextCollider() const;
  // Where that ray meets it, or (Inf, Inf); across a seamless edge, the point
  // on the far side of the edge I crossed (it may lie outside the arena), so
  // that the point less my position is the way there.
  skRealVec nextCollisionPoint() const;
  // The unit normal from the next collider, where the ray meets it, towards
  // my centre; (0, 0) when there is none.
  skVec2 nextColliderNormal() const;
  // How far a ray across seamless edges runs, in world units.
  skReal rayAcrossEdges() const;
  // Distance in world units from my centre to that point (not a time, despite
  // the name), or Inf. Checks that I am not moving away from it ("0 <= myVel").
  skReal timeToCollision() const;

  // By the shortest way across the arena's wrapped edges (world units), as a
  // player sees the arena: the offset from me to o's centre, to the tagged
  // character's ("tagged") and to the nearest other character's by that
  // measure ("who"); the distance between rims, as distanceTo measures it.
  skRealVec shortestWayTo(const skObstacle& o) const;
  skRealVec shortestWayToTagged() const;
  skReal shortestDistanceToTagged() const;
  skCharacter* nearestCharacterAcrossEdges() const;
  skRealVec shortestWayToNearestCharacter() const;
  // The offset from my centre to p by the shortest way; no allocation.
  skVec2 shortestOffsetTo(const skVec2& p) const;
  // How a controller measures the way to the others: as the queries above
  // that do not say "shortest" (plain differences unless the edges are
  // seamless), or always by the shortest way across the wrapped edges, as a
  // person looking at the screen sees them.
  enum class Measure { asSeen, shortestWay };

  // How far the ray from my centre along the unit vector v runs before it
  // meets a fixed obstacle (infinite mass), less my radius, as nextCollider
  // measures; Inf when it meets none within `within` (world units). No
  // allocation; a short reach looks at a few cells only.
  skReal clearance(const skVec2& v, skReal within = Inf) const;

  // The engine's forms of the vector queries, as skVec2 values (no
  // allocation): the tagged character's and the nearest character's place
  // relative to mine (with the checks of taggedRelativePosition and
  // nearestCharacterRelativePosition), and nextCollisionPoint.
  skVec2 offsetToTagged() const;
  skVec2 offsetToNearestCharacter() const;
  skVec2 collisionPoint() const;

 private:
  skGameState* gs;
  skCharacter* me;
  skCharacter* tagged;
  skCharacter* lastTagged;
  // Who was "it" before each character the last time it was tagged; a few
  // entries, one per character ever tagged, searched in turn.
  std::vector<std::pair<skCharacter*, skCharacter*>> lastTaggedByList;
  mutable std::vector<skObstacle*> objectCache;
  // With seamless edges: the way from my centre to where the ray meets the
  // memoised next collider.
  mutable skVec2 nextWay;

  void updateLastTagged();
  // With seamless edges: how far along the ray from my centre along the
  // unit v obstacle o (not me) is first met, o taken where it lies nearest
  // me (circles; other obstacles where they lie), or Inf; way: from my
  // centre to that point.
  skReal meetAcrossEdges(const skObstacle& o, const skVec2& v, skVec2& way) const;
  skObstacle* nextColliderAcrossEdges() const;
  skReal clearanceAcrossEdges(const skVec2& v, skReal within) const;
};

}  // namespace skivo
