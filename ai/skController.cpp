#include "skController.h"

#include "skPerception.h"

namespace skivo {

void skController::bindPerception(skCharacter* me) {
  if (perception) perception->setMe(me);
}

void skController::notifyTagged(skCharacter* c) {
  if (perception) perception->setTagged(c);
}

}  // namespace skivo
