// skivo-watch: skivo-arena's match in a window (skivo-arena --watch runs it).
// It takes skivo-arena's options; --watch is implied.
#include "skArenaProgram.h"
#include "skArenaWatch.h"

int main(int argc, char** argv) {
  skivo::skArenaProgram program;
  program.window = skivo::skArenaWatch::make;
  program.watched = true;
  return skivo::arenaMain(argc, argv, program);
}
