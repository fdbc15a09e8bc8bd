// skControllerEvade: flee straight away from the tagged character at full speed.
// Preconditions (fatal when broken): someone is tagged, and this character is
// not standing on the tagged one's position - in particular it must not be the
// tagged character itself. Positions are compared as the perception measures
// them: plainly, or across seamless edges.
#pragma once

#include "skController.h"

namespace skivo {

class skControllerEvade : public skController {
 public:
  // perception: shared, not owned; bound to the character before calcAction.
  explicit skControllerEvade(skPerception* perception);
  ~skControllerEvade() override;

  void calcAction() override;
};

}  // namespace skivo
