// skArenaEnvBatch: n environments of one definition (skArenaEnv) stepped
// together, spread over threads, reading and writing flat arrays: the batch
// a learner trains on, with no object per agent per step. World i of a
// batch reset with seed s plays seed s + i first; a run that is truncated
// starts again at once on its world's next seed (its seed plus n), and the
// observation it ends with is kept apart (finalObservations) before the new
// run's first is written in its place.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "skArenaEnv.h"

namespace skivo {

class skArenaEnvBatch {
 public:
  // Precondition: skArenaEnv::check(def) and n >= 1 (checked, fatal).
  // threads: how many to spread the worlds over (0: one per core).
  skArenaEnvBatch(const skArenaEnvDef& def, int n, int threads = 0);
  ~skArenaEnvBatch();
  skArenaEnvBatch(const skArenaEnvBatch&) = delete;
  skArenaEnvBatch& operator=(const skArenaEnvBatch&) = delete;

  int size() const { return static_cast<int>(envs.size()); }
  int agentCount() const { return static_cast<int>(envs[0]->getAgents().size()); }
  int threadCount() const { return threads; }
  skArenaEnv& env(int i) { return *envs[i]; }

  // Resets every world (world i on seed + i); observations: n x agents x
  // skArenaEnv::observationSize floats. False with a message when a world
  // cannot be set up.
  bool reset(unsigned int seed, float* observations, std::string& error);
  // One decision in every world: actions n x agents x actionSize floats
  // (each valid), rewards n x agents, truncated n flags. Worlds that end are
  // started again, their last observation in finalObservations (n x agents
  // x observationSize; the rows of the others are left as they were). False
  // with a message when a world cannot be started again.
  bool step(const float* actions, float* observations, float* rewards, unsigned char* truncated,
            float* finalObservations, std::string& error);

 private:
  using Work = std::function<void(int first, int last, std::string& error)>;
  std::vector<std::unique_ptr<skArenaEnv>> envs;
  std::vector<unsigned int> nextSeed;
  int threads = 1;
  // Helper threads kept for the batch's life (starting them at every step
  // would cost a small batch more than its step), each waiting for the next
  // job, a new generation: spinning a little first, since a learner's next
  // step usually follows at once, then asleep.
  std::vector<std::thread> helpers;
  std::mutex mutex;
  std::condition_variable wake, finished;
  const Work* job = nullptr;
  std::atomic<unsigned long> generation{0};
  std::atomic<int> pending{0};
  std::atomic<bool> quitting{false};
  std::vector<std::string> errors;
  void helperLoop(int k);
  // Slice k of the worlds through work, its failure (a throwing failure
  // handler's too) kept in errors[k].
  void runSlice(int k, const Work& work);
  // Runs work over the worlds, one slice a thread; false with the first
  // message when a slice failed.
  bool spread(const Work& work, std::string& error);
};

}  // namespace skivo
