#include "skAction.h"

namespace skivo {

std::ostream& skAction::output(std::ostream& os) const {
  os << "(" << dir << ") * " << speed;
  return os;
}

std::ostream& operator<<(std::ostream& os, const skAction& a) { return a.output(os); }

}  // namespace skivo
