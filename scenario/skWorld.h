// skWorld: a world assembled from its definition (skWorldDef): the game
// clock, the game state, the simulator, the perception every controller
// shares and, unless the definition asks for an empty world, the built-in
// scenario. The games, the arena, the browser entry, the benchmarks, the
// tests and the examples all assemble their worlds here. A world owns all of
// it; nothing in it needs a window.
#pragma once

#include <memory>

#include "skGameState.h"
#include "skPerception.h"
#include "skSimulator.h"
#include "skTimer.h"
#include "skWorldDef.h"

namespace skivo {

class skController;
class skControllerRL;
class skPlanner;

class skWorld {
 public:
  // Builds the world: seeds the random stream as def says, then the
  // scenario's characters and obstacles (characters first: objects 0, 1, 2).
  // The clock stays stopped until start().
  explicit skWorld(const skWorldDef& def = skWorldDef());
  // Frees every object and controller.
  ~skWorld();
  skWorld(const skWorld&) = delete;
  skWorld& operator=(const skWorld&) = delete;

  // Starts the clock and makes character 0 "it", as a game begins (the game
  // state's last tag time stays -1). Call once, when the world is set up.
  void start();
  // One step of def.stepMs game milliseconds on simulated time.
  // Precondition: the definition gave no tick source (checked, fatal).
  void step();

  // Gives character k a controller: the character owns root from then on and
  // deletes the one it had. root must look through getPerception(), as must
  // every node of an skControllerTree (checked, fatal, saying which rule was
  // broken); any other inner node stays its maker's and must outlive the world.
  void setController(int k, std::unique_ptr<skController> root);
  // Character k's learning controller, or null when it has another.
  skControllerRL* getLearner(int k);

  const skWorldDef& getDef() const { return def; }
  skGameState& getGameState() { return gs; }
  skSimulator& getSimulator() { return sim; }
  skPerception* getPerception() { return &perception; }
  skTimer& getTimer() { return timer; }
  // The planner the world's planning controllers share (skPlanner), made at
  // the first call; it builds its tables at its first question, once every
  // fixed obstacle is in place.
  skPlanner* getPlanner();
  // Game milliseconds stepped so far on simulated time.
  int getSimulatedMs() const { return simulatedMs; }

 private:
  skWorldDef def;
  int simulatedMs = 0;
  skTimer timer;
  skGameState gs;
  skSimulator sim;
  skPerception perception;
  std::unique_ptr<skPlanner> planner;
};

}  // namespace skivo
