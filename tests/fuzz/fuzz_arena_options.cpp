// Feeds arbitrary command lines to skArenaOptions::parse. The input is split
// into arguments at NUL bytes and line ends. Parsing must never crash, must
// explain every refusal, and whatever it accepts must describe a run the
// arena can do.
#include <cstdlib>
#include <string>
#include <vector>

#include "skArenaOptions.h"

using skivo::skArenaOptions;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> args;
  std::string current;
  for (size_t i = 0; i < size; ++i) {
    const char c = static_cast<char>(data[i]);
    if (c == '\0' || c == '\n') {
      args.push_back(current);
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  if (!current.empty()) args.push_back(current);

  skArenaOptions options;
  std::string error;
  // Both entry points must agree.
  std::vector<const char*> argv{"skivo-arena"};
  for (const std::string& a : args) argv.push_back(a.c_str());
  skArenaOptions viaArgv;
  std::string errorViaArgv;
  const bool ok = options.parse(args, error);
  if (viaArgv.parse(static_cast<int>(argv.size()), argv.data(), errorViaArgv) != ok) std::abort();
  if (!ok) {
    if (error.empty() || error != errorViaArgv) std::abort();
    return 0;
  }
  if (!(options.minutes > 0) || options.minutes > skArenaOptions::maxMinutes) std::abort();
  if (options.stepMs < 1 || options.stepMs > skArenaOptions::maxStepMs) std::abort();
  if (!(options.checkpointMinutes >= 0) || options.checkpointMinutes > skArenaOptions::maxMinutes) {
    std::abort();
  }
  // Game time is counted in int milliseconds.
  const long long steps = options.stepCount();
  if (steps < 1 || steps * options.stepMs > 2147483647LL + options.stepMs) std::abort();
  if (options.npc == skArenaOptions::Npc::scripted) {
    for (int k = 0; k < 2; ++k) {
      if (!options.loadTactics[k].empty() || !options.saveTactics[k].empty()) std::abort();
    }
  }
  if (!options.saveTactics[0].empty() && options.saveTactics[0] == options.saveTactics[1]) {
    std::abort();
  }
  // No output may overwrite an input or another output.
  for (int k = 0; k < 2; ++k) {
    if (!options.csv.empty() &&
        (options.csv == options.loadTactics[k] || options.csv == options.saveTactics[k])) {
      std::abort();
    }
  }
  return 0;
}
