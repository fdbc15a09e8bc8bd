// The one check of both table-file fuzzers: load arbitrary bytes with one of
// the learning controller's load operations; it must never crash, never read
// more values than the file holds or the controller has room for, and never
// store a value that is not finite.
#pragma once

#include <cmath>
#include <cstdlib>

#include "skControllerRL.h"
#include "skFuzzFile.h"

inline bool skFuzzAllFinite(const skivo::skRealVec& v) {
  for (unsigned int i = 0; i < v.size(); ++i) {
    if (!std::isfinite(v[i])) return false;
  }
  return true;
}

// load: a member such as &skControllerRL::load_tactics; room: how many values it fills.
inline int skFuzzLoad(const uint8_t* data, size_t size,
                      unsigned int (skivo::skControllerRL::*load)(std::string),
                      unsigned int (*room)(const skivo::skControllerRL&)) {
  static skFuzzFile file;
  // No perception: loading never looks at the world.
  skivo::skControllerRL controller(nullptr);
  const unsigned int read = (controller.*load)(file.write(data, size));
  // A value takes at least one character and a separator, except the last.
  if (read > room(controller) || read > size / 2 + 1) std::abort();
  if (!skFuzzAllFinite(controller.getQTable()) || !skFuzzAllFinite(controller.getEvasionMap()) ||
      !skFuzzAllFinite(controller.getTaggingMap())) {
    std::abort();
  }
  return 0;
}
