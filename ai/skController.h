// skController: the interface of every behaviour that drives a character.
// Asked once per simulation step (calcAction), it leaves its decision in its
// action. It reads the world only through its perception, which it does not own
// and which the simulator binds to the character right before calcAction.
#pragma once

#include "skAction.h"

namespace skivo {
inline namespace SKIVO_RULES {

class skPerception;

class skController {
 public:
  // perception: shared, not owned; must be set before calcAction if queried.
  explicit skController(skPerception* perception) : perception(perception) {}
  virtual ~skController() = default;

  // Decides and leaves the decision in getAction().
  virtual void calcAction() = 0;

  skAction& getAction() { return action; }
  void setAction(const skAction& a) { action = a; }
  skPerception* getPerception() { return perception; }
  void setPerception(skPerception* p) { perception = p; }

 protected:
  skPerception* perception;
  skAction action;
};

}  // namespace SKIVO_RULES
}  // namespace skivo
