// skGameState: the world. Owns every object placed in it (characters and
// obstacles) and keeps three index spaces apart:
//   object index   - position in the list of all objects (skObject::getGSIndex);
//   obstacle index - position among the obstacles (every character is one too);
//   character index - position among the characters, also the collider table's.
// It also holds the world size (world units), the frame counter, the game clock
// (not owned), the collider table of the current step, the last tag time and
// the world's own random generator, from which everything random in this world
// draws (its layout, wandering, the learners' exploration), and whether its
// edges are seamless: then collisions, tags and the perception measure the
// shortest way across the wrapped edges, and renderers draw a disk that
// crosses an edge on both sides.
#pragma once

#include <memory>
#include <vector>

#include "skRandom.h"
#include "skUtil2D.h"
#include "skVec.h"
#include "skVec2.h"

namespace skivo {

class skObject;
class skObstacle;
class skObstacleCircle;
class skObstacleGrid;
class skCharacter;
class skTimer;

class skGameState {
 public:
  // Sentinel for "no one".
  static constexpr int nobody = -1;

  // An empty 512 x 512 world with no clock.
  skGameState();
  explicit skGameState(const skRealVec& worldDim);
  // Deletes every object, in object-index order; the clock is not touched.
  ~skGameState();
  skGameState(const skGameState&) = delete;
  skGameState& operator=(const skGameState&) = delete;

  // Takes ownership; returns the new object index.
  int addObstacle(skObstacle* o);
  // Adds c as an obstacle and as a character; returns its object index.
  int addCharacter(skCharacter* c);

  unsigned int getObjectCount() const { return static_cast<unsigned int>(objects.size()); }
  // Preconditions: indices below the matching count (not checked).
  skObject* getObject(int k) { return objects[k]; }
  int getCharacterCount() const { return static_cast<int>(characterIndices.size()); }
  skCharacter* getCharacter(int i) { return characters[i]; }
  int getObstacleCount() const { return static_cast<int>(obstacleIndices.size()); }
  skObstacle* getObstacle(int j) { return obstacles[j]; }

  // Character / obstacle index of the object with object index i; fatal
  // ("index: <i> not found") when there is none.
  int getCharacterIndex(int i) const;
  int getObstacleIndex(int i) const;

  const skRealVec& getWorldDim() const { return worldDim; }

  // Off by default (positions compared by plain differences). Precondition
  // for on: a world of two sizes above 0 (checked).
  void setSeamless(bool on);
  bool isSeamless() const { return seamless; }
  // The offset from `from` to `to` in world units: by the shortest way across
  // the edges when they are seamless, else the plain difference.
  skVec2 offset(const skVec2& from, const skVec2& to) const {
    return seamless ? skUtil2D::shortestOffset(from, to, size) : to - from;
  }
  // The distance between a's and b's rims (negative while they overlap): by
  // the shortest way when the edges are seamless and both are plain circles
  // (see plainCircle), else as a measures it (a.distanceTo(b)).
  skReal distance(const skObstacle& a, const skObstacle& b) const;
  // The unit normal from c towards o, as the collision response pushes them
  // apart; across an edge under the same condition as distance.
  skVec2 contactNormal(const skObstacle& c, const skObstacle& o) const;
  // o as a circle when it is of the exact type skObstacleCircle or
  // skCharacter, whose distance is the circle distance; else null.
  static const skObstacleCircle* plainCircle(const skObstacle& o);

  // Precondition: a clock is set (checked, "timer").
  skTimer* getTimer() const {
    skAssert(timer);
    return timer;
  }
  // The clock is not owned.
  void setTimer(skTimer* t) { timer = t; }

  int getFrame() const { return frame; }
  void incFrame() { ++frame; }

  // Rebuilds the collider table: for each character, the highest obstacle
  // index it is colliding with (touching and closing in), or -1. Returns the
  // number of colliding (character, obstacle) pairs.
  int calcColliders();
  // Character index i; meaningful after calcColliders().
  bool isColliding(int i) const { return colliders[i] >= 0; }
  int getCollider(int i) const { return colliders[i]; }
  bool isColliding(const skCharacter& c) const;
  // The character c collides with, or null when its collider is none or not a character.
  skCharacter* getCollider(const skCharacter& c);
  // Whether character i's collider is a character that is "it".
  bool isCollidingTagged(int i) const;
  bool isCollidingTagged(const skCharacter& c) const;

  // This world's random generator; it starts as the unseeded rand() does.
  skRandom& getRandom() { return random; }

  // The grid of fixed circles, brought up to date first (obstacles added,
  // moved or resized since the last use); for searches near a place or along a ray.
  const skObstacleGrid& getObstacleGrid() {
    if (!gridValid) buildGrid();
    return *grid;
  }
  // Called by a fixed circle in the grid whose place or size changed.
  void fixedObstacleChanged() { gridValid = false; }

  // Game time (ms) of the most recent change of "it", or -1.
  int getLastTaggedTime() const { return lastTagTime; }
  // Records that "it" changed now (the clock's game time).
  void setTagged();

 private:
  std::vector<skObject*> objects;
  int frame;
  std::vector<int> characterIndices;
  std::vector<int> obstacleIndices;
  skRealVec worldDim;
  skTimer* timer;
  std::vector<int> colliders;
  int lastTagTime;
  skRandom random;
  // The obstacles by obstacle index, and their grid; the collider search of
  // a plain character (exact type skCharacter, whose distance is the circle
  // distance) tests only the obstacles the grid finds near it.
  std::vector<skObstacle*> obstacles;
  std::vector<skCharacter*> characters;
  // Per character index, its obstacle index.
  std::vector<int> characterObstacles;
  // Per obstacle index: the obstacle when it is a plain circle or a plain
  // character (exact types, whose distance is the circle distance), else null.
  std::vector<const skObstacleCircle*> plainCircles;
  // The library's own (skObstacleGrid.h is not installed): by pointer, so
  // that this header needs only its name.
  std::unique_ptr<skObstacleGrid> grid;
  bool gridValid = false;
  void buildGrid();
  bool seamless = false;
  // The world size as a vector, for the measures across the edges.
  skVec2 size;
  // calcColliders' search, for plain and for seamless edges: near(p, r,
  // visit) visits the indices of the grid's circles near a character's
  // centre p and radius r; far(a, b) tells, the same both ways round, that
  // two plain circles cannot touch; collides(c, j) whether character c
  // collides with obstacle j.
  template <class Near, class Far, class Collides>
  int findColliders(const Near& near, const Far& far, const Collides& collides);
  // Brought up to date with the grid: the character indices of the plain
  // characters, which the search pairs once a pair, and the obstacles the
  // grid always tests but those characters.
  std::vector<int> plainCharacters;
  std::vector<int> alwaysTestedOthers;

  static int indexOf(const std::vector<int>& list, int i);
};

}  // namespace skivo
