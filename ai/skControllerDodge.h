// skControllerDodge: flee from "it" as a player who uses the arena to shake
// a pursuer, seeing the others by the shortest way across the wrapped edges.
// In order:
//   edge:  with "it" within edgeThreat, an edge within edgeReach of my centre
//          that lies away from "it" (within 60 degrees of straight away) is
//          crossed straight: on the far side, whoever measures plain
//          differences sees me at the other end of the arena, and under
//          plain edges nothing collides or tags across one;
//   hide:  otherwise, with "it" within hideThreat, the spot behind a lone
//          fixed circle (no other within my diameter of its rim: one of a
//          wall leaves a dead end) within hideReach, on the far side from
//          "it", hideGap clear of its rim, that lies away from "it" (less
//          than a right angle from straight away, and further from "it"
//          than I am) and that I reach at least hideLead seconds before "it"
//          could (the one with the largest lead); once there (within
//          arrive), I stand, the circle between us, until "it" comes round;
//   flee:  otherwise straight away from "it".
// Always at full speed except while standing hidden. Needs someone "it" other
// than me (fatal otherwise: ask skPerception::myselfTagged first, e.g. with
// skControllerConditional). Lengths in world units, times in seconds.
#pragma once

#include <vector>

#include "skController.h"
#include "skVec2.h"

namespace skivo {

class skObstacleCircle;

class skControllerDodge : public skController {
 public:
  struct Settings {
    skReal edgeThreat = 120;
    skReal edgeReach = 40;
    skReal hideThreat = 200;
    skReal hideReach = 120;
    skReal hideGap = 4;
    skReal hideLead = 0.25;
    skReal arrive = 3;
  };
  // What the last decision chose.
  enum class Choice { flee, edge, hide };

  // perception: shared, not owned; bound to the character before calcAction.
  skControllerDodge(skPerception* perception, const Settings& settings);
  // With the default settings.
  explicit skControllerDodge(skPerception* perception);
  ~skControllerDodge() override;

  // Looks at every fixed circle; allocates nothing.
  void calcAction() override;

  Choice getChoice() const { return choice; }
  const Settings& getSettings() const { return settings; }

 private:
  Settings settings;
  Choice choice = Choice::flee;
  // The world's immovable circles, looked up when made and again whenever
  // the number of obstacles changes (allocates then only).
  mutable std::vector<const skObstacleCircle*> circles;
  mutable int obstaclesSeen = -1;
  const std::vector<const skObstacleCircle*>& fixedCircles() const;

  // The way to an edge to cross (see above), or (0, 0); toIt: the shortest
  // way from my centre to "it"'s.
  skVec2 edgeAway(const skVec2& toIt) const;
  // The way from my centre to the best spot to hide, or false.
  bool hideSpot(const skVec2& toIt, skVec2& spot) const;
};

}  // namespace skivo
