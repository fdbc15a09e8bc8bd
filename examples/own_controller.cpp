// A controller of your own, from scratch, in an arena match against the
// game's learners; then a broken rule of the library caught by a failure
// handler of one's own instead of ending the program.
//
// A controller derives from skController, decides in calcAction, looking at
// the world only through its perception and only there, and leaves its
// decision in its action: a direction and a speed, a fraction of the top
// speed. Lengths are world units, times game milliseconds.
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

#include <skivo/arena.h>     // skArena, its options
#include <skivo/core.h>      // skController, skPerception, the controllers
#include <skivo/scenario.h>  // skWorld

using namespace skivo;

// Chases the nearest character flat out while "it"; otherwise keeps away from
// the one who is "it", running when it comes within 150 and walking beyond.
// Both by the shortest way across the arena's wrapped edges.
class MyTagger : public skController {
 public:
  explicit MyTagger(skPerception* perception) : skController(perception) {}

  void calcAction() override {
    if (perception->myselfTagged()) {
      steer(perception->shortestWayToNearestCharacter(), 1.0);
      return;
    }
    skRealVec away = perception->shortestWayToTagged();
    away.scale(-1.0);
    steer(away, perception->shortestDistanceToTagged() < 150 ? 1.0 : 0.3);
  }

 private:
  void steer(skRealVec way, skReal speed) {
    if (way.isAlmostZero()) return;  // no way to prefer: the last decision stands
    action.setDesiredDirection(way.normalize());
    action.setDesiredSpeed(speed);
  }
};

// Evade on the character who is "it" breaks a rule of the library: the
// handler turns the failure into an exception, and the program goes on.
bool failureCaught() {
  skWorld world;  // the built-in scenario on simulated time
  world.setController(0, std::make_unique<skControllerEvade>(world.getPerception()));
  world.start();  // character 0 is "it"
  bool caught = false;
  skUtil::setFailureHandler([](const skFailure& f) { throw std::runtime_error(f.text()); });
  try {
    world.step();
  } catch (const std::runtime_error& e) {
    // e.what(): the report; the world may be half-stepped, but can be destroyed
    std::printf("caught: %s", e.what());
    caught = true;
  }
  skUtil::setFailureHandler(nullptr);  // the default again
  return caught;
}

int main() {
  skArenaOptions options;  // the game's rules and learners, 16 ms steps
  options.minutes = 30.0;
  skArena arena(options);
  std::string error;
  if (!arena.setUp(error)) return 1;  // a table file that cannot be loaded
  arena.setController(0, std::make_unique<MyTagger>(arena.getPerception()));
  arena.run();
  long long itMs = 0;  // how long character 0 was "it", game milliseconds
  for (const skArenaMinute& m : arena.getMinutes()) itMs += m.itMs[0];

  std::printf("MyTagger was \"it\" %.1f %% of 30 game minutes\n",
              100.0 * static_cast<double>(itMs) / static_cast<double>(arena.getGameMs()));
  return failureCaught() ? 0 : 1;
}
