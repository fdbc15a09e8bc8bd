#include "skGameState.h"

#include <algorithm>
#include <cmath>
#include <typeinfo>

#include "skCharacter.h"
#include "skTimer.h"

namespace skivo {

namespace {
skRealVec defaultWorldDim() {
  skRealVec d(2);
  d.set(512.0);
  return d;
}
}  // namespace

skGameState::skGameState() : skGameState(defaultWorldDim()) {}

skGameState::skGameState(const skRealVec& dim)
    : frame(0),
      worldDim(dim),
      timer(nullptr),
      lastTagTime(-1),
      size(dim.size() == 2 ? skVec2(dim[0], dim[1]) : skVec2()) {}

skGameState::~skGameState() {
  for (skObject* o : objects) delete o;
}

int skGameState::addObstacle(skObstacle* o) {
  const int index = static_cast<int>(objects.size());
  o->setGSIndex(index);
  obstacleIndices.push_back(index);
  objects.push_back(o);
  obstacles.push_back(o);
  const std::type_info& type = typeid(*o);
  const bool plain = type == typeid(skObstacleCircle) || type == typeid(skCharacter);
  plainCircles.push_back(plain ? static_cast<const skObstacleCircle*>(o) : nullptr);
  gridValid = false;
  return index;
}

int skGameState::addCharacter(skCharacter* c) {
  const int index = addObstacle(c);
  characterIndices.push_back(index);
  characters.push_back(c);
  characterObstacles.push_back(static_cast<int>(obstacles.size()) - 1);
  colliders.resize(characterIndices.size(), -1);
  return index;
}

int skGameState::indexOf(const std::vector<int>& list, int i) {
  for (unsigned int k = 0; k < list.size(); ++k) {
    if (list[k] == i) return static_cast<int>(k);
  }
  skUtil::error("index: " + skUtil::itos(i) + " not found");
}

int skGameState::getCharacterIndex(int i) const { return indexOf(characterIndices, i); }

int skGameState::getObstacleIndex(int i) const { return indexOf(obstacleIndices, i); }

void skGameState::buildGrid() {
  for (skObstacle* o : obstacles) o->inGrid = false;
  // A character larger than this later is looked up the slow way.
  skReal reach = 0.0;
  for (const skCharacter* c : characters) reach = std::max(reach, c->getRadius());
  grid.build(
      obstacles,
      skVec2(worldDim.size() == 2 ? worldDim[0] : 0.0, worldDim.size() == 2 ? worldDim[1] : 0.0),
      reach);
  // Only the circles filed in cells must report a change; they are those not
  // always tested (walls are in neither and never move either).
  for (skObstacle* o : obstacles) o->inGrid = true;
  for (int j : grid.alwaysTested()) obstacles[j]->inGrid = false;
  gridValid = true;
}

void skGameState::setSeamless(bool on) {
  skAssertMsg(!on || (worldDim.size() == 2 && size.x > 0 && size.y > 0),
              "seamless edges need a world of two sizes above 0");
  seamless = on;
}

const skObstacleCircle* skGameState::plainCircle(const skObstacle& o) {
  const std::type_info& type = typeid(o);
  if (type != typeid(skObstacleCircle) && type != typeid(skCharacter)) return nullptr;
  return static_cast<const skObstacleCircle*>(&o);
}

skReal skGameState::distance(const skObstacle& a, const skObstacle& b) const {
  const skObstacleCircle* ca = seamless ? plainCircle(a) : nullptr;
  const skObstacleCircle* cb = ca ? plainCircle(b) : nullptr;
  if (!cb) return a.distanceTo(b);
  return offset(ca->position(), cb->position()).length() - ca->getRadius() - cb->getRadius();
}

skVec2 skGameState::contactNormal(const skObstacle& c, const skObstacle& o) const {
  if (seamless && plainCircle(c) && plainCircle(o)) {
    return offset(c.position(), o.position()).normalized();
  }
  return c.contactNormal(o);
}

template <class Near, class Collides>
int skGameState::findColliders(const Near& near, const Collides& collides) {
  int count = 0;
  const int characterCount = getCharacterCount();
  const int obstacleCount = getObstacleCount();
  for (int i = 0; i < characterCount; ++i) {
    const skCharacter& c = *characters[i];
    const int me = characterObstacles[i];
    // The highest colliding obstacle index wins, whatever the order of the
    // tests (they change nothing).
    int found = -1;
    const auto hit = [&](int j) {
      ++count;
      found = std::max(found, j);
    };
    if (plainCircles[me]) {
      near(c.position(), c.getRadius(), [&](int j) {
        if (j != me && collides(c, j)) hit(j);
      });
    } else {
      // A character of another type may measure distance its own way (and
      // without the edges): it is tested against everything.
      for (int j = 0; j < obstacleCount; ++j) {
        if (j != me && c.colliding(*obstacles[j])) hit(j);
      }
    }
    colliders[i] = found;
  }
  return count;
}

int skGameState::calcColliders() {
  const skObstacleGrid& grid = getObstacleGrid();
  // For two plain circles, skObstacle::colliding without its virtual calls:
  // d from c's centre to o's (o where it lies nearest when the edges are
  // seamless) and the distance between their rims, each measured as before.
  const auto circlesCollide = [](const skCharacter& c, const skObstacleCircle& o, const skVec2& d,
                                 skReal distance) {
    if (!(distance <= 0)) return false;
    const skVec2 n = d.normalized();
    return c.velocity().dot(n) > o.velocity().dot(n);
  };
  if (seamless) {
    return findColliders(
        [&grid](const skVec2& p, skReal r, auto visit) { grid.nearAcrossEdges(p, r, visit); },
        [this, &circlesCollide](const skCharacter& c, int j) {
          const skObstacleCircle* o = plainCircles[j];
          if (!o) return c.colliding(*obstacles[j]);
          const skVec2 d = offset(c.position(), o->position());
          const skReal reach = c.getRadius() + o->getRadius() + 1.0;
          if (std::fabs(d.x) > reach || std::fabs(d.y) > reach) return false;
          return circlesCollide(c, *o, d, d.length() - c.getRadius() - o->getRadius());
        });
  }
  return findColliders(
      [&grid](const skVec2& p, skReal r, auto visit) { grid.near(p, r, visit); },
      [this, &circlesCollide](const skCharacter& c, int j) {
        const skObstacleCircle* o = plainCircles[j];
        if (!o) return c.colliding(*obstacles[j]);
        // Two plain circles (the grid's already are) more than one unit apart
        // along an axis cannot touch, whatever the rounding; NaN falls through.
        const skReal reach = c.getRadius() + o->getRadius() + 1.0;
        const skVec2& p = c.position();
        if (std::fabs(o->position().x - p.x) > reach || std::fabs(o->position().y - p.y) > reach) {
          return false;
        }
        // As skObstacleCircle::distanceTo, measured from o.
        const skVec2 d = o->position() - p;
        return circlesCollide(c, *o, d, d.length() - o->getRadius() - c.getRadius());
      });
}

bool skGameState::isColliding(const skCharacter& c) const {
  return isColliding(getCharacterIndex(c.getGSIndex()));
}

skCharacter* skGameState::getCollider(const skCharacter& c) {
  const int j = getCollider(getCharacterIndex(c.getGSIndex()));
  if (j < 0) return nullptr;
  return dynamic_cast<skCharacter*>(getObstacle(j));
}

bool skGameState::isCollidingTagged(int i) const {
  const int c = colliders[i];
  if (c < 0) return false;
  const skObject* o = objects[obstacleIndices[c]];
  if (!o) return false;
  const skCharacter* ch = dynamic_cast<const skCharacter*>(o);
  return ch && ch->getIsTagged();
}

bool skGameState::isCollidingTagged(const skCharacter& c) const {
  return isCollidingTagged(getCharacterIndex(c.getGSIndex()));
}

void skGameState::setTagged() { lastTagTime = getTimer()->gameTime(); }

}  // namespace skivo
