// Two teammates against the expert, each a tree of the planning skills:
//
//   sprint timing
//   └─ by who is "it":
//        me:           intercept the opponent I meet soonest
//        my teammate:  herd the one it is after towards it
//        the opponent: flee by territory
//
// All three characters plan on one shared planner, so the world needs one
// table of travel times, built at the first decision. The world runs on
// simulated time, so the run is instant and repeatable.
#include <cstdio>
#include <memory>

#include <skivo/core.h>      // math, world, simulation, perception, controllers
#include <skivo/scenario.h>  // skWorld: a world assembled from one definition

using namespace skivo;

// One teammate's tree. team: bit k for each character k of the team; the
// planner is shared by every controller of the world.
std::unique_ptr<skControllerTree> buildTeammate(skPerception* p, skPlanner* planner,
                                                unsigned int team) {
  auto tree = std::make_unique<skControllerTree>(p);
  const skTargetChoice opponent = skTargetChoice::soonest().sparing(team);
  skController* chase = tree->make<skControllerIntercept>(p, planner, opponent);
  skController* herd = tree->make<skControllerHerd>(p, planner);  // towards "it"
  skController* flee = tree->make<skControllerEvadeTerritory>(p, planner);
  skController* role = tree->make<skControllerTeamRole>(p, team, chase, herd, flee);
  tree->setRoot(tree->make<skControllerSprintTiming>(p, planner, role, opponent));
  return tree;
}

int main() {
  skWorldDef def;  // the game's world: 512 x 512 world units, the full rules, the arc
  def.seeding = skWorldDef::Seeding::world;
  def.seed = 7;
  skWorld world(def);
  skPerception* perception = world.getPerception();
  // Not owned by the controllers: it must stay while they decide.
  skPlanner planner(perception, def.rules);

  world.setController(0, std::make_unique<skControllerExpert>(perception, def.rules, &planner));
  const unsigned int team = skTargetChoice::bit(1) | skTargetChoice::bit(2);
  for (int k : {1, 2}) world.setController(k, buildTeammate(perception, &planner, team));

  world.start();  // character 0, the expert, starts as "it"
  skGameState& gs = world.getGameState();
  long long itMs[3] = {0, 0, 0};
  const int steps = 5 * 60 * 1000 / def.stepMs;  // 5 game minutes
  for (int step = 0; step < steps; ++step) {
    world.step();
    for (int k = 0; k < 3; ++k) itMs[k] += gs.getCharacter(k)->getIsTagged() ? def.stepMs : 0;
  }
  std::printf(
      "share of 5 game minutes as \"it\": the expert %.1f %%, the team %.1f %% and %.1f %%\n",
      itMs[0] / 3000.0, itMs[1] / 3000.0, itMs[2] / 3000.0);
  std::printf("tables of travel times built for the three: %d\n", planner.tableCount());
  return 0;
}
