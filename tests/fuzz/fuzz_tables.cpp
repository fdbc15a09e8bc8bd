// Feeds arbitrary bytes to the learner's read_tactics (read_strategy with
// SKIVO_FUZZ_STRATEGY): never a crash, more values than the input holds or
// the controller has room for, or a value that is not finite.
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>

#include "skControllerRL.h"

static bool finite(const skivo::skRealVec& v) {
  for (unsigned int i = 0; i < v.size(); ++i) {
    if (!std::isfinite(v[i])) return false;
  }
  return true;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  skivo::skControllerRL c(nullptr);  // reading never looks at the world
#ifdef SKIVO_FUZZ_STRATEGY
  const size_t read = c.read_strategy(in),
               room = c.getEvasionMap().size() + c.getTaggingMap().size();
#else
  const size_t read = c.read_tactics(in), room = c.getQTable().size();
#endif
  // A value takes at least one character and a separator, except the last.
  if (read > room || read > size / 2 + 1) std::abort();
  if (!finite(c.getQTable()) || !finite(c.getEvasionMap()) || !finite(c.getTaggingMap())) {
    std::abort();
  }
  return 0;
}
