// The grid of fixed circles only ever saves work: the collider table and the
// perception's next collider come out exactly as a test of every obstacle in
// index order gives them.
#include <random>

#include "skObstacleSide.h"
#include "skTestWorld.h"

using namespace sktest;

namespace {

// The collider table of a plain scan: for each character, the highest
// colliding obstacle index, and the number of colliding pairs.
int scanColliders(skGameState& gs, std::vector<int>& table) {
  int count = 0;
  table.assign(static_cast<size_t>(gs.getCharacterCount()), -1);
  for (int i = 0; i < gs.getCharacterCount(); ++i) {
    for (int j = 0; j < gs.getObstacleCount(); ++j) {
      if (gs.getObstacle(j) == gs.getCharacter(i)) continue;
      if (gs.getCharacter(i)->colliding(*gs.getObstacle(j))) {
        ++count;
        table[i] = j;
      }
    }
  }
  return count;
}

// The obstacle the ray along c's heading meets first (ties: lowest index).
skObstacle* scanNextCollider(skGameState& gs, skCharacter* c) {
  skObstacle* best = nullptr;
  skReal bestDistance = Inf;
  for (int j = 0; j < gs.getObstacleCount(); ++j) {
    skObstacle* o = gs.getObstacle(j);
    if (o == c) continue;
    const skVec2 hit = o->rayHit(c->position(), c->orientation());
    if (!hit.isFinite()) continue;
    const skReal d = (hit - c->position()).length() - c->getRadius();
    if (d < bestDistance) {
      best = o;
      bestDistance = d;
    }
  }
  return best;
}

// A character that reaches 40 units further than its disk.
class LongArmed : public skCharacter {
 public:
  using skCharacter::distanceTo;
  using skCharacter::skCharacter;
  skReal distanceTo(const skObstacle& o) const override { return skCharacter::distanceTo(o) - 40; }
};

}  // namespace

// Crowded random worlds: circles of all sizes, some beyond the arena, some
// moved or resized after the first search, characters on and off the arena
// (on cell borders too), walls; every step compared with the plain scans.
TEST(ObstacleGrid, FindsExactlyWhatAScanOfEveryObstacleFinds) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    std::mt19937 rng(seed);
    auto uniform = [&rng](skReal lo, skReal hi) {
      return std::uniform_real_distribution<skReal>(lo, hi)(rng);
    };
    World world(vec2(uniform(50, 600), uniform(50, 600)));
    skGameState& gs = world.gs;
    const skReal w = gs.getWorldDim()[0], h = gs.getWorldDim()[1];
    std::vector<skObstacleCircle*> circles;
    for (int k = static_cast<int>(rng() % 120); k > 0; --k) {
      circles.push_back(world.addCircle(uniform(-30, w + 30), uniform(-30, h + 30)));
      circles.back()->setRadius(uniform(0.5, 25));
      if (k % 7 == 0)
        world.addCharacter(uniform(0, w), uniform(0, h), uniform(-90, 90), uniform(-90, 90));
    }
    gs.addObstacle(new skObstacleSide(&gs));
    world.addCharacter(0, 0, 50, 30);  // on the arena's corner
    world.addCharacter(w / 2, h / 2, -70, 10)->setTagged(0);
    std::vector<int> table;
    for (int s = 0; s < 60; ++s) {
      if (s == 20 && !circles.empty()) {
        circles[rng() % circles.size()]->setPosition(vec2(uniform(0, w), uniform(0, h)));
        circles[rng() % circles.size()]->setRadius(uniform(1, 40));
      }
      const int expected = scanColliders(gs, table);
      ASSERT_EQ(gs.calcColliders(), expected) << "step " << s;
      for (int i = 0; i < gs.getCharacterCount(); ++i) {
        ASSERT_EQ(gs.getCollider(i), table[i]) << "step " << s << ", character " << i;
        skCharacter* c = gs.getCharacter(i);
        world.perception.setMe(c);
        ASSERT_EQ(world.perception.nextCollider(), scanNextCollider(gs, c))
            << "step " << s << ", character " << i;
      }
      world.step(static_cast<int>(uniform(5, 60)));
    }
  }
}

// Only two plain circles may be skipped as being far apart.
TEST_F(WorldTest, ACharacterThatMeasuresDistanceItsOwnWayIsNeverSkipped) {
  addCircle(100, 150);
  auto* reaching = new LongArmed(&gs, new ScriptedController(&perception));
  reaching->setMass(1);
  reaching->setPosition(vec2(100, 100));
  reaching->setVelocity(vec2(0, 10));
  gs.addCharacter(reaching);
  EXPECT_EQ(gs.calcColliders(), 1);
  EXPECT_EQ(gs.getCollider(0), 0);
}
