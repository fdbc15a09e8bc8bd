#include "skControllerConditional.h"

#include "skPerception.h"

namespace skivo {

skControllerConditional::skControllerConditional(skPerception* p, Condition c,
                                                 skController* whenTrue, skController* whenFalse)
    : skController(p), condition(c), controllerTrue(whenTrue), controllerFalse(whenFalse) {}

skControllerConditional::~skControllerConditional() = default;

void skControllerConditional::calcAction() {
  if ((perception->*(condition))()) {
    controllerTrue->calcAction();
    action = controllerTrue->getAction();
    return;
  }
  // A question that changes its mind within one step is a broken tree.
  skAssert(!((perception->*(condition))()));
  controllerFalse->calcAction();
  action = controllerFalse->getAction();
}

}  // namespace skivo
