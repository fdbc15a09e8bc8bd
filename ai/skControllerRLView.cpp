#include "skControllerRLView.h"

#include <cmath>

#include "skCharacter.h"
#include "skGameState.h"
#include "skPerception.h"
#include "skTableText.h"
#include "skTacticsFile.h"
#include "skTimer.h"

namespace skivo {

namespace {

// The moves' turns from the way towards the target: 0, 45, ..., 315 degrees.
const skReal turnCos[8] = {1,  0.7071067811865476,  0, -0.7071067811865476,
                           -1, -0.7071067811865476, 0, 0.7071067811865476};
const skReal turnSin[8] = {0, 0.7071067811865476,  1,  0.7071067811865476,
                           0, -0.7071067811865476, -1, -0.7071067811865476};
// The side rays: 60 degrees either way.
const skReal sideCos = 0.5, sideSin = 0.8660254037844386;

skVec2 turned(const skVec2& v, skReal c, skReal s) {
  return {c * v.x - s * v.y, s * v.x + c * v.y};
}

// Rim-to-rim distances of the rings, and of an obstacle that blocks the way.
const skReal nearRing = 40, middleRing = 140, blockedWithin = 30, sideRays = 80;

}  // namespace

const char* const skControllerRLView::kind = "skivo-view-learner";

skLearningSettings skControllerRLView::trainingSettings(const skRules& rules) {
  skLearningSettings s;
  s.alpha = rules.sprint ? 0.3 : 0.1;
  s.gamma = 0.97;
  s.epsilon = 0.1;
  s.thinkMs = 100;
  return s;
}

skLearningSettings skControllerRLView::playSettings(const skRules& rules) {
  skLearningSettings s = trainingSettings(rules);
  s.alpha = s.alpha / 100;
  s.epsilon = 0.05;
  return s;
}

skControllerRLView::skControllerRLView(skPerception* p, const skRules& r,
                                       const skLearningSettings& s, const skRewards& w)
    : skController(p), rules(r), settings(s), rewards(w), table(stateCount * moveCount) {}

unsigned int skControllerRLView::observe() {
  skGameState& gs = *perception->getGameState();
  const skCharacter* me = perception->getMe();
  const skCharacter* player = gs.getCharacter(0);
  const skCharacter* tagged = perception->getTagged();
  skAssertMsg(tagged, "nobody is \"it\" yet: make a character \"it\" before the first step");
  const bool team = me != player;
  now = View();
  if (tagged == me) {
    now.role = chasing;
    now.target = team ? player : perception->nearestCharacterAcrossEdges();
  } else if (!team || tagged == player) {
    now.role = fleeing;
    now.target = tagged;
  } else {
    now.role = helping;
    now.target = player;
  }
  now.sideIt = team ? tagged != player : tagged == me;
  const skVec2 offset = perception->shortestOffsetTo(now.target->position());
  const skReal length = offset.length();
  if (length > 0) now.way = (1 / length) * offset;
  now.distance = length - me->getRadius() - now.target->getRadius();

  const skVec2& way = now.way;
  const unsigned int quarter =
      std::fabs(way.x) > std::fabs(way.y) ? (way.x > 0 ? 0 : 2) : (way.y > 0 ? 1 : 3);
  const unsigned int ring = now.distance < nearRing ? 0 : now.distance < middleRing ? 1 : 2;
  const bool closing = decided && last.target == now.target && last.role == now.role &&
                       now.distance < last.distance - 0.5;
  const skVec2 ahead = now.role == fleeing ? -way : way;
  const bool blocked = perception->clearance(ahead, blockedWithin) < blockedWithin;
  // Only a blocked way needs a side to turn to.
  const bool right =
      blocked && perception->clearance(turned(ahead, sideCos, sideSin), sideRays) <
                     perception->clearance(turned(ahead, sideCos, -sideSin), sideRays);
  const bool sprint = rules.sprint && me->getSprintEnergy() > 0;
  unsigned int s = now.role;
  s = s * 4 + quarter;
  s = s * 3 + ring;
  s = s * 2 + (closing ? 1 : 0);
  s = s * 2 + (blocked ? 1 : 0);
  s = s * 2 + (right ? 1 : 0);
  return s * 2 + (sprint ? 1 : 0);
}

unsigned int skControllerRLView::situation() { return observe(); }

skReal skControllerRLView::potential(const View& v) const {
  const skReal weight = v.role == chasing   ? -rewards.distance
                        : v.role == fleeing ? rewards.distance
                                            : 0.0;
  return weight * v.distance / 512.0;
}

void skControllerRLView::calcAction() {
  const unsigned int tick =
      static_cast<unsigned int>(perception->getGameState()->getTimer()->time());
  // Unsigned difference: a tick counter that wrapped still gives the interval.
  if (static_cast<skReal>(tick - lastTick) <= settings.thinkMs) return;
  const skReal seconds = (tick - lastTick) / 1000.0;
  lastTick = tick;

  const unsigned int s = observe();
  const unsigned int best = greedy(s);
  if (learning && decided) {
    skReal r = 0;
    if (now.sideIt != last.sideIt) r += now.sideIt ? rewards.received : rewards.passed;
    if (last.sideIt) r += rewards.itPerSecond * seconds;
    r += settings.gamma * potential(now) - potential(last);
    skReal& q = table[moveCount * lastState + lastMove];
    q += settings.alpha * (r + settings.gamma * table[moveCount * s + best] - q);
  }
  unsigned int m = best;
  skRandom& random = perception->getRandom();
  if (random.uniform01() < settings.epsilon) {
    m = static_cast<unsigned int>(random.uniform01() * moveCount);
    if (m >= moveCount) m = moveCount - 1;  // the draw may be exactly 1
  }
  if (now.role == fleeing && slips.towardsIt > 0 && random.uniform01() < slips.towardsIt) {
    m = 1;  // straight along the way to "it"
  } else if (now.role == chasing && slips.standWhileIt > 0 &&
             random.uniform01() < slips.standWhileIt) {
    m = 0;
  }
  move(m);
  decided = true;
  lastState = s;
  lastMove = m;
  last = now;
  ++decisionCount;
}

unsigned int skControllerRLView::greedy(unsigned int s) const {
  const skReal* q = &table[moveCount * s];
  unsigned int best = 0;
  for (unsigned int m = 1; m < moveCount; ++m) best = q[m] > q[best] ? m : best;
  return best;
}

void skControllerRLView::move(unsigned int m) {
  if (m == 0) {
    action.setDesiredSpeed(0.0);
    action.setDesiredDirection(now.way);
    return;
  }
  action.setDesiredSpeed(1.0);
  action.setDesiredDirection(turned(now.way, turnCos[m - 1], turnSin[m - 1]));
}

bool skControllerRLView::readTable(std::istream& in, std::string& why) {
  return skTableText::read(in, kind, "the view learner", stateCount, moveCount, table, why);
}

bool skControllerRLView::writeTable(std::ostream& out) const {
  return skTableText::write(out, kind, stateCount, moveCount, table);
}

bool skControllerRLView::loadTable(const std::string& file, std::string& error) {
  return skTacticsFile::load(*this, file, error);
}

bool skControllerRLView::saveTable(const std::string& file, std::string& why) const {
  return skTacticsFile::save(*this, file, why);
}

}  // namespace skivo
