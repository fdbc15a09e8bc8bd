// The part of skController that needs to know what a perception is.
#include "skController.h"

#include "skPerception.h"

namespace skivo {

skController::skController(skPerception* p) : perception(p), observer(p) {}

void skController::setPerception(skPerception* p) {
  perception = p;
  observer = p;
}

}  // namespace skivo
