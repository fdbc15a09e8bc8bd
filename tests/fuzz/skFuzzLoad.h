// The one check of both table-file fuzzers: read arbitrary bytes with one of
// the learning controller's stream reads (the formats of its files); it must
// never crash, never read more values than the input holds or the controller
// has room for, and never store a value that is not finite.
#pragma once

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>

#include "skControllerRL.h"

inline bool skFuzzAllFinite(const skivo::skRealVec& v) {
  for (unsigned int i = 0; i < v.size(); ++i) {
    if (!std::isfinite(v[i])) return false;
  }
  return true;
}

// read: a member such as &skControllerRL::read_tactics; room: how many values it fills.
inline int skFuzzLoad(const uint8_t* data, size_t size,
                      unsigned int (skivo::skControllerRL::*load)(std::istream&),
                      unsigned int (*room)(const skivo::skControllerRL&)) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  // No perception: reading never looks at the world.
  skivo::skControllerRL controller(nullptr);
  const unsigned int read = (controller.*load)(in);
  // A value takes at least one character and a separator, except the last.
  if (read > room(controller) || read > size / 2 + 1) std::abort();
  if (!skFuzzAllFinite(controller.getQTable()) || !skFuzzAllFinite(controller.getEvasionMap()) ||
      !skFuzzAllFinite(controller.getTaggingMap())) {
    std::abort();
  }
  return 0;
}
