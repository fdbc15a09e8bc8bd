// The grid of fixed circles only ever saves work: the collider table and the
// perception's next collider come out exactly as a test of every obstacle in
// index order gives them.
#include <cmath>
#include <random>

#include "skRandomWorld.h"
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

// The same scans across seamless edges: plain circles where they lie nearest
// a plain character (the shortest way), anything else its own way; the ray runs
// half the world's narrower side.
int scanCollidersAcross(skGameState& gs, std::vector<int>& table) {
  const skVec2 size(gs.getWorldDim()[0], gs.getWorldDim()[1]);
  int count = 0;
  table.assign(static_cast<size_t>(gs.getCharacterCount()), -1);
  for (int i = 0; i < gs.getCharacterCount(); ++i) {
    const skCharacter& c = *gs.getCharacter(i);
    for (int j = 0; j < gs.getObstacleCount(); ++j) {
      const skObstacle& o = *gs.getObstacle(j);
      if (&o == &c) continue;
      bool colliding = false;
      const skObstacleCircle* circle = skGameState::plainCircle(o);
      if (circle && skGameState::plainCircle(c)) {
        const skVec2 d = skUtil2D::shortestOffset(c.position(), o.position(), size);
        colliding = d.length() - c.getRadius() - circle->getRadius() <= 0 &&
                    c.velocity().dot(d.normalized()) > o.velocity().dot(d.normalized());
      } else {
        colliding = c.colliding(o);
      }
      if (colliding) {
        ++count;
        table[i] = j;
      }
    }
  }
  return count;
}

skObstacle* scanNextColliderAcross(skGameState& gs, skCharacter* c) {
  const skVec2 size(gs.getWorldDim()[0], gs.getWorldDim()[1]);
  const skVec2& p = c->position();
  skObstacle* best = nullptr;
  skReal bestDistance = Inf;
  for (int j = 0; j < gs.getObstacleCount(); ++j) {
    skObstacle* o = gs.getObstacle(j);
    if (o == c) continue;
    const skVec2 from = skGameState::plainCircle(*o)
                            ? o->position() - skUtil2D::shortestOffset(p, o->position(), size)
                            : p;
    const skVec2 hit = o->rayHit(from, c->orientation());
    if (!hit.isFinite() || (hit - from).length() > 0.5 * std::min(size.x, size.y)) continue;
    const skReal d = (hit - from).length() - c->getRadius();
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

// Midway: a character that measures its own way, and a plain one, join the
// others (the search pairs plain characters itself and must hear of both).
void joinMidway(RandomWorld& world, unsigned seed) {
  auto* reaching = new LongArmed(&world.gs, new RandomController(&world.perception, seed + 7));
  reaching->setMass(1);
  reaching->setPosition(world.gs.getCharacter(0)->position());
  world.gs.addCharacter(reaching);
  auto* late = new skCharacter(&world.gs, new RandomController(&world.perception, seed + 8));
  late->setMass(2);
  late->setRadius(world.uniform(3, 20));
  late->setPosition(world.gs.getCharacter(1)->position());
  world.gs.addCharacter(late);
}

}  // namespace

// Random worlds with circles beyond the arena too, some moved or resized
// after the first search, a character on the arena's corner and two joining
// midway; every step compared with the plain scans.
TEST(ObstacleGrid, FindsExactlyWhatAScanOfEveryObstacleFinds) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    RandomWorld world(seed, skRules::full());
    skGameState& gs = world.gs;
    std::vector<skObstacleCircle*> moved;
    for (int k = 0; k < 12; ++k) {
      moved.push_back(new skObstacleCircle(&gs));
      moved.back()->setPosition(skVec2(world.uniform(-30, world.w + 30), world.uniform(-30, 20)));
      gs.addObstacle(moved.back());
    }
    auto* corner = new skCharacter(&gs, new RandomController(&world.perception, seed));
    corner->setMass(1);
    gs.addCharacter(corner);
    std::vector<int> table;
    for (int s = 0; s < 60; ++s) {
      if (s == 20) {
        moved[seed % 12]->setPosition(skVec2(world.uniform(0, world.w), world.uniform(0, world.h)));
        moved[(seed + 5) % 12]->setRadius(world.uniform(1, 40));
      }
      if (s == 30) joinMidway(world, seed);
      const int expected = scanColliders(gs, table);
      ASSERT_EQ(gs.calcColliders(), expected) << "step " << s;
      for (int i = 0; i < gs.getCharacterCount(); ++i) {
        ASSERT_EQ(gs.getCollider(i), table[i]) << "step " << s << ", character " << i;
        skCharacter* c = gs.getCharacter(i);
        world.perception.setMe(c);
        ASSERT_EQ(world.perception.nextCollider(), scanNextCollider(gs, c))
            << "step " << s << ", character " << i;
      }
      world.step();
    }
  }
}

// As above with seamless edges, circles and characters often near an edge
// (and the two joining midway).
TEST(ObstacleGrid, AcrossSeamlessEdgesFindsExactlyWhatAScanOfEveryObstacleFinds) {
  skRules rules = skRules::classic();
  rules.seamless = true;
  for (unsigned seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    RandomWorld world(seed, rules);
    skGameState& gs = world.gs;
    for (int k = 0; k < 16; ++k) {
      auto* o = new skObstacleCircle(&gs);
      const bool side = k % 2 == 0;
      const skReal edge = world.uniform(-25, 25);
      o->setPosition(side ? skVec2(edge < 0 ? world.w + edge : edge, world.uniform(0, world.h))
                          : skVec2(world.uniform(0, world.w), edge < 0 ? world.h + edge : edge));
      o->setRadius(world.uniform(1, 20));
      gs.addObstacle(o);
    }
    std::vector<int> table;
    for (int s = 0; s < 60; ++s) {
      if (s == 30) joinMidway(world, seed);
      const int expected = scanCollidersAcross(gs, table);
      ASSERT_EQ(gs.calcColliders(), expected) << "step " << s;
      for (int i = 0; i < gs.getCharacterCount(); ++i) {
        ASSERT_EQ(gs.getCollider(i), table[i]) << "step " << s << ", character " << i;
        skCharacter* c = gs.getCharacter(i);
        world.perception.setMe(c);
        ASSERT_EQ(world.perception.nextCollider(), scanNextColliderAcross(gs, c))
            << "step " << s << ", character " << i;
      }
      world.step();
    }
  }
}

// Closely packed circles of mixed sizes: a nearer circle may sit in a cell the
// ray enters after the cell of its first hit, and a hit may lie within the
// character's own radius (my centre near a rim, or inside a circle).
TEST(ObstacleGrid, TheRayCastAmongPackedCirclesFindsWhatAScanOfEveryCircleFinds) {
  for (unsigned seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    std::mt19937 rng(seed);
    const auto uniform = [&rng](skReal lo, skReal hi) {
      return std::uniform_real_distribution<skReal>(lo, hi)(rng);
    };
    World world;
    const skReal spacing = uniform(12, 30);
    for (skReal x = spacing / 2; x < 512; x += spacing) {
      for (skReal y = spacing / 2; y < 512; y += spacing) {
        world.addCircle(x + uniform(-3, 3), y + uniform(-3, 3))
            ->setRadius(uniform(2, spacing * 0.6));
      }
    }
    skCharacter* me = world.addCharacter(256, 256);
    for (int k = 0; k < 400; ++k) {
      me->setRadius(uniform(1, 20));
      me->setPosition(vec2(uniform(0, 512), uniform(0, 512)));
      const skReal a = uniform(-4, 4);
      me->setVelocity(skVec2(std::cos(a), std::sin(a)));
      world.perception.setMe(me);
      ASSERT_EQ(world.perception.nextCollider(), scanNextCollider(world.gs, me)) << "ray " << k;
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
