// A controller of your own in an arena match. Character 0, which starts as
// "it", gets a hand-written tagger that knows the arena's edges wrap around:
// it chases the nearest character, or flees the one who is "it", along the
// shorter way, across an edge when that is shorter. The library's obstacle
// avoidance steers it round the obstacles. It plays 30 game minutes against
// the game's two learners; the same match with the arena's own scripted
// chaser as character 0 comes first, for comparison. The program prints the
// share of time each character was "it".
#include <cstdio>
#include <memory>
#include <string>

#include "skArena.h"
#include "skArenaOptions.h"
#include "skCharacter.h"
#include "skControllerAvoid.h"
#include "skGameState.h"
#include "skPerception.h"

using namespace skivo;

// Decides at every step, looking at the world only through its perception and
// only inside calcAction, as every controller must.
class WrapTagger : public skController {
 public:
  explicit WrapTagger(skPerception* perception) : skController(perception) {}

  void calcAction() override {
    const bool it = perception->myselfTagged();
    const skCharacter* other = it ? perception->nearestCharacter() : perception->getTagged();
    skRealVec way = shortestWay(other->getPosition());
    if (!it) way.scale(-1.0);        // away from the one who is "it"
    if (way.isAlmostZero()) return;  // no way to prefer: keep the last decision
    action.setDesiredDirection(way.normalize());
    action.setDesiredSpeed(1.0);  // a fraction of the top speed
  }

 private:
  // From me to p in world units, each axis the shorter way round the arena.
  skRealVec shortestWay(const skRealVec& p) const {
    const skRealVec& size = perception->getGameState()->getWorldDim();
    skRealVec way = p;
    way.subtract(perception->myPosition());
    for (unsigned int i = 0; i < 2; ++i) {
      if (way[i] > size[i] / 2) way[i] -= size[i];
      if (way[i] < -size[i] / 2) way[i] += size[i];
    }
    return way;
  }
};

// Plays one match and prints each character's share of the time as "it".
// With own set, character 0 gets the wrap-aware tagger.
bool playMatch(const skArenaOptions& options, bool own) {
  // The tagger is an inner node, which the character does not own: declared
  // before the arena, it outlives the root that points to it.
  std::unique_ptr<WrapTagger> tagger;
  skArena arena(options);
  std::string error;
  if (!arena.setUp(error)) {
    std::fprintf(stderr, "arena_match: %s\n", error.c_str());
    return false;
  }
  if (own) {
    // Every node looks through the arena's shared perception.
    tagger.reset(new WrapTagger(arena.getPerception()));
    arena.setController(0,
                        std::make_unique<skControllerAvoid>(arena.getPerception(), tagger.get()));
  }
  arena.run();

  long long itMs[3] = {0, 0, 0};
  for (const skArenaMinute& minute : arena.getMinutes()) {
    for (int i = 0; i < 3; ++i) itMs[i] += minute.itMs[i];
  }
  const double total = static_cast<double>(arena.getGameMs());
  std::printf("%-22s  %5.1f %%    %5.1f %%    %5.1f %%\n",
              own ? "wrap-aware tagger" : "the arena's chaser", 100.0 * itMs[0] / total,
              100.0 * itMs[1] / total, 100.0 * itMs[2] / total);
  return true;
}

int main() {
  skArenaOptions options;  // the game's rules and learners, 16 ms steps
  options.minutes = 30.0;
  options.seeded = true;  // the same match every run
  options.seed = 1;

  std::printf("share of 30 game minutes as \"it\"\n");
  std::printf("%-22s  %-9s  %-9s  %-9s\n", "character 0", "char. 0", "learner 1", "learner 2");
  return playMatch(options, false) && playMatch(options, true) ? 0 : 1;
}
