#include "skArenaStalls.h"

#include "skCharacter.h"
#include "skGameState.h"
#include "skObstacleCircle.h"
#include "skObstacleGrid.h"
#include "skUtil2D.h"

namespace skivo {

namespace {

// Within this many world units of a fixed obstacle's rim counts as touching.
const skReal touching = 1.0;

// Inside the ellipse on which the arc layout puts its circles (world of
// width W: centre (W/2, 3W/8), half-axes W/3 and W/4).
bool insideArc(const skVec2& p, skReal W) {
  const skReal dx = (p.x - W / 2) / (W / 3), dy = (p.y - 3 * W / 8) / (W / 4);
  return dx * dx + dy * dy < 1.0;
}

}  // namespace

skArenaStall::Class skArenaStall::main() const {
  int best = 0;
  for (int c = 1; c < classCount; ++c) best = classMs[c] > classMs[best] ? c : best;
  return static_cast<Class>(best);
}

const char* skArenaStall::className(int c) {
  static const char* const names[] = {"pressed", "in arc", "across", "standing", "running"};
  return c >= 0 && c < classCount ? names[c] : "?";
}

skArenaStalls::skArenaStalls(const skRules& r, int threshold) : rules(r), thresholdMs(threshold) {
  stalls.reserve(64);
}

skArenaStall::Class skArenaStalls::classify(skGameState& gs, int it) const {
  skCharacter* c = gs.getCharacter(it);
  const skVec2 p = c->position();
  const bool still = c->getSpeed() < 0.1 * c->getMaxSpeed();
  bool pressed = false;
  gs.getObstacleGrid().near(p, c->getRadius() + touching, [&](int j) {
    const skObstacle* o = gs.getObstacle(j);
    const auto* circle = dynamic_cast<const skObstacleCircle*>(o);
    if (circle && o != c && !(o->getMass() < Inf) && c->distanceTo(*circle) <= touching) {
      pressed = true;
    }
  });
  if (pressed && still) return skArenaStall::pressed;
  const skRealVec& size = gs.getWorldDim();
  const skVec2 world(size[0], size[1]);
  if (rules.layout == skRules::Layout::arc && insideArc(p, world.x)) {
    bool othersOut = true;
    for (int k = 0; k < gs.getCharacterCount(); ++k) {
      othersOut = othersOut && (k == it || !insideArc(gs.getCharacter(k)->position(), world.x));
    }
    if (othersOut) return skArenaStall::inArc;
  }
  // The nearest target by the shortest way, and whether the plain way is longer.
  skReal nearest = Inf, plain = Inf;
  for (int k = 0; k < gs.getCharacterCount(); ++k) {
    if (k == it) continue;
    const skVec2 q = gs.getCharacter(k)->position();
    const skReal shortest = skUtil2D::shortestOffset(p, q, world).length();
    if (shortest < nearest) nearest = shortest, plain = (q - p).length();
  }
  if (plain > nearest + touching) return skArenaStall::across;
  return still ? skArenaStall::standing : skArenaStall::running;
}

void skArenaStalls::step(skGameState& gs, int it, bool tagged, int nowMs, int stepMs) {
  if (tagged) {
    finish(nowMs - stepMs);
    current = skArenaStall();
    current.startMs = nowMs - stepMs;
  }
  current.it = it;
  current.lengthMs += stepMs;
  const skArenaStall::Class c = classify(gs, it);
  current.classMs[c] += stepMs;
  if (it < 3) totals[it][c] += stepMs;
}

void skArenaStalls::finish(int nowMs) {
  if (current.lengthMs >= thresholdMs) stalls.push_back(current);
  current = skArenaStall();
  current.startMs = nowMs;
}

}  // namespace skivo
