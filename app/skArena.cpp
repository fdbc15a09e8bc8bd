#include "skArena.h"

#include <cmath>

#include "skAssert.h"
#include "skCharacter.h"
#include "skControllerAvoid.h"
#include "skControllerConditional.h"
#include "skControllerEvade.h"
#include "skControllerPeriodic.h"
#include "skControllerPursue.h"
#include "skControllerRL.h"
#include "skControllerWander.h"
#include "skFileSaver.h"
#include "skPerception.h"
#include "skScenario.h"
#include "skTacticsFile.h"

namespace skivo {

namespace {

// A player who never moves.
class skControllerStill : public skController {
 public:
  explicit skControllerStill(skPerception* p) : skController(p) { action.setDesiredSpeed(0.0); }
  void calcAction() override {}
};

// How often the scripted trees think, in game milliseconds: often enough to
// steer round the obstacles, rarely enough to keep the arena fast.
const int scriptedPeriod = 50;
// How long a wanderer keeps one heading.
const int wanderPeriod = 500;

}  // namespace

skArena::skArena(const skArenaOptions& o)
    : options(o), worldDim(2), timer([this] { return simulatedMs; }) {
  worldDim.set(512.0);
}

skArena::~skArena() {
  // The world first: characters delete their roots, which may point at nodes.
  sim.reset();
  gs.reset();
  nodes.clear();
}

skController* skArena::makeScripted(skArenaOptions::Player kind) {
  skPerception* p = perception.get();
  if (kind == skArenaOptions::Player::still) return new skControllerStill(p);
  if (kind == skArenaOptions::Player::wander) {
    nodes.emplace_back(new skControllerWander(p));
    return new skControllerPeriodic(p, wanderPeriod, nodes.back().get());
  }
  // Pursue when "it", evade the one who is "it" otherwise, avoid obstacles.
  skController* pursue = new skControllerPursue(p);
  skController* evade = new skControllerEvade(p);
  nodes.emplace_back(pursue);
  nodes.emplace_back(evade);
  nodes.emplace_back(new skControllerConditional(p, &skPerception::myselfTagged, pursue, evade));
  nodes.emplace_back(new skControllerAvoid(p, nodes.back().get()));
  return new skControllerPeriodic(p, scriptedPeriod, nodes.back().get());
}

bool skArena::setUp(std::string& error) {
  const skRules rules = options.classic ? skRules::classic() : skRules::full();
  gs.reset(new skGameState(worldDim));
  if (options.seeded) gs->getRandom().seed(options.seed);
  gs->setTimer(&timer);
  sim.reset(new skSimulator(gs.get(), rules));
  perception.reset(new skPerception(gs.get()));
  setupCharacters(*gs, perception.get(), makeScripted(options.player), options.learning);
  setupObstacles(*gs, rules);
  // The game's own layout is built; only the play follows the seed.
  if (options.playSeeded) gs->getRandom().seed(options.seed);

  for (int k = 0; k < 2; ++k) {
    skCharacter* c = gs->getCharacter(k + 1);
    if (options.npc == skArenaOptions::Npc::scripted) {
      c->setController(makeScripted(skArenaOptions::Player::chaser));
      continue;
    }
    learners[k] = static_cast<skControllerRL*>(c->getController());
    learners[k]->setLearning(options.npc == skArenaOptions::Npc::learn);
    const std::string& file = options.loadTactics[k];
    if (!file.empty() && !skTacticsFile::load(*learners[k], file, error)) return false;
  }

  // One row a minute: room for all of them now, so that a run allocates
  // nothing once it is going.
  minutes.reserve(static_cast<size_t>(options.stepCount() * options.stepMs / 60000 + 2));
  timer.start();
  gs->getCharacter(0)->setTagged(timer.gameTime());
  return true;
}

void skArena::setController(int k, std::unique_ptr<skController> root) {
  skAssertMsg(gs && 0 <= k && k < characterCount, "setController: after setUp, k in 0..2");
  skAssertMsg(root && root->getPerception() == perception.get(),
              "setController: the controller must look through the arena's getPerception()");
  if (k > 0) learners[k - 1] = nullptr;
  gs->getCharacter(k)->setController(root.release());
}

void skArena::step() {
  simulatedMs += options.stepMs;
  sim->simulate(options.stepMs / 1000.0);
  gameMs += options.stepMs;
  current.gameMs += options.stepMs;

  int now = tagged;
  for (int i = 0; i < 3; ++i) {
    if (gs->getCharacter(i)->getIsTagged()) now = i;
  }
  if (now != tagged) {
    ++current.tagsMade[tagged];
    ++current.tagsReceived[now];
    tagged = now;
  }
  current.itMs[tagged] += options.stepMs;
}

void skArena::closeMinute() {
  for (int k = 0; k < 2; ++k) {
    if (!learners[k]) continue;
    const skRealVec& q = learners[k]->getQTable();
    double change = 0.0;
    for (unsigned int e = 0; e < q.size(); ++e) change += std::fabs(q[e] - tables[k][e]);
    current.tableChange[k] = change;
    tables[k] = q;
  }
  minutes.push_back(current);
  const int next = current.minute + 1;
  current = skArenaMinute();
  current.minute = next;
}

bool skArena::advance(long long count) {
  const long long total = options.stepCount();
  if (stepsDone == 0) {
    current = skArenaMinute();
    current.minute = 1;
    for (int k = 0; k < 2; ++k) {
      if (learners[k]) tables[k] = learners[k]->getQTable();
    }
  }
  for (; count > 0 && stepsDone < total && !stopping.load(std::memory_order_relaxed); --count) {
    step();
    ++stepsDone;
    // A minute ends after the step that reaches its last millisecond.
    if (gameMs >= 60000LL * current.minute || stepsDone == total) closeMinute();
  }
  if (!stopping.load(std::memory_order_relaxed)) return stepsDone < total;
  if (current.gameMs > 0) closeMinute();
  return false;
}

void skArena::run(void (*progress)(long long, long long, void*), void* context) {
  const long long total = options.stepCount();
  // The bar moves in about 200 steps, so reporting costs nothing.
  const long long reportEvery = total / 200 + 1;
  while (advance(reportEvery)) {
    if (progress) progress(stepsDone, total, context);
  }
  if (progress) progress(stepsDone, total, context);
}

bool skArena::saveTables(std::string& error, bool streamsToo) {
  for (int k = 0; k < 2; ++k) {
    const std::string& file = options.saveTactics[k];
    if (file.empty() || !learners[k]) continue;
    if (!streamsToo && !skFileSaver::replaces(file)) continue;
    std::string why;
    if (!skTacticsFile::save(*learners[k], file, why)) {
      error = "cannot save tactics file '" + file + "': " + why +
              " (any previous file is left as it was)";
      return false;
    }
  }
  return true;
}

}  // namespace skivo
