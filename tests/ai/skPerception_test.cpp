#include <gtest/gtest.h>

#include <vector>

#include "skObstacleSide.h"
#include "skPerception.h"
#include "world/skTestWorld.h"

using namespace skivo;
using sktest::addCircle;
using sktest::vec2;

namespace {
// A world seen by one perception; characters are added through it.
struct World {
  skGameState gs;
  skPerception p{&gs};
  skCharacter* add(skReal x, skReal y) { return sktest::addCharacter(gs, &p, x, y); }
};
}  // namespace

TEST(NearestCharacter, OfTwoAtTheSameDistanceTheLowerIndexWins) {
  World w;
  skCharacter* b = w.add(30, 0);
  w.add(0, -30);
  w.p.setMe(w.add(0, 0));
  EXPECT_EQ(w.p.nearestCharacter(), b);
  EXPECT_EQ(w.p.nearestCharacterRelativePosition(), vec2(30, 0));
  EXPECT_EQ(w.p.distanceToNearestCharacter(), 10);
}

TEST(NearestCharacter, OverlapsCompeteAndTheDeepestWins) {
  World w;
  w.p.setMe(w.add(0, 0));
  w.add(15, 0);                     // distance -5
  skCharacter* deep = w.add(0, 5);  // distance -15
  EXPECT_EQ(w.p.nearestCharacter(), deep);
  EXPECT_EQ(w.p.distanceToNearestCharacter(), -15);
}

TEST(NearestObstacle, MayBeAnotherCharacterButNeverMe) {
  World w;
  addCircle(w.gs, 100, 0);
  w.p.setMe(w.add(0, 0));
  skCharacter* other = w.add(25, 0);
  EXPECT_EQ(w.p.nearestObstacle(), other);
}

TEST(NearestSearches, WithNothingAtAFiniteDistanceAreFatal) {
  World w;
  w.p.setMe(w.add(0, 0));
  w.gs.addObstacle(new skObstacleSide(&w.gs));
  EXPECT_EXIT(w.p.nearestCharacter(), ::testing::ExitedWithCode(1),
              "^assert failed: who \\(Line: [0-9]+, file: skPerception\\.cpp\\)\n\n$");
  EXPECT_EXIT(w.p.nearestObstacle(), ::testing::ExitedWithCode(1), "^assert failed: which \\(");
}

TEST(NextCollider, IsTheFirstObstacleAlongMyHeadingAndItsDistanceIsNotATime) {
  World w;
  addCircle(w.gs, 100, 0);
  skObstacleCircle* first = addCircle(w.gs, 50, 0);
  addCircle(w.gs, -30, 0);  // behind
  skCharacter* me = w.add(0, 0);
  w.add(0, 40);  // beside the path
  w.p.setMe(me);
  EXPECT_EQ(w.p.nextCollider(), first);
  EXPECT_EQ(w.p.nextCollisionPoint(), vec2(40, 0));
  EXPECT_EQ(w.p.timeToCollision(), 40);  // standing still
  me->setVelocity(vec2(20, 0));
  EXPECT_EQ(w.p.timeToCollision(), 40);
  me->setSpeed(-1);  // backing away from the point
  EXPECT_EXIT(w.p.timeToCollision(), ::testing::ExitedWithCode(1),
              "assert failed: 0 <= myVel \\(Line");
}

TEST(NextCollider, NothingAheadIsSearchedAgainOnEveryCall) {
  World w;
  w.p.setMe(w.add(0, 0));
  addCircle(w.gs, -50, 0);
  w.gs.addObstacle(new skObstacleSide(&w.gs));
  EXPECT_EQ(w.p.nextCollider(), nullptr);
  EXPECT_EQ(w.p.nextCollisionPoint(), vec2(Inf, Inf));
  EXPECT_EQ(w.p.timeToCollision(), Inf);
  skObstacleCircle* ahead = addCircle(w.gs, 80, 0);
  EXPECT_EQ(w.p.nextCollider(), ahead);
  EXPECT_EQ(w.p.timeToCollision(), 70);
}

TEST(Memo, SearchesAreKeptUntilTheNextSetMeEvenWithTheSameCharacter) {
  World w;
  skCharacter* me = w.add(0, 0);
  skCharacter* b = w.add(40, 0);
  skCharacter* c = w.add(80, 0);
  w.p.setMe(me);
  const auto found = [&w] {
    return std::vector<const skObject*>{w.p.nearestCharacter(), w.p.nearestObstacle(),
                                         w.p.nextCollider()};
  };
  EXPECT_EQ(found(), std::vector<const skObject*>(3, b));
  c->setPosition(vec2(25, 0));
  EXPECT_EQ(found(), std::vector<const skObject*>(3, b));
  w.p.setMe(me);
  EXPECT_EQ(found(), std::vector<const skObject*>(3, c));
}

TEST(TagHistory, RemembersWhoWasItBeforeAndOverwritesOnRetag) {
  World w;
  skCharacter* a = w.add(0, 0);
  skCharacter* b = w.add(100, 0);
  w.p.setMe(b);
  EXPECT_EQ(w.p.whoLastTaggedMe(), nullptr);  // never tagged
  a->setTagged(0);
  w.p.setMe(a);
  EXPECT_TRUE(w.p.myselfTagged());
  EXPECT_EQ(w.p.whoLastTaggedMe(), nullptr);  // the first "it"
  b->setTagged(500);
  EXPECT_FALSE(w.p.myselfTagged());
  w.p.setMe(b);
  EXPECT_EQ(w.p.whoLastTaggedMe(), a);
  a->setTagged(900);
  w.p.setMe(a);
  EXPECT_EQ(w.p.whoLastTaggedMe(), b);
  a->setTagged(1200);  // tagged again while "it"
  EXPECT_EQ(w.p.whoLastTaggedMe(), a);
  w.p.setMe(b);
  EXPECT_EQ(w.p.whoLastTaggedMe(), a);
}

TEST(TaggedQueries, ArePlainDifferencesThatIgnoreWrapping) {
  World w;
  skCharacter* me = w.add(500, 0);
  w.add(10, 0)->setTagged(0);
  w.p.setMe(me);
  EXPECT_EQ(w.p.taggedRelativePosition(), vec2(-490, 0));
  EXPECT_EQ(w.p.distanceToTagged(), 470);
}

TEST(PerceptionChecks, ReportTheirExpressionsAndStop) {
  World w;
  skCharacter* a = w.add(0, 0);
  w.p.setMe(a);
  EXPECT_EXIT(w.p.setMe(nullptr), ::testing::ExitedWithCode(1), "^assert failed: me \\(Line");
  EXPECT_EXIT(w.p.taggedPosition(), ::testing::ExitedWithCode(1),
              "^assert failed: tagged \\(Line: [0-9]+, file: skPerception\\.cpp\\)\n\n$");
  EXPECT_EXIT(w.p.setTagged(nullptr), ::testing::ExitedWithCode(1), "^assert failed: tagged \\(");
  EXPECT_EXIT(w.p.setTagged(a), ::testing::ExitedWithCode(1),
              "^assert failed: tagged->getIsTagged\\(\\) \\(Line");
  EXPECT_EXIT(w.p.myRecentTaggedCount(), ::testing::ExitedWithCode(1), "^not implemented\n$");
  EXPECT_EXIT(w.p.myselfRecentlyTagged(), ::testing::ExitedWithCode(1), "^not implemented\n$");
}
