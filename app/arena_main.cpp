// skivo-arena: trains and evaluates the learning characters without a window.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>

#include "skArenaProgram.h"
#include "skProgramFolder.h"

int main(int argc, char** argv) {
  skivo::skArenaProgram program;
  // The window is skivo-watch's, beside this program, which takes the same
  // options: the arena itself links no display library.
  program.window = [argv](double) -> std::unique_ptr<skivo::skArenaRun::Watcher> {
    const std::string folder = skivo::skUtil::programFolder();
    const std::string watch = folder.empty() ? "skivo-watch" : folder + "/skivo-watch";
    argv[0] = const_cast<char*>("skivo-watch");
    execv(watch.c_str(), argv);
    std::cerr << "skivo-arena: --watch: cannot start '" << watch << "': " << std::strerror(errno)
              << std::endl;
    return nullptr;
  };
  return skivo::arenaMain(argc, argv, program);
}
