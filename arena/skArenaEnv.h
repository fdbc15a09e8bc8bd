// skArenaEnv: the arena as an environment for agents that learn outside it
// (the Python module's worlds). Some characters are agents, driven by
// actions given at each decision; the others play as in the arena (a panel
// player for character 0, the opponents asked for as characters 1 and 2).
// Each step plays one decision interval, then reports, per agent, what it
// sees (a fixed array of floats, observationSize, laid out below) and the
// reward it earned (skRewards). A run is truncated after its game minutes;
// nothing ends it sooner. The same definition and seed give the same
// trajectory, bit for bit; a step allocates nothing.
//
// Observation of an agent (all float, the others in character order):
//   0, 1    own velocity / 100 (world units per second over the top speed),
//           within +-10
//   2       sprint reserve / 5 (5: the reserve after a rest), at most 1;
//           0 under rules without sprint
//   3 - 6   the first other: offset by the shortest way across the edges
//           / 256 (half the arena), then its velocity / 100 (within +-10)
//   7 - 10  the second other, the same
//   11-13   who is "it": me, the first other, the second other (1 or 0)
//   14-21   clearance along 8 headings (0, 45, ..., 315 degrees
//           counterclockwise from +x) to the nearest fixed obstacle, less
//           the agent's radius, / 128; 1 for none within 128 world units
// Actions: a move of nine (0 stop, keeping the heading; 1 to 8 full speed
// towards 0, 45, ..., 315 degrees) or, as boxes, three floats: a desired
// direction (x, y; (0, 0) keeps the heading; normalised) and a speed in
// [0, 1] (0.95 and more sprints where the rules sprint).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "skArenaOptions.h"
#include "skRewards.h"

namespace skivo {

class skArena;
class skControllerExternal;

struct skArenaEnvDef {
  // The rules (and edges), step, game minutes to a truncation, character 0's
  // player where it is no agent, the opponents where 1 and 2 are not, the
  // learners' settings and the agents' rewards (arena.rewards). The seed is
  // replaced at each reset.
  skArenaOptions arena;
  // Which characters the agents are (at least one).
  bool agent[3] = {true, false, false};
  // Game milliseconds of one decision: a whole number of arena.stepMs.
  int decisionMs = 48;
  // Actions as boxes of three floats, rather than moves of nine.
  bool boxActions = false;
};

class skArenaEnv {
 public:
  static constexpr int observationSize = 22;
  static constexpr int moveCount = 9;
  static constexpr int boxSize = 3;

  // Whether def describes an environment; otherwise false with a message.
  static bool check(const skArenaEnvDef& def, std::string& error);
  // Precondition: check(def) (checked, fatal). Builds nothing until reset.
  explicit skArenaEnv(const skArenaEnvDef& def);
  ~skArenaEnv();
  skArenaEnv(const skArenaEnv&) = delete;
  skArenaEnv& operator=(const skArenaEnv&) = delete;

  const skArenaEnvDef& getDef() const { return def; }
  // The agents' characters, in order; actions, observations and rewards
  // come in this order.
  const std::vector<int>& getAgents() const { return agents; }
  int actionSize() const { return def.boxActions ? boxSize : 1; }

  // A new run on the world of seed: its layout and play. Writes each agent's
  // first observation (getAgents().size() x observationSize floats). False,
  // with a message, when the opponents' tables cannot be loaded.
  bool reset(unsigned int seed, float* observations, std::string& error);
  // Whether an action is one: a move in [0, 9), or a box of finite numbers
  // with a speed in [0, 1] and a direction within [-1, 1].
  bool valid(const float* action) const;
  // Plays one decision: actions (agents x actionSize floats, each valid) as
  // the agents' until the next, then writes observations and rewards
  // (agents floats). True when the run is truncated by this step; a
  // truncated run takes no more steps until a reset (checked, fatal).
  bool step(const float* actions, float* observations, float* rewards);
  // The observation of character c as it stands.
  void observe(int c, float* out) const;

  // Game milliseconds played since the reset, the steps of them, and per
  // character its milliseconds "it" and the tags it made and received.
  long long getGameMs() const;
  const long long* getItMs() const { return itMs; }
  const int* getTagsMade() const { return tagsMade; }
  const int* getTagsReceived() const { return tagsReceived; }
  bool isTruncated() const { return truncated; }
  unsigned int getSeed() const { return seed; }
  // The arena played (null before the first reset): for drawing it.
  skArena* getArena() { return arena.get(); }

 private:
  skArenaEnvDef def;
  std::vector<int> agents;
  std::unique_ptr<skArena> arena;
  skControllerExternal* drivers[3] = {nullptr, nullptr, nullptr};
  unsigned int seed = 0;
  int stepsPerDecision = 1;
  int tagged = 0;
  bool truncated = false;
  long long itMs[3] = {0, 0, 0};
  int tagsMade[3] = {0, 0, 0};
  int tagsReceived[3] = {0, 0, 0};
  // Each agent's distance potential at the last decision (skRewards).
  double potential[3] = {0, 0, 0};
  void act(int c, const float* action);
  double potentialOf(int c) const;
};

}  // namespace skivo
