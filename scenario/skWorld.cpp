#include "skWorld.h"

#include <string>

#include "skCharacter.h"
#include "skControllerRL.h"
#include "skControllerStill.h"
#include "skControllerTree.h"
#include "skPlanner.h"
#include "skScenario.h"
#include "skUtil2D.h"

namespace skivo {

namespace {

// The game state reads the clock from before the simulator exists.
skGameState* withClock(skGameState& gs, skTimer& timer) {
  gs.setTimer(&timer);
  return &gs;
}

}  // namespace

skWorld::skWorld(const skWorldDef& d)
    : def(d),
      timer(d.ticks ? d.ticks : skTimer::TickSource([this] { return simulatedMs; })),
      gs(skUtil2D::vec2(d.width, d.height)),
      sim(withClock(gs, timer), d.rules),
      perception(&gs) {
  gs.setSeamless(def.rules.seamless);
  if (def.seeding == skWorldDef::Seeding::world) gs.getRandom().seed(def.seed);
  if (def.scenario) {
    setupCharacters(gs, &perception, new skControllerStill(&perception), def.learning);
    setupObstacles(gs, def.rules);
  }
  // The game's own layout is built; only the play follows the seed.
  if (def.seeding == skWorldDef::Seeding::play) gs.getRandom().seed(def.seed);
}

skWorld::~skWorld() = default;

skPlanner* skWorld::getPlanner() {
  if (!planner) planner = std::make_unique<skPlanner>(&perception, def.rules);
  return planner.get();
}

void skWorld::start() {
  timer.start();
  if (gs.getCharacterCount() > 0) gs.getCharacter(0)->setTagged(timer.gameTime());
}

void skWorld::step() {
  if (def.ticks) skUtil::error("skWorld::step: this world's clock follows its own ticks");
  simulatedMs += def.stepMs;
  sim.simulate(def.stepMs / 1000.0);
}

void skWorld::setController(int k, std::unique_ptr<skController> root) {
  const std::string who = "skWorld::setController: character " + std::to_string(k);
  if (k < 0 || k >= gs.getCharacterCount()) {
    skUtil::error(who + " does not exist (the world has " + std::to_string(gs.getCharacterCount()) +
                  ")");
  }
  if (!root) skUtil::error(who + " needs a controller, not null");
  bool ours = root->getPerception() == &perception;
  if (const auto* tree = dynamic_cast<const skControllerTree*>(root.get())) {
    for (const auto& node : tree->getNodes()) ours = ours && node->getPerception() == &perception;
  }
  if (!ours) {
    skUtil::error(who +
                  ": its controller looks through another perception than the world's; make "
                  "it, and every node of its tree, on the world's getPerception()");
  }
  gs.getCharacter(k)->setController(root.release());
}

skControllerRL* skWorld::getLearner(int k) {
  return dynamic_cast<skControllerRL*>(gs.getCharacter(k)->getController());
}

}  // namespace skivo
