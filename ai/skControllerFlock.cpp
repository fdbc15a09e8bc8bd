#include "skControllerFlock.h"

#include "skUtil.h"

namespace skivo {
inline namespace SKIVO_RULES {

skControllerFlock::skControllerFlock(skPerception* p) : skController(p) {}

skControllerFlock::~skControllerFlock() = default;

void skControllerFlock::calcAction() { skUtil::error("not implemented"); }

}  // namespace SKIVO_RULES
}  // namespace skivo
