#include "skGameState.h"

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

skGameState::skGameState()
    : frame(0), worldDim(defaultWorldDim()), timer(nullptr), lastTagTime(-1) {}

skGameState::skGameState(const skRealVec& dim)
    : frame(0), worldDim(dim), timer(nullptr), lastTagTime(-1) {}

skGameState::~skGameState() {
  for (skObject* o : objects) delete o;
}

int skGameState::addObstacle(skObstacle* o) {
  const int index = static_cast<int>(objects.size());
  o->setGSIndex(index);
  obstacleIndices.push_back(index);
  objects.push_back(o);
  const std::type_info& type = typeid(*o);
  const bool plain = type == typeid(skObstacleCircle) || type == typeid(skCharacter);
  plainCircles.push_back(plain ? static_cast<const skObstacleCircle*>(o) : nullptr);
  return index;
}

int skGameState::addCharacter(skCharacter* c) {
  const int index = addObstacle(c);
  characterIndices.push_back(index);
  colliders.resize(characterIndices.size(), -1);
  return index;
}

skCharacter* skGameState::getCharacter(int i) {
  return static_cast<skCharacter*>(objects[characterIndices[i]]);
}

skObstacle* skGameState::getObstacle(int j) {
  return static_cast<skObstacle*>(objects[obstacleIndices[j]]);
}

int skGameState::indexOf(const std::vector<int>& list, int i) {
  for (unsigned int k = 0; k < list.size(); ++k) {
    if (list[k] == i) return static_cast<int>(k);
  }
  skUtil::error("index: " + skUtil::itos(i) + " not found");
}

int skGameState::getCharacterIndex(int i) const { return indexOf(characterIndices, i); }

int skGameState::getObstacleIndex(int i) const { return indexOf(obstacleIndices, i); }

int skGameState::calcColliders() {
  int count = 0;
  const int characterCount = getCharacterCount();
  const int obstacleCount = getObstacleCount();
  for (int i = 0; i < characterCount; ++i) {
    colliders[i] = -1;
    const int me = characterIndices[i];
    const skCharacter& c = *static_cast<const skCharacter*>(objects[me]);
    const skReal cx = c.getPosition()[0];
    const skReal cy = c.getPosition()[1];
    for (int j = 0; j < obstacleCount; ++j) {
      const int other = obstacleIndices[j];
      if (other == me) continue;
      if (const skObstacleCircle* o = plainCircles[j]) {
        // Two circles more than one unit apart along an axis cannot touch,
        // whatever the rounding of the exact distance; NaN falls through.
        const skReal reach = c.getRadius() + o->getRadius() + 1.0;
        if (std::fabs(o->getPosition()[0] - cx) > reach ||
            std::fabs(o->getPosition()[1] - cy) > reach) {
          continue;
        }
      }
      if (c.colliding(*static_cast<const skObstacle*>(objects[other]))) {
        ++count;
        colliders[i] = j;
      }
    }
  }
  return count;
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
