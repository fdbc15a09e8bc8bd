// Feeds arbitrary bytes, as a file, to skTacticsFile's load of a view
// learner's table: never a crash; a refusal leaves the table as it was and
// says why; an accepted table is whole and finite.
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "skControllerRLView.h"
#include "skRules.h"
#include "skTacticsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string file = "/tmp/fuzz-view-table-" + std::to_string(getpid());
  FILE* out = std::fopen(file.c_str(), "wb");
  if (!out) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, out) != size) std::abort();
  std::fclose(out);
  skivo::skControllerRLView learner(nullptr, skivo::skRules::full());
  const skivo::skRealVec before = learner.getTable();
  std::string error;
  const bool loaded = skivo::skTacticsFile::load(learner, file, error);
  const skivo::skRealVec& table = learner.getTable();
  if (table.size() != before.size()) std::abort();
  if (!loaded && error.empty()) std::abort();
  for (unsigned int i = 0; i < table.size(); ++i) {
    if (!std::isfinite(table[i]) || (!loaded && table[i] != before[i])) std::abort();
  }
  return 0;
}
