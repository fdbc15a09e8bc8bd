// skivo-watch: skivo-arena's match in a window (skivo-arena --watch runs it).
// It takes skivo-arena's options; --watch is implied.
#include <iostream>
#include <string>

#include "skArenaOptions.h"
#include "skArenaRun.h"
#include "skArenaWatch.h"

int main(int argc, char** argv) {
  skivo::skArenaOptions options;
  std::string error;
  if (!options.parse(argc, argv, error)) {
    std::cerr << "skivo-watch: " << error << std::endl;
    return 2;
  }
  if (options.help) {
    std::cout << skivo::skArenaOptions::usage();
    return 0;
  }
  skivo::skArenaWatch window(options.speed);
  skivo::skArenaRun run(options);
  run.setWatcher(&window);
  return run.run();
}
