// Speed of one decision of each planning skill in the built-in world (three
// characters, the full game's arc or the classic game's scattered circles).
// Character 0 is the expert; characters 1 and 2 are a team, each a tree that
// pursues when "it", herds when the teammate is and flees by territory
// otherwise, all on one planner, so that the roles change as in a game.
// Character 1 plays the skill measured in its own role (pursuit, intercept
// and sprint timing when "it", cut off and herd when the teammate is, the
// flight otherwise), the tag handed over to whom the role needs whenever the
// play has moved it. The world steps on simulated time until that skill has
// decided once; the figure is the time of that decision alone (manual
// timing), plans and the steering between them alike. Every decision after
// the first seconds must allocate nothing: the run fails otherwise (counter
// "allocations").
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <new>

#include "skCharacter.h"
#include "skControllerCutOff.h"
#include "skControllerEvadeTerritory.h"
#include "skControllerExpert.h"
#include "skControllerHerd.h"
#include "skControllerIntercept.h"
#include "skControllerPursueFastest.h"
#include "skControllerSprintTiming.h"
#include "skControllerTeamRole.h"
#include "skControllerTree.h"
#include "skGameState.h"
#include "skPerception.h"
#include "skPlanner.h"
#include "skWorld.h"

namespace {
bool counting = false;
long allocations = 0;
}  // namespace

// Counts the allocations made while a decision is timed; paired with free.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  allocations += counting;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

using namespace skivo;

namespace {

// Lets inner decide and keeps the time it took, in nanoseconds.
class Timed : public skController {
 public:
  Timed(skPerception* p, skController* c) : skController(p), inner(c) {}
  void calcAction() override {
    called = true;
    counting = true;
    const auto start = std::chrono::steady_clock::now();
    inner->calcAction();
    const auto end = std::chrono::steady_clock::now();
    counting = false;
    lastNs = std::chrono::duration<double, std::nano>(end - start).count();
    action = inner->getAction();
  }
  double lastNs = 0;
  bool called = false;

 private:
  skController* inner;
};

enum class Skill { pursue, intercept, cutOff, herd, evade, sprint };

// Makes the skill s, timed, in tree; the rest of a team tree round it.
skController* makeSkill(Skill s, skControllerTree& tree, skPerception* p, skPlanner* planner) {
  switch (s) {
    case Skill::pursue:
      return tree.make<skControllerPursueFastest>(p, planner);
    case Skill::intercept:
      return tree.make<skControllerIntercept>(p, planner);
    case Skill::cutOff:
      return tree.make<skControllerCutOff>(p, planner);
    case Skill::herd:
      return tree.make<skControllerHerd>(p, planner);
    case Skill::evade:
      return tree.make<skControllerEvadeTerritory>(p, planner);
    case Skill::sprint:
      return tree.make<skControllerSprintTiming>(p, planner,
                                                 tree.make<skControllerPursueFastest>(p, planner));
  }
  return nullptr;
}

// A teammate's tree (team: bits 1 and 2) with node `mine` in the role of its
// kind, the others standard.
void teamTree(skControllerTree& tree, skPerception* p, skPlanner* planner, Skill kind,
              skController* mine) {
  const unsigned int team = 6;
  skController* chase =
      tree.make<skControllerPursueFastest>(p, planner, skTargetChoice::soonest().sparing(team));
  skController* help = tree.make<skControllerHerd>(p, planner);
  skController* flee = tree.make<skControllerEvadeTerritory>(p, planner);
  if (kind == Skill::pursue || kind == Skill::intercept || kind == Skill::sprint) chase = mine;
  if (kind == Skill::cutOff || kind == Skill::herd) help = mine;
  if (kind == Skill::evade) flee = mine;
  tree.setRoot(tree.make<skControllerTeamRole>(p, team, chase, help, flee));
}

// range(0): 0 the full rules, 1 the classic ones.
void decide(benchmark::State& state, Skill skill) {
  skWorldDef def;
  def.seeding = skWorldDef::Seeding::world;
  def.seed = 11;
  if (state.range(0) == 1) def.rules = skRules::classic();
  skWorld world(def);
  skPerception* p = world.getPerception();
  skPlanner planner(p, def.rules);

  world.setController(0, std::make_unique<skControllerExpert>(p, def.rules, &planner));
  auto tree = std::make_unique<skControllerTree>(p);
  Timed* timed = tree->make<Timed>(p, makeSkill(skill, *tree, p, &planner));
  teamTree(*tree, p, &planner, skill, timed);
  world.setController(1, std::move(tree));
  auto other = std::make_unique<skControllerTree>(p);
  teamTree(*other, p, &planner, Skill::evade, other->make<skControllerEvadeTerritory>(p, &planner));
  world.setController(2, std::move(other));
  world.start();
  for (int k = 0; k < 600; ++k) world.step();  // the table is built, plans are going
  allocations = 0;
  long steps = 0, decisions = 0;
  // Who must be "it" for the skill's role: character 1 itself, its teammate
  // or the expert; handed over when the play has moved it elsewhere.
  const int it = skill == Skill::evade ? 0 : skill == Skill::cutOff || skill == Skill::herd ? 2 : 1;
  skGameState& gs = world.getGameState();
  for (auto _ : state) {
    if (p->getTagged() != gs.getCharacter(it)) {
      for (int k = 0; k < 3; ++k) gs.getCharacter(k)->setTagged(k == it ? p->getTime() : -1);
    }
    timed->called = false;
    while (!timed->called) {
      world.step();
      ++steps;
    }
    ++decisions;
    state.SetIterationTime(timed->lastNs * 1e-9);
  }
  state.counters["allocations"] = static_cast<double>(allocations);
  state.counters["steps/decision"] = static_cast<double>(steps) / static_cast<double>(decisions);
  state.counters["tables"] = planner.tableCount();
  if (allocations > 0) state.SkipWithError("a decision allocated");
}

void BM_PursueFastest(benchmark::State& s) { decide(s, Skill::pursue); }
void BM_Intercept(benchmark::State& s) { decide(s, Skill::intercept); }
void BM_CutOff(benchmark::State& s) { decide(s, Skill::cutOff); }
void BM_Herd(benchmark::State& s) { decide(s, Skill::herd); }
void BM_EvadeTerritory(benchmark::State& s) { decide(s, Skill::evade); }
void BM_SprintTiming(benchmark::State& s) { decide(s, Skill::sprint); }

// Argument 0: the full game; 1: the classic one.
BENCHMARK(BM_PursueFastest)->Arg(0)->Arg(1)->UseManualTime();
BENCHMARK(BM_Intercept)->Arg(0)->Arg(1)->UseManualTime();
BENCHMARK(BM_CutOff)->Arg(0)->Arg(1)->UseManualTime();
BENCHMARK(BM_Herd)->Arg(0)->Arg(1)->UseManualTime();
BENCHMARK(BM_EvadeTerritory)->Arg(0)->Arg(1)->UseManualTime();
BENCHMARK(BM_SprintTiming)->Arg(0)->Arg(1)->UseManualTime();

}  // namespace
