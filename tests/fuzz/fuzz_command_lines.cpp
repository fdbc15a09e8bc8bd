// Feeds arbitrary command lines to the games' and the panel's option tables
// (the arena's has a target of its own, fuzz_arena_options): the first byte
// chooses the program, the rest is split into
// arguments at NUL bytes and line ends. Parsing must never crash, every
// refusal must say why, and whatever is accepted must lie within the ranges
// the help states.
#include <cstdlib>
#include <string>
#include <vector>

#include "skAdaptiveOpponents.h"
#include "skGameOptions.h"
#include "skPanelOptions.h"

using namespace skivo;

namespace {

void game(std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(&a[0]);
  skGameOptions o;
  std::string error;
  if (!o.parse(static_cast<int>(argv.size()), argv.data(), error)) {
    if (error.empty()) std::abort();
    return;
  }
  if ((o.players != 1 && o.players != 2) || o.fps < 0 || o.fps > 1000) std::abort();
}

void panel(const std::vector<std::string>& args) {
  skPanelOptions o;
  std::string error;
  if (!o.parse(std::vector<std::string>(args.begin() + 1, args.end()), error)) {
    if (error.empty()) std::abort();
    return;
  }
  if (o.help) return;
  const skArenaPanel::Request& r = o.request;
  bool bad = r.seeds < 1 || r.seeds > 1000 || r.players.empty() || r.rules.empty() ||
             !(r.minutes > 0) || r.minutes > skArenaOptions::maxMinutes || o.jobs < 0 ||
             o.jobs > 256 || !(r.band.low >= 0 && r.band.low <= r.band.high && r.band.high <= 1);
  for (std::size_t w = 1; w < r.windows.size(); ++w) bad = bad || r.windows[w] <= r.windows[w - 1];
  for (const skArenaPanel::Opponents& k : r.opponents) {
    bad = bad || k.name.empty() || k.opponents.grade < 0 ||
          k.opponents.grade >= skAdaptiveOpponents::gradeCount ||
          (k.opponents.kind == skOpponents::Kind::folder && k.opponents.folder.empty());
  }
  if (bad) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::vector<std::string> args(2);
  args[0] = "program";
  for (size_t i = 1; i < size; ++i) {
    if (data[i] == '\0' || data[i] == '\n')
      args.emplace_back();
    else
      args.back().push_back(static_cast<char>(data[i]));
  }
  if (args.back().empty()) args.pop_back();
  if (data[0] % 2 == 0) {
    game(args);
  } else {
    panel(args);
  }
  return 0;
}
