#include "skControllerTeamRole.h"

#include "skGameState.h"
#include "skPerception.h"

namespace skivo {

skControllerTeamRole::skControllerTeamRole(skPerception* p, unsigned int t, skController* me,
                                           skController* teammate, skController* opponent)
    : skController(p), team(t), whenMeIt(me), whenTeammateIt(teammate), whenOpponentIt(opponent) {}

skControllerTeamRole::~skControllerTeamRole() = default;

void skControllerTeamRole::calcAction() {
  const skCharacter* tagged = perception->getTagged();
  if (!tagged) {
    action.setDesiredSpeed(0);
    return;
  }
  skController* role = whenOpponentIt;
  if (perception->myselfTagged()) {
    role = whenMeIt;
  } else {
    skGameState* gs = perception->getGameState();
    for (int k = 0; k < gs->getCharacterCount() && k < 32; ++k) {
      if (gs->getCharacter(k) == tagged && (team & (1u << k))) role = whenTeammateIt;
    }
  }
  role->calcAction();
  action = role->getAction();
}

}  // namespace skivo
