// Feeds arbitrary command lines, split into arguments at NUL bytes and line
// ends, to skArenaOptions::parse. Parsing must never crash, both entry points
// must agree, every refusal must say why, and whatever it accepts must
// describe a run the arena can do, with no output overwriting another file.
#include <cstdlib>
#include <string>
#include <vector>

#include "skAdaptiveOpponents.h"
#include "skArenaOptions.h"

using namespace skivo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> args(1);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == '\0' || data[i] == '\n')
      args.emplace_back();
    else
      args.back().push_back(static_cast<char>(data[i]));
  }
  if (args.back().empty()) args.pop_back();
  std::vector<const char*> argv{"skivo-arena"};
  for (const std::string& a : args) argv.push_back(a.c_str());
  skArenaOptions o, viaArgv;
  std::string error, errorViaArgv;
  const bool ok = o.parse(args, error);
  if (viaArgv.parse(static_cast<int>(argv.size()), argv.data(), errorViaArgv) != ok) std::abort();
  if (!ok) {
    if (error.empty() || error != errorViaArgv) std::abort();
    return 0;
  }
  const long long steps = o.stepCount();  // game time is counted in int milliseconds
  const bool scripted = o.opponents.scripted();
  bool bad = !(o.minutes > 0) || o.minutes > skArenaOptions::maxMinutes || o.stepMs < 1 ||
             o.stepMs > skArenaOptions::maxStepMs || !(o.checkpointMinutes >= 0) ||
             o.checkpointMinutes > skArenaOptions::maxMinutes || steps < 1 ||
             steps * o.stepMs > 2147483647LL + o.stepMs ||
             (!o.saveTactics[0].empty() && o.saveTactics[0] == o.saveTactics[1]);
  const skLearningSettings& l = o.learning;
  bad = bad ||
        !(l.alpha >= 0 && l.alpha <= 1 && l.gamma >= 0 && l.gamma <= 1 && l.epsilon >= 0 &&
          l.epsilon <= 1) ||
        l.thinkMs < 0 || l.thinkMs > skArenaOptions::maxStepMs || o.opponents.grade < 0 ||
        o.opponents.grade >= skAdaptiveOpponents::gradeCount || !(o.speed > 0) ||
        o.speed > skArenaOptions::maxSpeed;
  for (int k = 0; k < 2; ++k) {
    bad = bad || (scripted && !(o.loadTactics[k].empty() && o.saveTactics[k].empty())) ||
          (!o.csv.empty() && (o.csv == o.loadTactics[k] || o.csv == o.saveTactics[k]));
  }
  if (bad) std::abort();
  return 0;
}
