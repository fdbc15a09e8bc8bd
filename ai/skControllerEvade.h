// skControllerEvade: flee straight away from the tagged character at full speed.
// Preconditions (fatal when broken): someone is tagged, and this character is
// not standing on the tagged one's position - in particular it must not be the
// tagged character itself. Positions are compared as the perception measures
// them (plainly, or across seamless edges), or by the shortest way across the
// wrapped edges when asked.
#pragma once

#include "skController.h"
#include "skPerception.h"

namespace skivo {

class skControllerEvade : public skController {
 public:
  // perception: shared, not owned; bound to the character before calcAction.
  // measure: asSeen (the default) flees the way the perception sees "it";
  // shortestWay flees the way across the wrapped edges, whatever the edges.
  explicit skControllerEvade(skPerception* perception,
                             skPerception::Measure measure = skPerception::Measure::asSeen);
  ~skControllerEvade() override;

  void calcAction() override;

 private:
  skPerception::Measure measure;
};

}  // namespace skivo
