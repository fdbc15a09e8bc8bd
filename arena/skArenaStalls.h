// skArenaStalls: the stretches of a match without a tag, and what the
// character who was "it" did meanwhile. Each step the arena tells it who is
// "it"; it classifies that character's situation and, at each tag (and at
// the end), keeps the stretch since the previous tag when it lasted at least
// the threshold. Classes, the first that holds:
//   pressed:  touching a fixed obstacle and nearly still (below a tenth of
//             its top speed): running into something it cannot pass;
//   in arc:   inside the ellipse of the arc layout while both others are
//             outside it: trapped in the arc's hollow;
//   across:   its nearest target is nearer across a wrapped edge than by the
//             plain difference: a way a player who ignores the wrap misses;
//   standing: nearly still in open space;
//   running:  none of these: moving and not catching anyone.
#pragma once

#include <vector>

#include "skRules.h"

namespace skivo {

class skGameState;

struct skArenaStall {
  enum Class { pressed, inArc, across, standing, running, classCount };
  int startMs = 0;   // game time of the previous tag (or of the start)
  int lengthMs = 0;  // game milliseconds without a tag
  int it = 0;        // character index of the one who was "it"
  int classMs[classCount] = {0, 0, 0, 0, 0};
  // The class it spent most of the stretch in (ties: the earlier class).
  Class main() const;
  static const char* className(int c);
};

class skArenaStalls {
 public:
  // Stretches of at least thresholdMs game milliseconds are kept.
  skArenaStalls(const skRules& rules, int thresholdMs);

  // After a step of stepMs that ended at game time nowMs, with character it
  // "it" (tagged: whether the tag changed in that step).
  void step(skGameState& gs, int it, bool tagged, int nowMs, int stepMs);
  // Closes the stretch in progress at game time nowMs (the end of a match).
  void finish(int nowMs);

  // The situation of character it now, as step classifies it.
  skArenaStall::Class classify(skGameState& gs, int it) const;

  const std::vector<skArenaStall>& getStalls() const { return stalls; }
  // Game milliseconds character i was "it" in class c, over the whole match
  // (not only in stalls); characters 0, 1 and 2.
  long long itMsIn(int i, int c) const { return totals[i][c]; }

 private:
  skRules rules;
  int thresholdMs;
  skArenaStall current;
  std::vector<skArenaStall> stalls;
  long long totals[3][skArenaStall::classCount] = {};
};

}  // namespace skivo
