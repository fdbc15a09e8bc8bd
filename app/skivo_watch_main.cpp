// skivo-watch: skivo-arena's match in a window (skivo-arena --watch runs it).
// It takes skivo-arena's options; --watch is implied.

#include "skArenaOptions.h"
#include "skArenaRun.h"
#include "skArenaWatch.h"

int main(int argc, char** argv) {
  skivo::skArenaOptions options;
  int status = 0;
  if (!skivo::skArenaRun::parseCommandLine("skivo-watch", argc, argv, options, status)) {
    return status;
  }
  skivo::skArenaWatch window(options.speed);
  skivo::skArenaRun run(options);
  run.setWatcher(&window);
  return run.run();
}
