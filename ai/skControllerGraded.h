// skControllerGraded: makes the opponent it wraps weaker in ways a person
// notices, by grade: it reacts later, aims less well, runs slower, may use
// fewer of its skills, and now and then slips (roams instead of chasing or
// helping, runs at the player who is "it" instead of fleeing). A grade that
// asks for none of that passes the inner decision on untouched and draws no
// random numbers, so the strongest grade plays exactly as the inner
// controller alone.
//
// None of it stands still: a slip roams to a random point of the arena by
// the fastest way, so a weak opponent is slow and careless, never stuck.
//
// It plays as one of a team against the player, character 0. It reads the
// game clock and draws from the world's random stream (a seeded world plays
// the same every time); it allocates nothing.
#pragma once

#include "skController.h"
#include "skVec2.h"

namespace skivo {

class skControllerSkillLearner;
class skPlanner;

// One grade of a skill opponent's strength (skControllerGraded).
struct skSkillGrade {
  // Game milliseconds between what it sees and what it does (0 to
  // skControllerGraded::maxReactionMs).
  int reactionMs = 0;
  // Aiming noise: its direction turned by up to this many degrees either
  // way, drawn afresh at each slip decision.
  double aimDegrees = 0;
  // The share of the desired speed it asks for, 0 to 1 (below 1 it never
  // sprints).
  double speedShare = 1;
  // The skills it may choose (skControllerSkillLearner::setAllowed).
  unsigned int allowed = ~0u;
  // Shares of the slip decisions, 0 to 1: "it", spent chasing (else it
  // roams); the teammate "it", spent helping (else it roams); the player
  // "it", starting a run at the player, which lasts until the tag passes.
  double chaseShare = 1;
  double helpShare = 1;
  double towardsIt = 0;
};

class skControllerGraded : public skController {
 public:
  // Game milliseconds between slip decisions (and aim draws).
  static constexpr int slipMs = 500;
  // The longest reaction it can hold (longer is cut).
  static constexpr int maxReactionMs = 1000;

  // perception, planner: shared, not owned, of the same world. inner: the
  // opponent (not owned, not null). learner: whose skills the grade allows
  // (not owned; null for none).
  skControllerGraded(skPerception* perception, skPlanner* planner, skController* inner,
                     skControllerSkillLearner* learner);

  void calcAction() override;

  // Takes effect at once; a slip in progress ends at the next slip decision.
  void setGrade(const skSkillGrade& grade);
  const skSkillGrade& getGrade() const { return grade; }
  // What the last call did instead of the inner decision (none: it played it).
  enum class Slip { none, roam, towardsIt };
  Slip getSlip() const { return slip; }

 private:
  skPlanner* planner;
  skController* inner;
  skControllerSkillLearner* learner;
  skSkillGrade grade;
  Slip slip = Slip::none;
  // The next slip decision, the roaming goal and the aim's turn (radians).
  int nextSlip = -1;
  skVec2 goal;
  double turn = 0;
  // The actions of the last maxReactionMs, oldest first, in a ring.
  struct Seen {
    int time;
    skAction action;
  };
  static constexpr int ringSize = 128;
  Seen ring[ringSize];
  int ringStart = 0, ringCount = 0;

  void decideSlip(int now);
  skAction delayed(const skAction& fresh, int now);
};

}  // namespace skivo
