// skControllerTeamRole: plays one of three roles by who is "it": me, a
// teammate, or someone else (an opponent). Only the chosen child is asked,
// so the others' plans and timers do not advance. While nobody is "it" it
// stands still. The children are not owned.
#pragma once

#include "skController.h"

namespace skivo {

class skControllerTeamRole : public skController {
 public:
  // perception: shared, not owned. team: bit k set for each character k of
  // the game state on my side (k below 32; my own bit may be set or not).
  // The three children: not owned, not null (not checked), on the same
  // perception.
  skControllerTeamRole(skPerception* perception, unsigned int team, skController* whenMeIt,
                       skController* whenTeammateIt, skController* whenOpponentIt);
  ~skControllerTeamRole() override;

  void calcAction() override;
  unsigned int getTeam() const { return team; }

 private:
  unsigned int team;
  skController* whenMeIt;
  skController* whenTeammateIt;
  skController* whenOpponentIt;
};

}  // namespace skivo
