#include "skControllerFlock.h"

#include "skUtil.h"

namespace skivo {

skControllerFlock::skControllerFlock(skPerception* p) : skController(p) {}

skControllerFlock::~skControllerFlock() = default;

void skControllerFlock::calcAction() { skUtil::error("not implemented"); }

}  // namespace skivo
