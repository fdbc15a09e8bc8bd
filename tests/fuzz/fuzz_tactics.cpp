// Feeds arbitrary bytes to skControllerRL::load_tactics: it must never crash,
// never read more values than the file holds or the controller has room for,
// and never store a value that is not finite.
#include <cmath>
#include <cstdlib>

#include "skControllerRL.h"
#include "skFuzzFile.h"

using skivo::skControllerRL;

namespace {

unsigned int entries(const skControllerRL& c) { return c.getQTable().size(); }

bool allFinite(const skivo::skRealVec& v) {
  for (unsigned int i = 0; i < v.size(); ++i) {
    if (!std::isfinite(v[i])) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static skFuzzFile file;
  // No perception: loading never looks at the world.
  skControllerRL controller(nullptr);
  const unsigned int read = controller.load_tactics(file.write(data, size));
  // A value takes at least one character and a separator, except the last.
  if (read > entries(controller) || read > size / 2 + 1) std::abort();
  if (!allFinite(controller.getQTable()) || !allFinite(controller.getEvasionMap()) ||
      !allFinite(controller.getTaggingMap())) {
    std::abort();
  }
  return 0;
}
