#include "skTargetChoice.h"

#include "skCharacter.h"
#include "skGameState.h"
#include "skPerception.h"
#include "skPlanner.h"

namespace skivo {

namespace {
// A new choice must be met in less than this share of the last one's time.
const skReal switchGain = 0.8;
}  // namespace

skTargetChoice skTargetChoice::sparing(unsigned int team) const {
  skTargetChoice c = *this;
  c.spared |= team;
  return c;
}

const skCharacter* skTargetChoice::pick(skPerception& perception, skPlanner& planner,
                                        const skCharacter* last) const {
  const skCharacter* me = perception.getMe();
  skGameState* gs = perception.getGameState();
  const int count = gs->getCharacterCount();
  const auto isSpared = [&](const skCharacter* c) {
    for (int i = 0; i < count; ++i) {
      if (gs->getCharacter(i) == c) return (spared & bit(i)) != 0;
    }
    return false;
  };
  if (kind == Kind::tagged) {
    const skCharacter* t = perception.getTagged();
    return t && t != me && !isSpared(t) ? t : nullptr;
  }
  if (kind == Kind::character) {
    if (index < 0 || index >= count) return nullptr;
    const skCharacter* c = gs->getCharacter(index);
    return c != me && !(spared & bit(index)) ? c : nullptr;
  }
  // Whom the chaser meets soonest.
  const skCharacter* chaser = kind == Kind::soonest ? me : perception.getTagged();
  if (!chaser) return nullptr;
  const skCharacter* best = nullptr;
  skReal bestMs = Inf, lastMs = Inf;
  for (int i = 0; i < count; ++i) {
    const skCharacter* c = gs->getCharacter(i);
    if (c == me || c == chaser || (spared & bit(i))) continue;
    const skReal ms = planner.meetMs(*chaser, *c);
    if (c == last) lastMs = ms;
    if (ms < bestMs) {
      best = c;
      bestMs = ms;
    }
  }
  if (best && last && best != last && lastMs < Inf && !(bestMs < switchGain * lastMs)) return last;
  return best;
}

}  // namespace skivo
