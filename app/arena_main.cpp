// skivo-arena: trains and evaluates the learning characters without a window.
#include <iostream>
#include <string>

#include "skArenaOptions.h"
#include "skArenaRun.h"

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
  return skivo::skArenaRun(options).run();
}
