// Feeds arbitrary bytes to the readers of the start screen's settings and of
// the record of games (fuzz_settings, fuzz_history): never a crash; a
// refusal says why and leaves the defaults; what is read is well formed and
// writes back to text that reads the same.
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "skHistoryFile.h"
#include "skSettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::string error;
#ifdef SKIVO_FUZZ_SETTINGS
  skivo::skSettings s;
  if (!skivo::skSettingsFile::parse(text, s, error)) {
    if (error.empty() || !(s == skivo::skSettings())) std::abort();
    return 0;
  }
  skivo::skSettings again;
  if (!skivo::skSettingsFile::parse(skivo::skSettingsFile::text(s), again, error) || !(again == s))
    std::abort();
#else
  std::vector<skivo::skGameRecord> records;
  int skipped = 0;
  if (!skivo::skHistoryFile::parse(text, records, skipped, error)) {
    if (error.empty() || !records.empty()) std::abort();
    return 0;
  }
  if (skipped < 0) std::abort();
  for (const skivo::skGameRecord& r : records) {
    if (!std::isfinite(r.seconds) || r.seconds < 0 || !(r.share >= 0 && r.share <= 100) ||
        r.tags < 0)
      std::abort();
    skivo::skGameRecord back;
    if (!skivo::skHistoryFile::parseLine(skivo::skHistoryFile::line(r), back)) std::abort();
  }
#endif
  return 0;
}
