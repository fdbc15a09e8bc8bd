#include "skScenario.h"

#include <unistd.h>

#include <cmath>

#include "skCharacter.h"
#include "skControllerRL.h"
#include "skGameState.h"
#include "skObstacleCircle.h"
#include "skObstacleSide.h"
#include "skProgramFolder.h"
#include "skUtil2D.h"

namespace skivo {

using skUtil2D::vec2;

void setupCharacters(skGameState& gs, skPerception* perception, skController* player,
                     const skLearningSettings& settings) {
  for (int i = 0; i < characterCount; ++i) {
    skController* controller = i == 0 ? player : new skControllerRL(perception, settings);
    skCharacter* character = new skCharacter(&gs, controller);
    character->setPosition(skUtil2D::randomPosition(gs.getWorldDim(), gs.getRandom()));
    character->setMass(1.0);
    character->setRadius(10.0);
    gs.addCharacter(character);
  }
}

namespace {

void setupCircles(skGameState& gs, skRules::Layout layout) {
  const skReal W = gs.getWorldDim()[0];
  skRandom& random = gs.getRandom();
  if (layout == skRules::Layout::arc) {
    // 270 down to at most -29 degrees: an open arc with a gap of about 61 degrees.
    for (int i = 0; i <= 299;) {
      skObstacleCircle* circle = new skObstacleCircle(&gs);
      const skReal a = skMath::degToRad(static_cast<skReal>(270 - i));
      circle->setPosition(vec2((W / 3.0) * (std::sin(a) + 1.5), (W / 4.0) * (std::cos(a) + 1.5)));
      gs.addObstacle(circle);
      i += static_cast<int>(random.uniform01() * 10.0);
    }
  } else {
    for (int i = 0; i < circularObstacleCount; ++i) {
      skObstacleCircle* circle = new skObstacleCircle(&gs);
      // Two statements: x must be drawn before y.
      const skReal x = random.uniform01() * W / 2.0;
      const skReal y = random.uniform01() * W / 1.2;
      circle->setPosition(vec2(x, y));
      gs.addObstacle(circle);
    }
  }
}

}  // namespace

// The arena's edges; every normal points inwards and every distance is the
// normal's dot product with any point of the wall.
void setupWalls(skGameState& gs) {
  const skReal W = gs.getWorldDim()[0];
  const skReal H = gs.getWorldDim()[1];
  skObstacleSide* sides[sideCount];
  for (int k = 0; k < sideCount; ++k) sides[k] = new skObstacleSide(&gs);

  sides[0]->setBegin(vec2(0, H));
  sides[0]->setEnd(vec2(0, 0));
  sides[0]->setNormal(vec2(1, 0));
  sides[0]->setDistance(0);

  sides[1]->setBegin(vec2(W, H));
  sides[1]->setEnd(vec2(W, 0));
  sides[1]->setNormal(vec2(-1, 0));
  sides[1]->setDistance(-W);

  sides[2]->setBegin(vec2(W, 0));
  sides[2]->setEnd(vec2(0, 0));
  sides[2]->setNormal(vec2(0, 1));
  sides[2]->setDistance(0);

  sides[3]->setBegin(vec2(W, H));
  sides[3]->setEnd(vec2(0, H));
  sides[3]->setNormal(vec2(0, -1));
  sides[3]->setDistance(-H);

  for (skObstacleSide* side : sides) gs.addObstacle(side);
}

void placeFairly(skGameState& gs, skReal margin) {
  const skReal W = gs.getWorldDim()[0], H = gs.getWorldDim()[1];
  const auto freeAt = [&](int i, const skVec2& p) {
    const skCharacter* c = gs.getCharacter(i);
    for (int j = 0; j < gs.getObstacleCount(); ++j) {
      const skObstacle* o = gs.getObstacle(j);
      const auto* circle = dynamic_cast<const skObstacleCircle*>(o);
      if (!circle || o == c) continue;
      // Characters after i are placed later, clear of this one.
      const auto* other = dynamic_cast<const skCharacter*>(o);
      if (other && gs.getCharacterIndex(other->getGSIndex()) > i) continue;
      if ((circle->position() - p).length() < circle->getRadius() + c->getRadius() + margin) {
        return false;
      }
    }
    return true;
  };
  for (int i = 0; i < gs.getCharacterCount(); ++i) {
    skCharacter* c = gs.getCharacter(i);
    const skVec2 start = c->position();
    bool placed = freeAt(i, start);
    for (skReal r = 2; !placed && r < W / 2; r += 2) {
      // Points about 2 units apart on the ring, from +x round.
      const int n = static_cast<int>(skMath::pi * r);
      for (int k = 0; k < n && !placed; ++k) {
        const skReal a = 2 * skMath::pi * k / n;
        const skVec2 p(skMath::wrap(start.x + r * std::cos(a), W),
                       skMath::wrap(start.y + r * std::sin(a), H));
        if (freeAt(i, p)) {
          c->setPosition(p);
          placed = true;
        }
      }
    }
  }
}

void setupObstacles(skGameState& gs, const skRules& rules) {
  setupCircles(gs, rules.layout);
  setupWalls(gs);
}

std::string trainedTableFile(const skRules& rules, int k, bool skills) {
  const std::string name = std::string("/trained/") + rules.name() + (skills ? "-skills-" : "-") +
                           std::to_string(k) + ".txt";
  const std::string places[] = {skUtil::programFolder() + "/../share/skivo" + name,
                                std::string(SKIVO_DATA_INSTALL_DIR) + name,
                                std::string(SKIVO_DATA_SOURCE_DIR) + name};
  for (const std::string& p : places) {
    if (access(p.c_str(), R_OK) == 0) return p;
  }
  return "";
}

}  // namespace skivo
