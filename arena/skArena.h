// skArena: the built-in scenario's world run without a window, at a fixed
// step, as fast as the machine allows. Character 0 is a scripted player built
// from the controller library; characters 1 and 2 are the game's learners (or,
// as baselines, frozen learners or the library's evade/pursue). Both the game
// clock and the learners' own clock follow simulated time, so the learners
// decide every 250 ms of game time exactly as in a real-time game with the
// same frame times. The same options give the same results, bit for bit.
// A program can give any character a controller of its own (setController).
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "skAdaptiveOpponents.h"
#include "skArenaOptions.h"
#include "skArenaReturns.h"
#include "skArenaStalls.h"
#include "skGameState.h"
#include "skLearner.h"
#include "skPerception.h"
#include "skWorld.h"

namespace skivo {

class skController;
class skControllerRL;

// What happened in one game minute (the last one may be shorter).
struct skArenaMinute {
  int minute = 0;           // 1-based
  int gameMs = 0;           // game time covered, milliseconds
  int itMs[3] = {0, 0, 0};  // time each character was "it"
  int tagsMade[3] = {0, 0, 0};
  int tagsReceived[3] = {0, 0, 0};
  // Of the tags made, those that handed the tag straight back (skArenaReturns).
  int returned = 0;
  // Sum of absolute changes of each learner's table entries over the minute
  // (index 0: character 1); 0 for scripted characters.
  double tableChange[2] = {0.0, 0.0};
  // The adaptive opponents' grade played in this minute; -1 without them.
  int grade = -1;
};

class skArena {
 public:
  // Takes a copy of the options. Builds nothing yet.
  explicit skArena(const skArenaOptions& options);
  // Frees the world and every controller.
  ~skArena();
  skArena(const skArena&) = delete;
  skArena& operator=(const skArena&) = delete;

  // Builds the world (skWorld, from the options' world definition), gives
  // character 0 its player and characters 1 and 2 their opponents
  // (skOpponents::make, starting from the tables to load).
  // Returns false with a message when a table cannot be loaded completely.
  bool setUp(std::string& error);

  // Runs the next count steps (fewer when the run ends or is stopped sooner);
  // true while steps remain. A run may be advanced piecewise, for instance
  // interleaved with another arena: each world has its own clock and random
  // stream.
  bool advance(long long count);
  // Ends the run after the step in progress: advance returns false from then
  // on, and the minute being counted is closed early, so that the minutes
  // cover every step done. Safe to call from a signal handler or another
  // thread while advance runs.
  void stop() { stopping.store(true, std::memory_order_relaxed); }
  // Runs every remaining step; calls progress(stepsDone, stepsTotal) now and then.
  void run(void (*progress)(long long done, long long total, void* context) = nullptr,
           void* context = nullptr);

  // Saves the tables asked for (skFileSaver). False with a message when a save
  // fails (the previous file is then left as it was). With streamsToo false
  // only the tables that a save replaces are written, not those going to a
  // device, pipe or standard output, which would receive every save anew.
  bool saveTables(std::string& error, bool streamsToo = true);

  // Gives character k (0, 1 or 2) another controller: call after setUp, before
  // the first step or between steps. The character owns root from then on and
  // deletes the controller it had; a learner so replaced is no longer measured
  // or saved (getLearner(k - 1) becomes null). Every node must look through
  // getPerception(): the simulator binds it to the character before it
  // decides, and the other characters' controllers learn through it who is
  // "it" (checked for the root and for every node of an skControllerTree,
  // which hands its nodes to the character with it; a broken rule is a
  // failure that says which). Inner nodes of any other tree stay the
  // caller's and must live as long as the arena.
  void setController(int k, std::unique_ptr<skController> root);
  // The perception shared by every controller of this arena (owned by the
  // arena; null before setUp).
  skPerception* getPerception() { return world ? world->getPerception() : nullptr; }
  // The world played (null before setUp).
  skWorld* getWorld() { return world.get(); }

  const std::vector<skArenaMinute>& getMinutes() const { return minutes; }
  // Every tag of the run so far, and those handed straight back.
  const skArenaReturns& getReturns() const { return returns; }
  // The stretches without a tag found so far (options.trackStalls or
  // --stalls); null when they are not tracked. The one in progress joins
  // them when the run ends.
  const skArenaStalls* getStalls() const { return stalls.get(); }
  // The game's learner of character k + 1, or null (a view learner, a
  // scripted character).
  const skControllerRL* getLearner(int k) const;
  // The learner of character k + 1, of either kind (null when scripted or
  // replaced); owned by its character.
  const skLearner* getAnyLearner(int k) const { return learners[k]; }
  skGameState& getGameState() { return world->getGameState(); }
  const skArenaOptions& getOptions() const { return options; }
  // The coach of --adaptive (null without it, and before setUp).
  const skAdaptiveOpponents* getCoach() const { return coach.get(); }
  // Game milliseconds simulated so far, and the steps that took.
  long long getGameMs() const { return gameMs; }
  long long getStepsDone() const { return stepsDone; }
  // Who is "it" now (0, 1 or 2).
  int getTagged() const { return tagged; }

 private:
  skArenaOptions options;
  // On simulated time: its milliseconds are the raw ticks of the game clock,
  // and so also the learners' decision rhythm.
  std::unique_ptr<skWorld> world;
  skLearner* learners[2] = {nullptr, nullptr};
  std::vector<skArenaMinute> minutes;
  long long gameMs = 0;
  // Where a piecewise run stands: steps done, who is "it", the minute being
  // counted and the tables at its start.
  long long stepsDone = 0;
  int tagged = 0;
  skArenaReturns returns;
  skArenaMinute current;
  std::unique_ptr<skArenaStalls> stalls;
  std::unique_ptr<skAdaptiveOpponents> coach;
  skRealVec tables[2];
  std::atomic<bool> stopping{false};
  static_assert(std::atomic<bool>::is_always_lock_free, "stop() must be signal-safe");

  // A controller tree for the scripted role.
  std::unique_ptr<skController> makeScripted(skArenaOptions::Player kind);
  // One step, counted into the current minute.
  void step();
  // Ends the current minute: its table changes, then the next minute.
  void closeMinute();
};

}  // namespace skivo
