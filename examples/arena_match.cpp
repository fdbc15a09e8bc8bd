// A controller of your own in an arena match. Character 0, which starts as
// "it", gets a tagger that knows the arena's edges wrap around: it chases the
// nearest character, or flees the one who is "it", along the shorter way,
// across an edge when that is shorter. The library's obstacle avoidance
// steers it round the obstacles.
//
// Without arguments it plays 30 game minutes against the game's two learners,
// after the same match with the arena's own scripted chaser as character 0,
// and prints the share of time each character was "it". With arguments it is
// skivo-arena with the tagger as character 0: the same options, CSV, summary,
// checkpoints and Ctrl-C, and --watch where the window library is built:
//   arena_match --minutes 60 --seed 7 --csv build/match.csv --watch --speed 8
#include <cstdio>
#include <memory>
#include <string>

#include <skivo/ai.h>     // the controllers and the perception
#include <skivo/arena.h>  // skArena, its options and arenaMain
#ifdef ARENA_MATCH_WINDOW
#include <skivo/watch.h>  // the arena's window, for --watch
#endif

using namespace skivo;

// Decides at every step, looking at the world only through its perception and
// only inside calcAction, as every controller must.
class WrapTagger : public skController {
 public:
  explicit WrapTagger(skPerception* perception) : skController(perception) {}

  void calcAction() override {
    // From me to the other character, by the shortest way across the edges.
    skRealVec way = perception->myselfTagged() ? perception->shortestWayToNearestCharacter()
                                               : perception->shortestWayToTagged();
    if (!perception->myselfTagged()) way.scale(-1.0);  // away from the one who is "it"
    if (way.isAlmostZero()) return;                    // no way to prefer: keep the last decision
    action.setDesiredDirection(way.normalize());
    action.setDesiredSpeed(1.0);  // a fraction of the top speed
  }
};

// The tagger inside obstacle avoidance, as one tree: the character that gets
// it owns both nodes.
std::unique_ptr<skControllerTree> wrapTagger(skPerception* p) {
  auto tree = std::make_unique<skControllerTree>(p);
  tree->setRoot(tree->make<skControllerAvoid>(p, tree->make<WrapTagger>(p)));
  return tree;
}

// Plays one match and prints each character's share of the time as "it".
// With own set, character 0 gets the wrap-aware tagger.
bool playMatch(const skArenaOptions& options, bool own) {
  skArena arena(options);
  std::string error;
  if (!arena.setUp(error)) {
    std::fprintf(stderr, "arena_match: %s\n", error.c_str());
    return false;
  }
  // Every node looks through the arena's shared perception.
  if (own) arena.setController(0, wrapTagger(arena.getPerception()));
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

// The whole of skivo-arena with the tagger as character 0.
int arenaProgram(int argc, char** argv) {
  skArenaProgram program;
  program.name = "arena_match";
  program.prepare = [](skArena& arena, std::string&) {
    arena.setController(0, wrapTagger(arena.getPerception()));
    return true;
  };
#ifdef ARENA_MATCH_WINDOW
  program.window = skArenaWatch::make;  // with skivo::watch (SDL and OpenGL)
#endif
  return arenaMain(argc, argv, program);
}

int main(int argc, char** argv) {
  if (argc > 1) return arenaProgram(argc, argv);
  skArenaOptions options;  // the game's rules and learners, 16 ms steps
  options.minutes = 30.0;
  options.seeded = true;  // the same match every run
  options.seed = 1;

  std::printf("share of 30 game minutes as \"it\"\n");
  std::printf("%-22s  %-9s  %-9s  %-9s\n", "character 0", "char. 0", "learner 1", "learner 2");
  return playMatch(options, false) && playMatch(options, true) ? 0 : 1;
}
