#include "skArenaEnv.h"

#include <algorithm>
#include <cmath>

#include "skArena.h"
#include "skCharacter.h"
#include "skControllerExternal.h"
#include "skGameState.h"
#include "skPerception.h"
#include "skUtil.h"

namespace skivo {

namespace {

const double topSpeed = 100.0;
const double halfArena = 256.0;
const double restedReserve = 5.0;
const double rayReach = 128.0;
// Velocities are reported within +-10 (1000 world units a second, ten
// times the top speed), where no collision throws a character.
const double velocityBound = 10.0;

float velocity(double v) {
  return static_cast<float>(std::max(-velocityBound, std::min(velocityBound, v / topSpeed)));
}

// The eight headings of the moves and of the clearance rays.
skVec2 heading(int k) {
  static const double s = std::sqrt(0.5);
  static const skVec2 ways[8] = {{1, 0},  {s, s},   {0, 1},  {-s, s},
                                 {-1, 0}, {-s, -s}, {0, -1}, {s, -s}};
  return ways[k];
}

}  // namespace

bool skArenaEnv::check(const skArenaEnvDef& def, std::string& error) {
  if (!def.agent[0] && !def.agent[1] && !def.agent[2]) {
    error = "agents: give at least one of the characters 0, 1 and 2";
    return false;
  }
  const int stepMs = def.arena.stepMs;
  if (stepMs < 1 || stepMs > skArenaOptions::maxStepMs) {
    error =
        "step_ms: give whole milliseconds from 1 to " + std::to_string(skArenaOptions::maxStepMs);
    return false;
  }
  if (def.decisionMs < stepMs || def.decisionMs % stepMs != 0 || def.decisionMs > 3600000) {
    error = "decision_ms: give a whole number of steps of " + std::to_string(stepMs) +
            " ms, at most an hour (" + std::to_string(def.decisionMs) + " is not)";
    return false;
  }
  const double minutes = def.arena.minutes;
  if (!(minutes > 0) || minutes > skArenaOptions::maxMinutes) {
    error =
        "minutes: give game minutes above 0, at most " + skUtil::dtos(skArenaOptions::maxMinutes);
    return false;
  }
  const skRewards& r = def.arena.rewards;
  for (double v : {r.passed, r.received, r.itPerSecond, r.distance}) {
    if (!std::isfinite(v)) {
      error = "rewards: give finite numbers";
      return false;
    }
  }
  if (def.arena.player == skArenaOptions::Player::mirror && def.arena.mirrorTactics.empty() &&
      !def.agent[0]) {
    error = "player: the mirror plays a table file; give another player";
    return false;
  }
  return true;
}

skArenaEnv::skArenaEnv(const skArenaEnvDef& d) : def(d) {
  std::string error;
  if (!check(def, error)) skUtil::error("skArenaEnv: " + error);
  for (int c = 0; c < 3; ++c) {
    if (def.agent[c]) agents.push_back(c);
  }
  stepsPerDecision = def.decisionMs / def.arena.stepMs;
  // The run's options as the arena reads them: seeded at each reset, silent.
  def.arena.seeded = true;
  def.arena.playSeeded = false;
  def.arena.progress = false;
  def.arena.checkpointMinutes = 0;
  def.arena.csv.clear();
  def.arena.saveTactics[0].clear();
  def.arena.saveTactics[1].clear();
}

skArenaEnv::~skArenaEnv() = default;

bool skArenaEnv::reset(unsigned int s, float* observations, std::string& error) {
  seed = s;
  skArenaOptions options = def.arena;
  options.seed = s;
  // An agent in character 0's place needs no player of the panel.
  if (def.agent[0]) options.player = skArenaOptions::Player::still;
  auto made = std::make_unique<skArena>(options);
  if (!made->setUp(error)) return false;
  arena = std::move(made);
  for (int c = 0; c < 3; ++c) {
    drivers[c] = nullptr;
    if (!def.agent[c]) continue;
    auto driver = std::make_unique<skControllerExternal>(arena->getPerception());
    drivers[c] = driver.get();
    arena->setController(c, std::move(driver));
  }
  tagged = 0;
  truncated = false;
  for (int c = 0; c < 3; ++c) {
    itMs[c] = 0;
    tagsMade[c] = tagsReceived[c] = 0;
  }
  for (size_t a = 0; a < agents.size(); ++a) {
    observe(agents[a], observations + a * observationSize);
    potential[agents[a]] = potentialOf(agents[a]);
  }
  return true;
}

bool skArenaEnv::valid(const float* action) const {
  if (!def.boxActions) {
    const float m = action[0];
    return m >= 0 && m < moveCount && m == std::floor(m);
  }
  for (int k = 0; k < boxSize; ++k) {
    if (!std::isfinite(action[k])) return false;
  }
  return std::fabs(action[0]) <= 1 && std::fabs(action[1]) <= 1 && action[2] >= 0 && action[2] <= 1;
}

void skArenaEnv::act(int c, const float* action) {
  skAction& a = drivers[c]->getAction();
  if (!def.boxActions) {
    const int m = static_cast<int>(action[0]);
    a.setDesiredSpeed(m == 0 ? 0.0 : 1.0);
    if (m > 0) a.setDesiredDirection(heading(m - 1));
    return;
  }
  const skVec2 d(action[0], action[1]);
  if (!d.isAlmostZero()) a.setDesiredDirection(d.normalized());
  a.setDesiredSpeed(action[2]);
}

bool skArenaEnv::step(const float* actions, float* observations, float* rewards) {
  if (!arena || truncated) skUtil::error("skArenaEnv::step: reset the environment first");
  const int size = actionSize();
  for (size_t a = 0; a < agents.size(); ++a) act(agents[a], actions + a * size);
  const skRewards& r = def.arena.rewards;
  const double itShare = r.itPerSecond * def.arena.stepMs / 1000.0;
  double earned[3] = {0, 0, 0};
  for (int k = 0; k < stepsPerDecision && !truncated; ++k) {
    truncated = !arena->advance(1);
    const int now = arena->getTagged();
    if (now != tagged) {
      ++tagsMade[tagged];
      ++tagsReceived[now];
      earned[tagged] += r.passed;
      earned[now] += r.received;
      tagged = now;
    }
    itMs[tagged] += def.arena.stepMs;
    earned[tagged] += itShare;
  }
  for (size_t a = 0; a < agents.size(); ++a) {
    const int c = agents[a];
    observe(c, observations + a * observationSize);
    const double p = potentialOf(c);
    rewards[a] = static_cast<float>(earned[c] + p - potential[c]);
    potential[c] = p;
  }
  return truncated;
}

void skArenaEnv::observe(int c, float* out) const {
  skGameState& gs = arena->getGameState();
  skPerception* perception = arena->getPerception();
  skCharacter* me = gs.getCharacter(c);
  perception->setMe(me);
  const skVec2 v = me->velocity();
  out[0] = velocity(v.x);
  out[1] = velocity(v.y);
  // The last sprinting step may overdraw the reserve a little.
  out[2] =
      def.arena.rules.sprint
          ? static_cast<float>(std::min(1.0, std::max(0.0, me->getSprintEnergy() / restedReserve)))
          : 0.0f;
  int slot = 3;
  out[11] = me->getIsTagged() ? 1.0f : 0.0f;
  int itSlot = 12;
  for (int o = 0; o < 3; ++o) {
    if (o == c) continue;
    const skCharacter* other = gs.getCharacter(o);
    const skVec2 way = perception->shortestOffsetTo(other->position());
    const skVec2 ov = other->velocity();
    out[slot++] = static_cast<float>(way.x / halfArena);
    out[slot++] = static_cast<float>(way.y / halfArena);
    out[slot++] = velocity(ov.x);
    out[slot++] = velocity(ov.y);
    out[itSlot++] = other->getIsTagged() ? 1.0f : 0.0f;
  }
  for (int k = 0; k < 8; ++k) {
    const skReal free = perception->clearance(heading(k), rayReach);
    out[14 + k] = static_cast<float>(std::min(1.0, std::max(0.0, free / rayReach)));
  }
}

double skArenaEnv::potentialOf(int c) const {
  const double weight = def.arena.rewards.distance;
  if (weight == 0) return 0;
  skGameState& gs = arena->getGameState();
  skPerception* perception = arena->getPerception();
  skCharacter* me = gs.getCharacter(c);
  perception->setMe(me);
  if (!me->getIsTagged()) {
    // Fleeing: farther from "it" is better.
    const skVec2 way = perception->shortestOffsetTo(gs.getCharacter(tagged)->position());
    return weight * way.length() / 512.0;
  }
  // Chasing: nearer the nearest other is better.
  double nearest = 1e300;
  for (int o = 0; o < 3; ++o) {
    if (o == c) continue;
    nearest =
        std::min(nearest, perception->shortestOffsetTo(gs.getCharacter(o)->position()).length());
  }
  return -weight * nearest / 512.0;
}

long long skArenaEnv::getGameMs() const { return arena ? arena->getGameMs() : 0; }

}  // namespace skivo
