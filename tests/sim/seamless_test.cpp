// Seamless edges: collisions and tags reach across the wrapped edges; without
// them two disks on either side of an edge never meet.
#include "skTestWorld.h"

using namespace sktest;

namespace {

skRules seamless(skRules rules = skRules::full()) {
  rules.seamless = true;
  return rules;
}

const skReal eps = 1e-9;

}  // namespace

// Steps of length 0 move nothing: the pairs below overlap across an edge, a
// corner and the top, and close in on each other that way.
TEST(SeamlessEdges, TouchingAcrossAnEdgeBouncesConservingMomentumAndPassesTheTag) {
  struct Pair {
    skReal a[4], b[4];  // x, y, vx, vy
    skReal mass;
  };
  const Pair pairs[] = {{{3, 100, -20, 0}, {509, 100, 0, 0}, 3},
                        {{506, 505, 10, 10}, {4, 3, -5, 0}, 0.5},
                        {{200, 2, 0, -30}, {200, 508, 0, 30}, 1}};
  for (bool on : {true, false}) {
    World world(on ? seamless() : skRules::full());
    std::vector<std::pair<skCharacter*, skCharacter*>> made;
    for (const Pair& p : pairs) {
      made.emplace_back(world.addCharacter(p.a[0], p.a[1], p.a[2], p.a[3]),
                        world.addCharacter(p.b[0], p.b[1], p.b[2], p.b[3], nullptr, p.mass));
    }
    made[0].first->setTagged(0);
    world.now = 1000;
    world.simulator.simulate(0);
    for (size_t k = 0; k < made.size(); ++k) {
      SCOPED_TRACE(testing::Message() << "pair " << k << (on ? ", seamless" : ", plain"));
      const Pair& p = pairs[k];
      const skVec2 va(p.a[2], p.a[3]), vb(p.b[2], p.b[3]);
      const skVec2 wa = made[k].first->velocity(), wb = made[k].second->velocity();
      if (!on) {
        EXPECT_EQ(wa, va);
        EXPECT_EQ(wb, vb);
        continue;
      }
      // The normal from a to b the short way, across the edge.
      const skVec2 n = skUtil2D::shortestOffset(made[k].first->position(),
                                                made[k].second->position(), skVec2(512, 512))
                           .normalized();
      const skVec2 before = va + p.mass * vb, after = wa + p.mass * wb;
      EXPECT_NEAR(after.x, before.x, eps);
      EXPECT_NEAR(after.y, before.y, eps);
      EXPECT_NEAR((wb - wa).dot(n), 0.75 * (va - vb).dot(n), eps);
      EXPECT_GT((wb - wa).dot(n), 0) << "they part";
    }
    EXPECT_EQ(made[0].second->getIsTagged(), on);
    EXPECT_EQ(made[0].first->getIsTagged(), !on);
  }
}

// A circle just across the right edge from characters running right: with
// seamless edges they bounce off it before their centres cross the edge;
// without, they cross and end up overlapping it.
TEST(SeamlessEdges, ACharacterBouncesOffACircleAcrossAnEdgeBeforeItsCentreCrossesIt) {
  for (bool on : {true, false}) {
    SCOPED_TRACE(on ? "seamless" : "plain");
    World world(on ? seamless() : skRules::full());
    skCharacter* c = world.addCharacter(505, 200, 40, 0);
    world.addCircle(8, 200);  // 15 units away across the edge
    skCharacter* runner = world.addCharacter(450, 300, 100, 0);
    World::script(runner).willDecide(1, 0, 1);
    world.addCircle(8, 300);
    world.simulator.simulate(0);
    EXPECT_NEAR(c->velocity().x, on ? -30 : 40, eps);
    // Driven on towards the circle for two seconds.
    skReal closest = Inf;
    for (int s = 0; s < 100; ++s) {
      world.step(20);
      const skVec2 d = skUtil2D::shortestOffset(runner->position(), {8, 300}, {512, 512});
      closest = std::min(closest, d.length());
    }
    if (on) {
      EXPECT_GT(closest, 17.5) << "at most a step's travel into the circle";
      EXPECT_GT(runner->position().x, 400) << "never across the edge";
    } else {
      EXPECT_LT(closest, 15);
    }
  }
}

// The collider search through the grid finds the circles across an edge and
// the corner, not only those in the character's own cells.
TEST(SeamlessEdges, ACircleAcrossACornerIsFoundByTheColliderSearch) {
  World world(seamless(skRules::classic()));
  for (int k = 0; k < 20; ++k) world.addCircle(100 + 15 * k, 250);  // fills the grid
  skObstacleCircle* corner = world.addCircle(507, 508);
  skCharacter* c = world.addCharacter(6, 7, -10, -10);
  EXPECT_EQ(world.gs.calcColliders(), 1);
  EXPECT_EQ(world.gs.getObstacle(world.gs.getCollider(0)), corner);
  c->setVelocity(vec2(10, 10));  // leaving it
  EXPECT_EQ(world.gs.calcColliders(), 0);
}
