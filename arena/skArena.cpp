#include "skArena.h"

#include <cmath>

#include "skCharacter.h"
#include "skControllerExpert.h"
#include "skControllerKeys.h"
#include "skControllerPeriodic.h"
#include "skControllerRL.h"
#include "skControllerRLView.h"
#include "skControllerStill.h"
#include "skControllerTree.h"
#include "skControllerWander.h"
#include "skFileSaver.h"
#include "skPerception.h"
#include "skScenario.h"
#include "skTacticsFile.h"

namespace skivo {

namespace {

// How long a wanderer keeps one heading.
const int wanderPeriod = 500;

}  // namespace

skArena::skArena(const skArenaOptions& o) : options(o) {}

skArena::~skArena() = default;

std::unique_ptr<skController> skArena::makeScripted(skArenaOptions::Player kind) {
  skPerception* p = world->getPerception();
  if (kind == skArenaOptions::Player::still) return std::make_unique<skControllerStill>(p);
  if (kind == skArenaOptions::Player::expert) {
    // The world's planner, shared with opponents that plan: the same plays,
    // one table of travel times instead of two.
    return std::make_unique<skControllerExpert>(p, options.rules, world->getPlanner());
  }
  if (kind == skArenaOptions::Player::shortest) {
    return skOpponents::chaser(p, skPerception::Measure::shortestWay);
  }
  if (kind == skArenaOptions::Player::keysStraight || kind == skArenaOptions::Player::keysDodger) {
    return skControllerKeys::person(p,
                                    kind == skArenaOptions::Player::keysDodger
                                        ? skControllerKeys::Temperament::dodger
                                        : skControllerKeys::Temperament::straight,
                                    options.rules);
  }
  if (kind == skArenaOptions::Player::wander) {
    auto tree = std::make_unique<skControllerTree>(p);
    tree->setRoot(
        tree->make<skControllerPeriodic>(p, wanderPeriod, tree->make<skControllerWander>(p)));
    return tree;
  }
  return skOpponents::chaser(p);
}

bool skArena::setUp(std::string& error) {
  world = std::make_unique<skWorld>(options.worldDef());
  if (options.player == skArenaOptions::Player::mirror) {
    // A learner's table, frozen, as character 0: of the kind its file holds.
    std::unique_ptr<skController> mirror;
    if (skTacticsFile::holdsViewTable(options.mirrorTactics)) {
      auto view = std::make_unique<skControllerRLView>(world->getPerception(), options.rules,
                                                       options.learning, options.rewards);
      view->setLearning(false);
      if (!skTacticsFile::load(*view, options.mirrorTactics, error)) return false;
      mirror = std::move(view);
    } else {
      auto game = std::make_unique<skControllerRL>(world->getPerception(), options.learning);
      game->setLearning(false);
      if (!skTacticsFile::load(*game, options.mirrorTactics, error)) return false;
      mirror = std::move(game);
    }
    world->setController(0, std::move(mirror));
  } else {
    world->setController(0, makeScripted(options.player));
  }
  if (options.trackStalls) {
    stalls = std::make_unique<skArenaStalls>(options.rules,
                                             static_cast<int>(options.stallMinutes * 60000));
  }
  skOpponents::Setup setup;
  setup.tables[0] = options.loadTactics[0];
  setup.tables[1] = options.loadTactics[1];
  setup.viewSettings = options.learning;
  setup.rewards = options.rewards;
  skOpponents::Made made;
  if (!options.opponents.make(*world, setup, made, error)) return false;
  learners[0] = made.learners[0];
  learners[1] = made.learners[1];
  coach = std::move(made.coach);

  // One row a minute: room for all of them now, so that a run allocates
  // nothing once it is going.
  minutes.reserve(static_cast<size_t>(options.stepCount() * options.stepMs / 60000 + 2));
  world->start();
  return true;
}

const skControllerRL* skArena::getLearner(int k) const {
  return dynamic_cast<const skControllerRL*>(learners[k]);
}

void skArena::setController(int k, std::unique_ptr<skController> root) {
  if (!world) skUtil::error("skArena::setController: call setUp first");
  world->setController(k, std::move(root));
  if (k > 0) learners[k - 1] = nullptr;
  // The coach tunes the learners it was given; a replaced one is gone.
  if (k > 0) coach.reset();
}

void skArena::step() {
  world->step();
  if (coach) coach->update();
  gameMs += options.stepMs;
  current.gameMs += options.stepMs;

  int now = tagged;
  skGameState& gs = world->getGameState();
  for (int i = 0; i < 3; ++i) {
    if (gs.getCharacter(i)->getIsTagged()) now = i;
  }
  const bool passed = now != tagged;
  if (passed) {
    ++current.tagsMade[tagged];
    ++current.tagsReceived[now];
    current.returned += returns.pass(tagged, now, gameMs);
    tagged = now;
  }
  current.itMs[tagged] += options.stepMs;
  if (stalls) stalls->step(gs, tagged, passed, static_cast<int>(gameMs), options.stepMs);
}

void skArena::closeMinute() {
  for (int k = 0; k < 2; ++k) {
    if (!learners[k]) continue;
    const skRealVec& q = learners[k]->getTable();
    double change = 0.0;
    for (unsigned int e = 0; e < q.size(); ++e) change += std::fabs(q[e] - tables[k][e]);
    current.tableChange[k] = change;
    tables[k] = q;
  }
  minutes.push_back(current);
  const int next = current.minute + 1;
  current = skArenaMinute();
  current.minute = next;
  if (coach) current.grade = coach->getGrade();
}

bool skArena::advance(long long count) {
  const long long total = options.stepCount();
  if (stepsDone == 0) {
    current = skArenaMinute();
    current.minute = 1;
    if (coach) current.grade = coach->getGrade();
    for (int k = 0; k < 2; ++k) {
      if (learners[k]) tables[k] = learners[k]->getTable();
    }
  }
  for (; count > 0 && stepsDone < total && !stopping.load(std::memory_order_relaxed); --count) {
    step();
    ++stepsDone;
    // A minute ends after the step that reaches its last millisecond.
    if (gameMs >= 60000LL * current.minute || stepsDone == total) closeMinute();
  }
  if (!stopping.load(std::memory_order_relaxed)) {
    if (stepsDone < total) return true;
  } else if (current.gameMs > 0) {
    closeMinute();
  }
  if (stalls) stalls->finish(static_cast<int>(gameMs));
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
    if (!learners[k]->saveTable(file, why)) {
      error = "cannot save tactics file '" + file + "': " + why +
              " (any previous file is left as it was)";
      return false;
    }
  }
  return true;
}

}  // namespace skivo
