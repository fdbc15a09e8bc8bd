#include "skControllerKeys.h"

#include <cmath>

#include "skCharacter.h"
#include "skControllerConditional.h"
#include "skControllerDodge.h"
#include "skControllerEvade.h"
#include "skControllerPursue.h"
#include "skControllerTree.h"
#include "skGameState.h"
#include "skObstacleCircle.h"
#include "skPerception.h"

namespace skivo {

namespace {

const skReal keyAngle = skMath::pi / 4;
// Room left between my rim and a circle's for a way to count as clear.
const skReal clearMargin = 1.0;
// Where person() rests while "it" is further (rules with sprint).
const skReal personRest = 150.0;
// Holding keys this many looks in a row below this share of the top speed
// is being stuck.
const int stuckAfter = 2;
const skReal stuckShare = 0.1;

// The angle between two directions, radians, 0 to pi.
skReal angleBetween(skReal a, skReal b) { return std::fabs(std::remainder(a - b, 2 * skMath::pi)); }

}  // namespace

skVec2 skControllerKeys::keyDirection(int k) {
  // Exact on the axes, so that a straight key has no sideways drift.
  static const skReal h = std::sqrt(0.5);
  static const skVec2 keys[keyCount] = {{1, 0},  {h, h},   {0, 1},  {-h, h},
                                        {-1, 0}, {-h, -h}, {0, -1}, {h, -h}};
  skAssert(k >= 0 && k < keyCount);
  return keys[k];
}

skControllerKeys::skControllerKeys(skPerception* p, skController* i, const Settings& s)
    : skController(p), intent(i), settings(s) {
  skAssertMsg(intent, "skControllerKeys: a person needs an intent to play");
  skAssertMsg(0 < s.shortestLookMs && s.shortestLookMs <= s.longestLookMs,
              "skControllerKeys: the looks come 0 < shortestLookMs <= longestLookMs apart");
  skAssertMsg(0 <= s.reactionMs && s.reactionMs < (maxWaiting - 1) * s.shortestLookMs,
              "skControllerKeys: reactionMs from 0 to less than 7 * shortestLookMs");
}

skControllerKeys::skControllerKeys(skPerception* p, skController* i)
    : skControllerKeys(p, i, Settings()) {}

skControllerKeys::~skControllerKeys() = default;

void skControllerKeys::calcAction() {
  const int now = perception->getTime();
  if (nextLook < 0 || now >= nextLook) {
    skRandom& random = perception->getRandom();
    skAssert(waitingCount < maxWaiting);
    waiting[waitingCount++] = {now + settings.reactionMs, look()};
    const int spread = settings.longestLookMs - settings.shortestLookMs;
    nextLook = now + settings.shortestLookMs + (spread > 0 ? random.uniform(spread + 1) : 0);
  }
  // The fingers: the oldest look whose time has come, never two changes
  // closer than the looks themselves may be.
  if (waitingCount > 0 && now >= waiting[0].at &&
      (lastPress < 0 || now - lastPress >= settings.shortestLookMs)) {
    key = waiting[0].key;
    lastPress = now;
    for (int w = 1; w < waitingCount; ++w) waiting[w - 1] = waiting[w];
    --waitingCount;
  }
  if (key == noKey) {
    action.setDesiredSpeed(0.0);
    return;
  }
  action.setDesiredSpeed(1.0);
  action.setDesiredDirection(keyDirection(key));
}

int skControllerKeys::look() {
  const skCharacter* it = perception->getTagged();
  if (!it) return noKey;
  if (!perception->myselfTagged() && settings.restBeyond > 0 &&
      perception->shortestDistanceToTagged() > settings.restBeyond) {
    return noKey;
  }
  intent->calcAction();
  const skAction& meant = intent->getAction();
  if (meant.getDesiredSpeed() < 0.5 || meant.direction().isAlmostZero()) return noKey;
  // A person who sees they do not move for the keys they hold tries another way.
  const skCharacter* me = perception->getMe();
  stuckLooks = key != noKey && me->getSpeed() < stuckShare * me->getMaxSpeed() ? stuckLooks + 1 : 0;
  const skReal noise =
      (2 * perception->getRandom().uniform01() - 1) * skMath::degToRad(settings.aimNoiseDegrees);
  return keyFor(std::atan2(meant.direction().y, meant.direction().x) + noise);
}

int skControllerKeys::keyFor(skReal aim) const {
  // How far my disk runs along each key before it touches a fixed circle
  // (clearAhead at most); stuck, the keys held and those beside them are out.
  skReal clear[keyCount];
  bool out[keyCount] = {};
  for (int k = 0; k < keyCount; ++k) clear[k] = settings.clearAhead;
  if (stuckLooks >= stuckAfter) {
    for (int turn = -1; turn <= 1; ++turn) out[(key + turn + keyCount) % keyCount] = true;
  }
  const skCharacter* me = perception->getMe();
  skGameState* gs = perception->getGameState();
  const skVec2 here = me->position();
  for (int j = 0; j < gs->getObstacleCount(); ++j) {
    const skObstacle* o = gs->getObstacle(j);
    if (o == me || o->getMass() < Inf) continue;
    const auto* circle = dynamic_cast<const skObstacleCircle*>(o);
    if (!circle) continue;
    const skVec2 to = gs->offset(here, circle->position());
    const skReal reach = circle->getRadius() + me->getRadius() + clearMargin;
    if (to.length() > settings.clearAhead + reach) continue;
    for (int k = 0; k < keyCount; ++k) {
      const skVec2 d = keyDirection(k);
      const skReal along = to.dot(d);
      const skReal aside = (to - along * d).length();
      if (along <= 0 || aside >= reach) continue;
      clear[k] =
          std::fmin(clear[k], std::fmax(0.0, along - std::sqrt(reach * reach - aside * aside)));
    }
  }
  // The keys in order of how far they turn from the aim: the first whose way
  // is clear, else the one that runs furthest.
  int order[keyCount];
  for (int k = 0; k < keyCount; ++k) {
    int at = k;
    const skReal turn = angleBetween(aim, k * keyAngle);
    while (at > 0 && angleBetween(aim, order[at - 1] * keyAngle) > turn) {
      order[at] = order[at - 1];
      --at;
    }
    order[at] = k;
  }
  int best = noKey;
  for (int k : order) {
    if (out[k]) continue;
    if (clear[k] >= settings.clearAhead) return k;
    if (best == noKey || clear[k] > clear[best]) best = k;
  }
  return best;
}

skControllerKeys::Settings skControllerKeys::personSettings(const skRules& rules) {
  Settings s;
  s.restBeyond = rules.sprint ? personRest : 0;
  return s;
}

std::unique_ptr<skController> skControllerKeys::person(skPerception* p, Temperament t,
                                                       const skRules& rules) {
  using M = skPerception::Measure;
  auto tree = std::make_unique<skControllerTree>(p);
  skController* chase = tree->make<skControllerPursue>(p, M::shortestWay);
  skController* flee = t == Temperament::dodger
                           ? static_cast<skController*>(tree->make<skControllerDodge>(p))
                           : tree->make<skControllerEvade>(p, M::shortestWay);
  skController* intent =
      tree->make<skControllerConditional>(p, &skPerception::myselfTagged, chase, flee);
  tree->setRoot(tree->make<skControllerKeys>(p, intent, personSettings(rules)));
  return tree;
}

}  // namespace skivo
