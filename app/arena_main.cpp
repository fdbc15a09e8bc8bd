// skivo-arena: trains and evaluates the learning characters without a window.
#include <iostream>
#include <string>

#include "skArenaOptions.h"

// The runner is built once per rule set; each lives in its own namespace.
namespace skivo {
inline namespace full {
int runArena(const skArenaOptions& options);
}
inline namespace classic {
int runArena(const skArenaOptions& options);
}
}  // namespace skivo

int main(int argc, char** argv) {
  skivo::skArenaOptions options;
  std::string error;
  if (!options.parse(argc, argv, error)) {
    std::cerr << "skivo-arena: " << error << std::endl;
    return 2;
  }
  if (options.help) {
    std::cout << skivo::skArenaOptions::usage();
    return 0;
  }
  return options.classic ? skivo::classic::runArena(options) : skivo::full::runArena(options);
}
