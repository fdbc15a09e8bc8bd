#include "skArenaProgram.h"

#include <iostream>

#include "skArenaOptions.h"

namespace skivo {

int arenaMain(int argc, char** argv, const skArenaProgram& program) {
  skArenaOptions options;
  std::string error;
  if (!options.parse(argc, argv, error)) {
    std::cerr << program.name << ": " << error << std::endl;
    return 2;
  }
  if (options.help) {
    std::cout << skArenaOptions::usage(program.name);
    return 0;
  }
  options.watch = options.watch || program.watched;
  std::unique_ptr<skArenaRun::Watcher> window;
  if (options.watch) {
    if (!program.window) {
      std::cerr << program.name << ": --watch: this program has no window" << std::endl;
      return 2;
    }
    window = program.window(options.speed);
    if (!window) return 1;
  }
  skArenaRun run(options, program.name);
  run.setWatcher(window.get());
  run.setPrepare(program.prepare);
  return run.run();
}

}  // namespace skivo
