// The process entry of skivo and skivo-classic (which rules it plays is
// decided by the library it is linked with).
#include <SDL.h>

#include "skGame.h"

// Where SDL 1.2 must run its own start-up first (Windows, macOS) SDL.h renames
// this function SDL_main and SDL's code calls it; on Linux it is the entry.
int main(int argc, char** argv) { return skivo::SDL_main(argc, argv); }
