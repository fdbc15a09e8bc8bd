// skivo-arena: trains and evaluates the learning characters without a window.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>

#include "skArenaOptions.h"
#include "skArenaRun.h"
#include "skUtil.h"

int main(int argc, char** argv) {
  skivo::skArenaOptions options;
  int status = 0;
  if (!skivo::skArenaRun::parseCommandLine("skivo-arena", argc, argv, options, status)) {
    return status;
  }
  if (options.watch) {
    // The window is skivo-watch's, beside this program, so that the arena
    // itself links no display library.
    const std::string folder = skivo::skUtil::programFolder();
    const std::string watch = folder.empty() ? "skivo-watch" : folder + "/skivo-watch";
    argv[0] = const_cast<char*>("skivo-watch");
    execv(watch.c_str(), argv);
    std::cerr << "skivo-arena: --watch: cannot start '" << watch << "': " << std::strerror(errno)
              << std::endl;
    return 1;
  }
  return skivo::skArenaRun(options).run();
}
