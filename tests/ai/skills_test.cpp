// The planning skills, in small worlds of the game's size: what each must
// achieve against runners, fleeing skills and chasers, across the edges and
// round the game's arc of circles, under both rule sets.
#include <array>
#include <cmath>
#include <memory>
#include <random>

#include "skControllerAvoid.h"
#include "skControllerCutOff.h"
#include "skControllerEvade.h"
#include "skControllerEvadeTerritory.h"
#include "skControllerHerd.h"
#include "skControllerIntercept.h"
#include "skControllerPursueFastest.h"
#include "skControllerSprintTiming.h"
#include "skControllerStill.h"
#include "skControllerTeamRole.h"
#include "skControllerTree.h"
#include "skPlanner.h"
#include "skTestWorld.h"

using namespace sktest;

namespace {

// Twelve random places for each of n characters, the same every run.
std::vector<std::vector<skVec2>> randomStarts(unsigned seed, int n) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<skReal> u(0, 512);
  std::vector<std::vector<skVec2>> starts(12);
  for (auto& s : starts) {
    for (int i = 0; i < n; ++i) s.push_back({u(rng), u(rng)});
  }
  return starts;
}

// A world with a planner and a flight of the library's (evade inside avoid).
struct SkillWorld : World {
  using World::World;
  skController* libraryEvade() {
    inner.emplace_back(new skControllerEvade(&perception));
    return new skControllerAvoid(&perception, inner.back().get());
  }
  // Steps of 20 ms until c is "it" (or no longer is, when it starts so).
  int stepsUntilTagChange(skCharacter* c, int maxSteps) {
    const bool was = c->getIsTagged();
    for (int k = 0; k < maxSteps; ++k) {
      step();
      if (c->getIsTagged() != was) return k;
    }
    return maxSteps;
  }
  skPlanner planner{&perception, world.getDef().rules};
  std::vector<std::unique_ptr<skController>> inner;  // outlives the characters' roots
};

enum class Skill { pursue, intercept };

skController* chaser(Skill s, SkillWorld& w) {
  if (s == Skill::pursue) return new skControllerPursueFastest(&w.perception, &w.planner);
  return new skControllerIntercept(&w.perception, &w.planner);
}

}  // namespace

class Chase : public ::testing::TestWithParam<std::tuple<skRules, Skill>> {
 protected:
  const skRules rules = std::get<0>(GetParam());
  const Skill skill = std::get<1>(GetParam());
};

// Running away at 30 units a second, 50 units off across the left edge: the
// way to it is across the edge, not 460 units across the arena.
TEST_P(Chase, TagsASlowerRunnerByTheWayAcrossTheEdge) {
  SkillWorld w(rules);
  skCharacter* me = w.addCharacter(40, 256, 0, 0, chaser(skill, w));
  skCharacter* runner = w.addCharacter(500, 256, -30, 0);
  me->setTagged(0);
  w.step();
  EXPECT_LT(me->getAction().direction().x, -0.5);
  EXPECT_LT(w.stepsUntilTagChange(runner, 250), 250) << "not tagged within 5 s";
}

// From inside the arc, whose way straight at the target ends in its wall.
TEST_P(Chase, TagsAStillTargetBehindTheArcFromInsideIt) {
  SkillWorld w(rules);
  w.addArc();
  skCharacter* me = w.addCharacter(330, 192, 0, 0, chaser(skill, w));
  skCharacter* target = w.addCharacter(470, 192);  // under a pull it falls
  me->setTagged(0);
  EXPECT_LT(w.stepsUntilTagChange(target, 750), 750) << "not tagged within 15 s";
}

// The library's evade runs straight away from "it", faster than "it" runs,
// but does not see across the edges.
TEST_P(Chase, TagsTheLibrarysEvadeFromTwelveStartsInTheArcWithinAMinute) {
  for (const auto& s : randomStarts(5, 2)) {
    SkillWorld w(rules);
    w.addArc();
    skCharacter* me = w.addCharacter(s[0].x, s[0].y, 0, 0, chaser(skill, w));
    skCharacter* target = w.addCharacter(s[1].x, s[1].y, 0, 0, w.libraryEvade());
    me->setTagged(0);
    EXPECT_LT(w.stepsUntilTagChange(target, 3000), 3000) << "from " << s[0] << "to " << s[1];
  }
}

INSTANTIATE_TEST_SUITE_P(Skills, Chase,
                         ::testing::Combine(::testing::Values(skRules::full(), skRules::classic()),
                                            ::testing::Values(Skill::pursue, Skill::intercept)),
                         [](const ::testing::TestParamInfo<std::tuple<skRules, Skill>>& info) {
                           return std::string(std::get<0>(info.param).name()) +
                                  (std::get<1>(info.param) == Skill::pursue ? "Pursue"
                                                                            : "Intercept");
                         });

class Flight : public ::testing::TestWithParam<skRules> {};

// A runner that flees by territory outruns "it" in the open and finds the way
// out of the arc's dead end; aiming where it flees to, not where it is, tags
// it in the arc where a pursuit seldom does.
TEST_P(Flight, InterceptTagsARunnerFleeingByTerritoryInTheArcMoreOftenThanPursuit) {
  int tags[2] = {0, 0};
  for (Skill skill : {Skill::pursue, Skill::intercept}) {
    for (const auto& s : randomStarts(5, 2)) {
      SkillWorld w(GetParam());
      w.addArc();
      skCharacter* me = w.addCharacter(s[0].x, s[0].y, 0, 0, chaser(skill, w));
      skCharacter* target = w.addCharacter(
          s[1].x, s[1].y, 0, 0, new skControllerEvadeTerritory(&w.perception, &w.planner));
      me->setTagged(0);
      tags[static_cast<int>(skill)] += w.stepsUntilTagChange(target, 1500) < 1500;
    }
  }
  EXPECT_GE(tags[1], 4) << "of 12 within 30 s";
  EXPECT_GT(tags[1], tags[0]);
}

// Fleeing by territory keeps clear of a pursuit by the fastest way for half a
// minute from nearly every start in the arc's world, where the library's
// evade is caught from nearly every one.
TEST_P(Flight, EvadeTerritoryStaysFreeForHalfAMinuteWhereTheLibrarysEvadeIsCaught) {
  int caught[2] = {0, 0};
  for (int library = 0; library < 2; ++library) {
    for (const auto& s : randomStarts(5, 2)) {
      SkillWorld w(GetParam());
      w.addArc();
      skController* flight =
          library ? w.libraryEvade() : new skControllerEvadeTerritory(&w.perception, &w.planner);
      skCharacter* me = w.addCharacter(s[1].x, s[1].y, 0, 0, flight);
      skCharacter* it = w.addCharacter(s[0].x, s[0].y, 0, 0,
                                       new skControllerPursueFastest(&w.perception, &w.planner));
      it->setTagged(0);
      caught[library] += w.stepsUntilTagChange(me, 1500) < 1500;
    }
  }
  EXPECT_LE(caught[0], 2) << "of 12 caught while fleeing by territory";
  EXPECT_GE(caught[1], 10) << "of 12 caught while evading";
}

SKIVO_FOR_BOTH_RULES(Flight);

// A cutter stands in the way a target would flee by, and stays there as the
// target walks into it, having gone round it to get there. (Under a pull the
// walker falls across the arena and its way out keeps turning.)
TEST(CutOff, StandsBetweenTheTargetAndItsEscape) {
  SkillWorld w(skRules::full());
  skCharacter* it = w.addCharacter(100, 250);
  skCharacter* target = w.addCharacter(160, 250, 20, 0);
  skCharacter* me =
      w.addCharacter(100, 180, 0, 0, new skControllerCutOff(&w.perception, &w.planner));
  it->setTagged(0);
  int between = 0;
  for (int k = 0; k < 400; ++k) {
    w.step();
    if (k < 150) continue;  // 3 s to get there
    const skPlanner::Escape e = w.planner.escape(*target, *it, {});
    const skVec2 out = w.planner.offset(target->position(), e.aim).normalized();
    const skVec2 way = w.planner.offset(target->position(), me->position());
    between += way.dot(out) > 0.8 * way.length() && way.length() < 20 + 8;
  }
  EXPECT_GT(between, 200) << "of 250 steps between 3 and 8 s";
}

namespace {

enum class Mate { pursue, herd };

// A team of two (characters 1 and 2, one of them "it") against character 0,
// each a tree: when I am "it" I pursue the one I meet soonest (never my
// teammate); when my teammate is, the mate's skill; otherwise I flee by
// territory. Character 0 flees by territory, or pursues when "it".
skController* teamTree(SkillWorld& w, unsigned int team, Mate mate) {
  skPerception* p = &w.perception;
  auto* tree = new skControllerTree(p);
  const skTargetChoice notMine = skTargetChoice::soonest().sparing(team);
  skController* chase = tree->make<skControllerPursueFastest>(p, &w.planner, notMine);
  skController* help = mate == Mate::herd
                           ? static_cast<skController*>(tree->make<skControllerHerd>(p, &w.planner))
                           : tree->make<skControllerPursueFastest>(p, &w.planner, notMine);
  skController* flee = tree->make<skControllerEvadeTerritory>(p, &w.planner);
  tree->setRoot(tree->make<skControllerTeamRole>(p, team, chase, help, flee));
  return tree;
}

}  // namespace

// Against a player who flees by territory, faster than "it", a second
// pursuer seldom helps; a herder on the player's far side drives it into the
// arms of the one who is "it".
TEST(Herd, APairWithAHerderTagsAFleeingPlayerSoonerThanTwoPursuers) {
  for (bool arc : {false, true}) {
    int tags[2] = {0, 0};
    long steps[2] = {0, 0};
    for (Mate mate : {Mate::pursue, Mate::herd}) {
      for (const auto& s : randomStarts(7, 3)) {
        SkillWorld w(skRules::full());
        if (arc) w.addArc();
        skCharacter* player = w.addCharacter(s[0].x, s[0].y, 0, 0, teamTree(w, 1, Mate::pursue));
        w.addCharacter(s[1].x, s[1].y, 0, 0, teamTree(w, 6, mate))->setTagged(0);
        w.addCharacter(s[2].x, s[2].y, 0, 0, teamTree(w, 6, mate));
        const int k = w.stepsUntilTagChange(player, 1500);
        tags[static_cast<int>(mate)] += k < 1500;
        steps[static_cast<int>(mate)] += k;
      }
    }
    EXPECT_GE(tags[1], 6) << "of 12 within 30 s; arc " << arc;
    EXPECT_GT(tags[1], tags[0]) << "arc " << arc;
    EXPECT_LT(steps[1], steps[0]) << "arc " << arc;
  }
}

class Sprint : public ::testing::TestWithParam<skRules> {};

// Far from everyone the energy is kept, not spent on running; closing in,
// one stop refills it before the sprint to the target (as the expert does).
TEST_P(Sprint, KeepsTheEnergyWhileNothingPressesAndRefillsBeforeABurst) {
  for (bool near : {false, true}) {
    SkillWorld w(GetParam());
    skControllerPursueFastest pursue(&w.perception, &w.planner);
    skCharacter* me = w.addCharacter(
        200, 256, 0, 0, new skControllerSprintTiming(&w.perception, &w.planner, &pursue));
    w.addCharacter(near ? 280 : 480, 256, 0, 30);  // walking up
    me->setTagged(0);
    me->setSprintEnergy(near ? 0 : 3);
    int stops = 0, sprintSteps = 0;
    for (int k = 0; k < (near ? 100 : 50) && me->getIsTagged(); ++k) {
      const skReal before = me->getSprintEnergy();
      w.step();
      stops += me->getAction().getDesiredSpeed() < 0.1;
      sprintSteps += me->getSprintEnergy() < before;
    }
    if (!near) {
      EXPECT_EQ(me->getSprintEnergy(), 3) << "after a second far from the target";
      EXPECT_EQ(stops, 0);
      continue;
    }
    EXPECT_FALSE(me->getIsTagged()) << "not tagged within 2 s";
    if (GetParam().sprint) {
      EXPECT_GE(stops, 1);
      EXPECT_LE(stops, 4);  // not more often than every 400 ms
      EXPECT_GT(sprintSteps, 10);
    } else {
      EXPECT_EQ(stops, 0);
    }
  }
}

SKIVO_FOR_BOTH_RULES(Sprint);

// Roles by who is "it"; the target choices that skills share.
TEST_F(WorldTest, TeamRoleAndTargetChoicesFollowWhoIsItAndWhoIsOnWhichSide) {
  skPlanner planner(&perception, skRules::full());
  skCharacter* me = addCharacter(100, 100);
  skCharacter* mate = addCharacter(300, 100);
  skCharacter* near = addCharacter(130, 100);
  skCharacter* far = addCharacter(400, 400);
  const unsigned team = skTargetChoice::bit(0) | skTargetChoice::bit(1);
  ScriptedController a(&perception), b(&perception), c(&perception);
  a.willDecide(1, 0, 1);
  b.willDecide(0, 1, 1);
  c.willDecide(-1, 0, 1);
  skControllerTeamRole role(&perception, team, &a, &b, &c);
  const auto decide = [&] {
    perception.setMe(me);
    role.calcAction();
    return skVec2(role.getAction().direction());
  };
  const auto pick = [&](const skTargetChoice& choice) {
    perception.setMe(me);
    return choice.pick(perception, planner, nullptr);
  };
  decide();  // nobody "it": stands
  EXPECT_EQ(role.getAction().getDesiredSpeed(), 0);
  EXPECT_EQ(pick(skTargetChoice::tagged()), nullptr);
  far->setTagged(0);
  EXPECT_EQ(decide(), skVec2(-1, 0));
  EXPECT_EQ(pick(skTargetChoice::tagged()), far);
  EXPECT_EQ(pick(skTargetChoice::soonest()), near);
  EXPECT_EQ(pick(skTargetChoice::soonest().sparing(skTargetChoice::bit(2))), mate);
  EXPECT_EQ(pick(skTargetChoice::quarry()), mate);  // "it" meets mate sooner than near
  EXPECT_EQ(pick(skTargetChoice::character(3)), far);
  EXPECT_EQ(pick(skTargetChoice::character(0)), nullptr);  // never me
  far->setTagged(-1);
  mate->setTagged(0);
  EXPECT_EQ(decide(), skVec2(0, 1));
  EXPECT_EQ(pick(skTargetChoice::quarry().sparing(team)), near);
  mate->setTagged(-1);
  me->setTagged(0);
  EXPECT_EQ(decide(), skVec2(1, 0));
}
