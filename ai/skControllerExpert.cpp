#include "skControllerExpert.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "skCharacter.h"
#include "skGameState.h"
#include "skObstacleCircle.h"
#include "skPerception.h"
#include "skTorusPaths.h"

namespace skivo {

namespace {

// The game's rule: whoever is "it" runs at this share of the top speed.
const skReal itShare = 0.8;
// Room kept between my disk and a circle when planning, world units: a
// little more than rounding, so that paths do not graze.
const skReal gridMargin = 2.0;
const skReal sightMargin = 1.0;
// The longest lead on a target in sight, seconds: the others change course
// often, so a longer guess is mostly wrong.
const skReal maxLead = 0.6;
// The slowest closing speed a chase is judged by, as a share of my speed.
const skReal minClosing = 0.2;
// A new target must be this much sooner to reach than the current one.
const skReal switchGain = 0.8;
// Bursts: closing in on a target I reach within this time, or escaping one
// who is "it" and reaches me within that time or distance.
const unsigned int chaseBurstMs = 900;
const unsigned int escapeBurstMs = 1100;
const skReal escapeBurstDistance = 80;
// Nothing presses while the one to meet or to flee is further than this, ms.
const unsigned int calmMs = 2000;
// A refill stop at most this often, ms, and only when less than this much
// energy (seconds of sprint x 10) is left.
const int refillGap = 400;
const skReal refillBelow = 1.0;
// Time gained on the threat that a cell of my territory counts at most, ms.
const std::uint16_t gainCap = 1500;
// The weight of keeping the way I ran last: a share of the score.
const skReal keepBonus = 0.05;
// Plans come this many times further apart while nothing is pressing.
const int calmFactor = 4;
// Gaps between two circles that I try to squeeze through when walled in:
// within this distance of me, and at least this share of my diameter wide
// (the collision response lets a disk through a gap a little narrower than
// itself).
const skReal squeezeReach = 45;
const skReal squeezeGap = 1.5;
// Cells of the way ahead that a chase looks down for the furthest in sight.
const int lookAhead = 8;
// How far ahead the one who is "it" is judged from, seconds.
const skReal threatLead = 0.2;

}  // namespace

skControllerExpert::skControllerExpert(skPerception* p, const skRules& r)
    : skController(p), rules(r), paths(std::make_unique<skTorusPaths>()) {}

skControllerExpert::~skControllerExpert() = default;

void skControllerExpert::prepare() {
  skCharacter* me = perception->getMe();
  skGameState* gs = perception->getGameState();
  std::vector<skTorusPaths::Circle> circles;
  for (int j = 0; j < gs->getObstacleCount(); ++j) {
    const skObstacle* o = gs->getObstacle(j);
    const auto* circle = dynamic_cast<const skObstacleCircle*>(o);
    // Only immovable circles stay put; characters are judged as they move.
    if (!circle || o->getMass() < Inf || dynamic_cast<const skCharacter*>(o)) continue;
    circles.push_back({circle->position(), circle->getRadius()});
  }
  pullAcceleration = skVec2(0, -rules.pull * me->getMaxForce() / me->getMass());
  // The times of whoever is "it", for the chase and as a careful measure of
  // the threat when I flee (as if it ran as fast as I do).
  const skReal top = me->getIsTagged() ? me->getMaxSpeed() : itShare * me->getMaxSpeed();
  const skRealVec& dim = gs->getWorldDim();
  paths->build(circles, skVec2(dim[0], dim[1]), me->getRadius() + gridMargin,
               {top, pullAcceleration});
  ready = true;
}

void skControllerExpert::calcAction() {
  if (!ready) prepare();
  const int now = perception->getTime();
  if (!perception->getTagged()) {
    action.setDesiredSpeed(0);
    return;
  }
  const bool it = perception->myselfTagged();
  if (it != wasIt || now >= nextPlan) {
    wasIt = it;
    plan(it);
    nextPlan = now + (urgent ? planPeriod : calmFactor * planPeriod);
  }
  const skVec2 here = perception->getMe()->position();
  const skVec2 way = target && chaseInSight ? leadWay(*target) : paths->offset(here, aim);
  steer(way, now);
}

void skControllerExpert::plan(bool it) {
  target = nullptr;
  chaseInSight = false;
  urgent = false;
  burst = false;
  if (it) {
    planChase();
  } else {
    planEscape(*perception->getTagged());
  }
}

void skControllerExpert::planChase() {
  const skCharacter* me = perception->getMe();
  skGameState* gs = perception->getGameState();
  const skVec2 here = me->position();
  const int from = paths->freeCellNear(here);
  const skReal speed = me->getMaxSpeed();
  const skReal sight = me->getRadius() + sightMargin;

  // The character I reach soonest: straight when in sight, else by the grid;
  // the one I chased last keeps its place unless another is clearly sooner.
  const skCharacter* best = nullptr;
  skReal bestMs = Inf, lastMs = Inf;
  bool bestInSight = false, lastInSight = false;
  int bestCell = -1, lastCell = -1;
  for (int i = 0; i < gs->getCharacterCount(); ++i) {
    const skCharacter* c = gs->getCharacter(i);
    if (c == me) continue;
    const skVec2 way = paths->offset(here, c->position());
    const skReal gap = std::max<skReal>(0, way.length() - me->getRadius() - c->getRadius());
    const bool inSight = paths->clear(here, way.withLength(gap), sight);
    const int to = paths->freeCellNear(c->position());
    // A target that runs away nearly as fast as I do is hardly worth it.
    const skReal closing = speed - std::max<skReal>(0, c->velocity().dot(way.normalized()));
    skReal ms = 1000 * gap / std::max(closing, minClosing * speed);
    if (!inSight) {
      const unsigned int t =
          from >= 0 && to >= 0 ? paths->time(from, to) : skTorusPaths::unreachable;
      // Not on the grid (a gap narrower than a cell): still worth a straight
      // try, but only when nobody else can be reached.
      ms = t == skTorusPaths::unreachable ? 1e9 + ms : std::max<skReal>(ms, t);
    }
    if (c == lastChased) {
      lastMs = ms;
      lastInSight = inSight;
      lastCell = to;
    }
    if (ms < bestMs) {
      best = c;
      bestMs = ms;
      bestInSight = inSight;
      bestCell = to;
    }
  }
  if (!best) return;
  if (lastChased && best != lastChased && !(bestMs < switchGain * lastMs)) {
    best = lastChased;
    bestMs = lastMs;
    bestInSight = lastInSight;
    bestCell = lastCell;
  }
  lastChased = best;
  target = best;
  urgent = bestMs < calmMs;
  burst = bestMs < chaseBurstMs;
  if (bestInSight) {
    chaseInSight = true;
    return;
  }
  if (from < 0 || bestCell < 0 || paths->time(from, bestCell) == skTorusPaths::unreachable) {
    // Walled in, or the target is: through the widest gap, or else straight.
    chaseInSight = !squeezeOut(here, best->position());
    return;
  }
  // Round the circles: the furthest cell of the fastest way that is still in
  // sight, a few cells ahead at most.
  aim = paths->centre(from);
  for (int cell = from, k = 0; k < lookAhead && cell != bestCell; ++k) {
    cell = paths->nextCell(cell, bestCell);
    if (cell < 0) break;
    const skVec2 c = paths->centre(cell);
    if (!paths->clear(here, paths->offset(here, c), sight)) {
      if (k == 0) aim = c;  // squeezed: at least move on along the way
      break;
    }
    aim = c;
  }
}

bool skControllerExpert::squeezeOut(const skVec2& here, const skVec2& towards) {
  const skReal r = perception->getMe()->getRadius();
  const std::vector<skTorusPaths::Circle>& circles = paths->getCircles();
  const skVec2 goal = paths->offset(here, towards).normalized();
  const int home = paths->freeCellNear(here);
  const int mine = home < 0 ? 0 : paths->regionSize(home);
  skReal bestScore = -Inf;
  for (size_t i = 0; i < circles.size(); ++i) {
    const skVec2 a = paths->offset(here, circles[i].centre);
    if (a.length() > squeezeReach) continue;
    for (size_t j = i + 1; j < circles.size(); ++j) {
      const skVec2 b = paths->offset(here, circles[j].centre);
      if (b.length() > squeezeReach) continue;
      const skReal gap = (b - a).length() - circles[i].radius - circles[j].radius;
      // Too narrow to squeeze through, or wide enough to be on the grid.
      if (gap < squeezeGap * r || gap >= 2 * r) continue;
      const skVec2 middle = 0.5 * (a + b);
      // Out through the gap: across the line of the two circles, away from me.
      skVec2 out = (b - a).turnedRight().normalized();
      if (out.dot(middle) < 0) out = -out;
      // Only into more room than I have.
      const int beyond = paths->freeCellNear(here + middle + (2 * r) * out);
      if (beyond < 0 || paths->regionSize(beyond) <= mine) continue;
      const skReal score = gap + r * out.dot(goal);
      if (score > bestScore) {
        bestScore = score;
        aim = here + middle + (2 * r) * out;
      }
    }
  }
  return bestScore > -Inf;
}

void skControllerExpert::planEscape(const skCharacter& threat) {
  const skCharacter* me = perception->getMe();
  lastChased = nullptr;
  const skVec2 here = me->position();
  const skVec2 away = paths->offset(threat.position(), here);
  aim = here + away.withLength(100);  // until something better is found
  const int from = paths->freeCellNear(here);
  // Where the one who is "it" will be in a moment, at its pace.
  const int danger = paths->freeCellNear(threat.position() + threatLead * threat.velocity());
  if (from < 0 || danger < 0) return;
  const unsigned int reach = paths->time(danger, from);
  urgent = reach < calmMs;
  burst = reach < escapeBurstMs || away.length() < escapeBurstDistance;

  // The refuge: a cell two steps away, in sight, from which I keep the most
  // of the arena to myself, by the time I gain on the threat there; the way
  // I ran last is kept unless another is clearly better.
  const skReal sight = me->getRadius() + sightMargin;
  const skVec2 before = lastEscape.normalized();
  skReal bestScore = -Inf;
  for (int dy = -2; dy <= 2; ++dy) {
    for (int dx = -2; dx <= 2; ++dx) {
      if (std::max(std::abs(dx), std::abs(dy)) != 2) continue;
      const int cell = skTorusPaths::shifted(from, dx, dy);
      if (paths->blocked(cell)) continue;
      const skVec2 way = paths->offset(here, paths->centre(cell));
      if (!paths->clear(here, way, sight)) continue;
      const unsigned int there = paths->time(from, cell);
      if (there == skTorusPaths::unreachable) continue;
      const skReal keep = 1.0 + keepBonus * std::max<skReal>(0, before.dot(way.normalized()));
      const skReal score = keep * static_cast<skReal>(territory(cell, there, danger));
      if (score > bestScore) {
        bestScore = score;
        aim = here + way;
      }
    }
  }
  lastEscape = paths->offset(here, aim);
}

long skControllerExpert::territory(int from, unsigned int extraMs, int threat) const {
  const std::uint16_t* mine = paths->sampleRow(from);
  // The threat is taken to run as fast as I do (both at its pace): then every
  // cell I reach first lies on a way of cells I reach first, and no way leads
  // past it.
  const std::uint16_t* theirs = paths->sampleRow(threat);
  // Each cell counts the time I gain there, up to a cap: open ground far
  // from the threat weighs most. In 16 bits, floored at 0, so that it runs in
  // wide vector lanes; an unreachable cell of mine gains nothing.
  const std::uint16_t extra = static_cast<std::uint16_t>(std::min(extraMs, 0xFFFFu));
  long sum = 0;
  for (int c = 0; c < skTorusPaths::sampleCount; ++c) {
    const std::uint16_t limit = theirs[c] > extra ? theirs[c] - extra : 0;
    const std::uint16_t gain = limit > mine[c] ? limit - mine[c] : 0;
    sum += std::min(gain, gainCap);
  }
  return sum;
}

skVec2 skControllerExpert::leadWay(const skCharacter& t) const {
  const skCharacter* me = perception->getMe();
  const skVec2 here = me->position();
  const skVec2 r = paths->offset(here, t.position());
  const skVec2 v = t.velocity();
  const skReal s = me->getMaxSpeed();
  // The meeting time: |r + v tau| = s tau, the smaller positive root;
  // without one (it runs away faster), where it will be when I get there.
  const skReal a = v.dot(v) - s * s, b = 2 * r.dot(v), c = r.dot(r);
  skReal tau = std::sqrt(c) / s;
  if (std::fabs(a) > 1e-9) {
    const skReal disc = b * b - 4 * a * c;
    if (disc >= 0) {
      const skReal q = std::sqrt(disc);
      const skReal t1 = (-b - q) / (2 * a), t2 = (-b + q) / (2 * a);
      const skReal lo = std::min(t1, t2), hi = std::max(t1, t2);
      if (lo > 0)
        tau = lo;
      else if (hi > 0)
        tau = hi;
    }
  }
  const skVec2 lead = r + std::min(tau, maxLead) * v;
  const skReal gap = std::max<skReal>(0, lead.length() - me->getRadius() - t.getRadius());
  return paths->clear(here, lead.withLength(gap), me->getRadius() + sightMargin) ? lead : r;
}

void skControllerExpert::steer(const skVec2& way, int now) {
  const skCharacter* me = perception->getMe();
  const skVec2 u = way.normalized();
  if (u.isAlmostZero()) return;  // on the spot: keep the last decision
  if (rules.sprint && burst && me->getSprintEnergy() < refillBelow &&
      now - lastRefill >= refillGap) {
    // One slow step refills the energy; the next, at full speed, sprints.
    lastRefill = now;
    action.setDesiredDirection(u);
    action.setDesiredSpeed(0);
    return;
  }
  // Lean against the pull: the desired velocity at full speed whose part
  // across u cancels the pull, so that the velocity settles along u (with
  // the pull, as fast as the top speed lets; against it, slower).
  const skReal top = me->getMaxSpeed();
  const skVec2 lean = -pullAcceleration;
  const skReal along = u.dot(lean);
  const skReal disc = along * along - lean.squaredLength() + top * top;
  const skReal s = disc > 0 ? -along + std::sqrt(disc) : 0;
  action.setDesiredDirection(s > 0 ? (s * u + lean).normalized() : u);
  action.setDesiredSpeed(1);
}

}  // namespace skivo
