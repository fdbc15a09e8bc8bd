#include "skController.h"

namespace skivo {

void skController::bindPerception(skCharacter* me) {
  if (observer) observer->setMe(me);
}

void skController::notifyTagged(skCharacter* c) {
  if (observer) observer->setTagged(c);
}

}  // namespace skivo
