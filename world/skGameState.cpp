#include "skGameState.h"

#include <algorithm>
#include <cmath>
#include <typeinfo>

#include "skCharacter.h"
#include "skObstacleGrid.h"
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
      grid(std::make_unique<skObstacleGrid>()),
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
  grid->build(
      obstacles,
      skVec2(worldDim.size() == 2 ? worldDim[0] : 0.0, worldDim.size() == 2 ? worldDim[1] : 0.0),
      reach);
  // Only the circles filed in cells must report a change; they are those not
  // always tested (walls are in neither and never move either).
  for (skObstacle* o : obstacles) o->inGrid = true;
  for (int j : grid->alwaysTested()) obstacles[j]->inGrid = false;
  // The collider search pairs plain characters itself.
  plainCharacters.clear();
  for (int i = 0; i < getCharacterCount(); ++i) {
    if (plainCircles[characterObstacles[i]]) plainCharacters.push_back(i);
  }
  alwaysTestedOthers.clear();
  for (int j : grid->alwaysTested()) {
    const bool plainCharacter =
        plainCircles[j] && std::find(characterObstacles.begin(), characterObstacles.end(), j) !=
                               characterObstacles.end();
    if (!plainCharacter) alwaysTestedOthers.push_back(j);
  }
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

template <class Near, class Far, class Collides>
int skGameState::findColliders(const Near& near, const Far& far, const Collides& collides) {
  int count = 0;
  const int characterCount = getCharacterCount();
  const int obstacleCount = getObstacleCount();
  // The highest colliding obstacle index wins, whatever the order of the
  // tests (they change nothing).
  const auto test = [&](int i, const skCharacter& c, int j) {
    if (collides(c, j)) {
      ++count;
      colliders[i] = std::max(colliders[i], j);
    }
  };
  for (int i = 0; i < characterCount; ++i) {
    colliders[i] = -1;
    const skCharacter& c = *characters[i];
    const int me = characterObstacles[i];
    if (plainCircles[me]) {
      near(c.position(), c.getRadius(), [&](int j) { test(i, c, j); });
      for (int j : alwaysTestedOthers) {
        if (j != me) test(i, c, j);
      }
    } else {
      // A character of another type may measure distance its own way (and
      // without the edges): it is tested against everything.
      for (int j = 0; j < obstacleCount; ++j) {
        if (j != me && c.colliding(*obstacles[j])) {
          ++count;
          colliders[i] = std::max(colliders[i], j);
        }
      }
    }
  }
  // Two plain characters once a pair: far is the same both ways round.
  const int plainCount = static_cast<int>(plainCharacters.size());
  for (int a = 0; a < plainCount; ++a) {
    const int i = plainCharacters[a];
    const skCharacter& c = *characters[i];
    for (int b = a + 1; b < plainCount; ++b) {
      const int k = plainCharacters[b];
      const skCharacter& other = *characters[k];
      if (far(c, other)) continue;
      test(i, c, characterObstacles[k]);
      test(k, other, characterObstacles[i]);
    }
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
  // Two plain circles more than one unit apart along an axis cannot touch,
  // whatever the rounding (NaN is not far). The same both ways round: the
  // sum of the radii and the size of an offset do not depend on the order.
  const auto farAcross = [this](const skObstacleCircle& c, const skObstacleCircle& o) {
    const skVec2 d = offset(c.position(), o.position());
    const skReal reach = c.getRadius() + o.getRadius() + 1.0;
    return std::fabs(d.x) > reach || std::fabs(d.y) > reach;
  };
  const auto farPlain = [](const skObstacleCircle& c, const skObstacleCircle& o) {
    const skReal reach = c.getRadius() + o.getRadius() + 1.0;
    const skVec2& p = c.position();
    return std::fabs(o.position().x - p.x) > reach || std::fabs(o.position().y - p.y) > reach;
  };
  if (seamless) {
    return findColliders([&grid](const skVec2& p, skReal r,
                                 auto visit) { grid.nearCirclesAcrossEdges(p, r, visit); },
                         farAcross,
                         [&](const skCharacter& c, int j) {
                           const skObstacleCircle* o = plainCircles[j];
                           if (!o) return c.colliding(*obstacles[j]);
                           if (farAcross(c, *o)) return false;
                           const skVec2 d = offset(c.position(), o->position());
                           return circlesCollide(c, *o, d,
                                                 d.length() - c.getRadius() - o->getRadius());
                         });
  }
  return findColliders(
      [&grid](const skVec2& p, skReal r, auto visit) { grid.nearCircles(p, r, visit); }, farPlain,
      [&](const skCharacter& c, int j) {
        const skObstacleCircle* o = plainCircles[j];
        if (!o) return c.colliding(*obstacles[j]);
        if (farPlain(c, *o)) return false;
        // As skObstacleCircle::distanceTo, measured from o.
        const skVec2 d = o->position() - c.position();
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
