// skivo-panel: opponents judged against the panel of scripted players in both
// rule sets, on held-out seeds of two families, on every core (skArenaPanel).
#include <iostream>

#include "skArenaPanel.h"
#include "skFileSaver.h"
#include "skPanelOptions.h"

using namespace skivo;

int main(int argc, char** argv) {
  skPanelOptions options;
  std::string error;
  if (!options.parse(argc, argv, error)) {
    std::cerr << "skivo-panel: " << error << std::endl;
    return 2;
  }
  if (options.help) {
    std::cout << skPanelOptions::usage();
    return 0;
  }
  const skArenaPanel::Request& request = options.request;
  const std::string& runsFile = options.runsFile;
  if (!runsFile.empty() && !skFileSaver::check(runsFile, error)) {
    std::cerr << "skivo-panel: cannot write '" << runsFile << "': " << error << std::endl;
    return 2;
  }
  const std::vector<skArenaPanel::Run> runs = skArenaPanel::play(request, options.jobs);
  for (const skArenaPanel::Run& run : runs) {
    if (!run.error.empty()) {
      std::cerr << "skivo-panel: " << run.error << std::endl;
      return 2;
    }
  }
  std::cout << skArenaPanel::report(request, runs);
  if (!runsFile.empty() &&
      !skFileSaver::save(runsFile, skArenaPanel::runsCsv(request, runs), error)) {
    std::cerr << "skivo-panel: cannot write '" << runsFile << "': " << error << std::endl;
    return 1;
  }
  return 0;
}
