// skController: the interface of every behaviour that drives a character.
// A character owns its (root) controller and asks it once per simulation step
// to decide (calcAction); the decision stays in its action. A controller reads
// the world only through its perception (ai/skPerception.h), shared and not
// owned. The world never looks into the perception itself: it asks the
// controller to bind it to the character about to decide and to tell it who
// became "it", and the controller passes both on through the perception's
// world-level face (skObserver). The constructor and setPerception, which
// take the perception itself, are defined beside it in ai/skController.cpp,
// since only code that knows perceptions makes controllers.
#pragma once

#include "skAction.h"
#include "skObserver.h"

namespace skivo {

class skCharacter;
class skPerception;

class skController {
 public:
  // perception: shared, not owned; may be null for a controller that never
  // looks at the world, and must be set before calcAction if it is queried.
  explicit skController(skPerception* perception);
  virtual ~skController() = default;

  // Decides and leaves the decision in getAction().
  virtual void calcAction() = 0;

  // Points the perception at me (setMe); the simulator calls it right before
  // calcAction. A controller whose inner controllers look through other
  // perceptions may override it to bind those too.
  virtual void bindPerception(skCharacter* me);
  // Tells the perception that c has just become "it" (setTagged); called by
  // the character.
  virtual void notifyTagged(skCharacter* c);

  skAction& getAction() { return action; }
  void setAction(const skAction& a) { action = a; }
  skPerception* getPerception() { return perception; }
  void setPerception(skPerception* p);

 protected:
  skPerception* perception;
  skAction action;

 private:
  // The same object as perception, as the world sees it.
  skObserver* observer;
};

}  // namespace skivo
