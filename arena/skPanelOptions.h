// skPanelOptions: the command line of skivo-panel, which judges kinds of
// opponents against the panel of scripted players (skArenaPanel). Parsing
// never exits and never prints: it returns false with a message naming the
// option, so that bad input is reported once by the caller (and can be
// fuzzed).
#pragma once

#include <string>
#include <vector>

#include "skArenaPanel.h"
#include "skCommandLine.h"

namespace skivo {

class skPanelOptions {
 public:
  // The panel asked for, its opponents resolved.
  skArenaPanel::Request request;
  // The kinds of opponents as given (comma-separated).
  std::string opponents = "trained,learning,frozen,scripted";
  // Also one CSV row per match to this file; empty when not given.
  std::string runsFile;
  // Matches at once; 0: one per core.
  int jobs = 0;
  bool help = false;

  // Parses argv[1..argc-1] with table() and resolves the opponents into
  // request.opponents. False with a message naming the option and the bad
  // value; the options are then unspecified.
  bool parse(int argc, char** argv, std::string& error);
  bool parse(const std::vector<std::string>& args, std::string& error);
  // The options, each setting its field of this value (which must outlive
  // the table).
  std::vector<skCommandLine::Option> table();
  // The --help text.
  static std::string usage();

 private:
  long long seeds = 0, firstSeed = 0;
  // request.opponents from opponents; false with a message naming the kind.
  bool resolve(std::string& error);
};

}  // namespace skivo
