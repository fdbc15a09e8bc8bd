// Feeds arbitrary bytes to skControllerRL::read_tactics (see skFuzzLoad.h).
#include "skFuzzLoad.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return skFuzzLoad(data, size, &skivo::skControllerRL::read_tactics,
                    [](const skivo::skControllerRL& c) {
                      return static_cast<unsigned int>(c.getQTable().size());
                    });
}
