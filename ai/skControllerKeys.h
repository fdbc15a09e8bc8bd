// skControllerKeys: a person on the arrow keys, as a test opponent or a panel
// player. It wraps any controller, the intent (what the person means to do),
// and plays it as a person's hands can: one of eight key directions at full
// speed, or no key at all; never an analogue speed.
//
// The person looks at the screen every 150 to 300 ms of game time (drawn for
// each look from the world's random stream), asks the intent what to do about
// what they see then, aims a little off (an error drawn uniformly within
// aimNoiseDegrees) and takes, of the eight directions, the nearest to that aim
// whose way is clear of the fixed circles for clearAhead world units, as a
// person steps round a rock in their path (and, nearly still for two looks
// with keys held, turns at least a right angle from them). Their fingers follow reactionMs
// later, so what the character does is always that old, and the keys never
// change twice within shortestLookMs. While someone else is "it" and further
// than restBeyond world units away (rim to rim, by the shortest way; 0:
// never), they rest their fingers: under rules with sprint that is what
// refills it, for the game sprints anyone who asks for full speed with energy
// left (there is no sprint key to hold).
//
// person() builds the two temperaments of the panel: straight chases the
// nearest other character when "it" and flees straight away from "it"
// otherwise, both by the shortest way across the wrapped edges; dodger
// chases alike but flees as skControllerDodge (behind a circle, across an
// edge). Lengths in world units, times in milliseconds of game time.
#pragma once

#include <memory>

#include "skController.h"
#include "skRules.h"
#include "skVec2.h"

namespace skivo {

class skControllerKeys : public skController {
 public:
  enum class Temperament { straight, dodger };

  struct Settings {
    int reactionMs = 220;
    int shortestLookMs = 150;
    int longestLookMs = 300;
    skReal aimNoiseDegrees = 15;
    skReal clearAhead = 40;
    skReal restBeyond = 0;
  };

  // The keys held: noKey, or 0 to 7, the direction at key * 45 degrees from +x.
  static constexpr int noKey = -1;
  static constexpr int keyCount = 8;
  // The unit vector of key (0 to 7).
  static skVec2 keyDirection(int key);

  // perception: shared, not owned; intent: not owned, decides through the
  // same perception and must outlive this controller. Preconditions
  // (checked, fatal): 0 < shortestLookMs <= longestLookMs, and 0 <=
  // reactionMs < 7 * shortestLookMs (the looks not yet pressed fit).
  skControllerKeys(skPerception* perception, skController* intent, const Settings& settings);
  // With the default settings.
  skControllerKeys(skPerception* perception, skController* intent);
  ~skControllerKeys() override;

  // The first call looks at once; no key is held until reactionMs later.
  // Nobody "it": no key. Allocates nothing.
  void calcAction() override;

  // The keys held now (noKey or 0 to 7).
  int getKey() const { return key; }
  const Settings& getSettings() const { return settings; }

  // The settings of person(): the defaults, resting while "it" is more than
  // 150 world units away under rules with sprint (never otherwise: under a
  // pull a resting person drifts).
  static Settings personSettings(const skRules& rules);
  // A person of temperament t on perception, playing by rules: a tree that
  // owns its nodes (skControllerTree), to give to a character.
  static std::unique_ptr<skController> person(skPerception* perception, Temperament t,
                                              const skRules& rules);

 private:
  // Keys to press at game time `at`.
  struct Press {
    int at;
    int key;
  };
  // Looks come at least shortestLookMs apart and are pressed reactionMs
  // later: with the precondition, room for all that wait.
  static constexpr int maxWaiting = 8;

  skController* intent;
  Settings settings;
  int key = noKey;
  int nextLook = -1;
  int lastPress = -1;
  Press waiting[maxWaiting];
  int waitingCount = 0;
  // Looks in a row that found me nearly still with keys held.
  int stuckLooks = 0;

  // What the person decides to press, looking at the world now.
  int look();
  // Of the eight keys, the nearest to the aim (radians) whose way is clear;
  // when none is, the one whose way runs furthest.
  int keyFor(skReal aim) const;
};

}  // namespace skivo
