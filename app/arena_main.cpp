// skivo-arena: trains and evaluates the learning characters without a window.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>

#include "skArenaOptions.h"
#include "skArenaRun.h"

int main(int argc, char** argv) {
  skivo::skArenaOptions options;
  int status = 0;
  if (!skivo::skArenaRun::parseCommandLine("skivo-arena", argc, argv, options, status)) {
    return status;
  }
  if (options.watch) {
    // The window is skivo-watch's, beside this program, so that the arena
    // itself links no display library.
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string watch = n > 0 ? std::string(self, static_cast<size_t>(n)) : std::string();
    watch = watch.substr(0, watch.rfind('/') + 1) + "skivo-watch";
    argv[0] = const_cast<char*>("skivo-watch");
    execv(watch.c_str(), argv);
    std::cerr << "skivo-arena: --watch: cannot start '" << watch << "': " << std::strerror(errno)
              << std::endl;
    return 1;
  }
  return skivo::skArenaRun(options).run();
}
