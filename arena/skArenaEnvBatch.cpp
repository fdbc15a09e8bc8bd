#include "skArenaEnvBatch.h"

#include <algorithm>
#include <exception>
#include <thread>

#include "skUtil.h"

namespace skivo {

namespace {
// How many times a waiting thread yields before it sleeps: well under a
// millisecond.
const int spins = 2000;

template <class Done>
void spin(Done done) {
  for (int k = 0; k < spins && !done(); ++k) std::this_thread::yield();
}
}  // namespace

skArenaEnvBatch::skArenaEnvBatch(const skArenaEnvDef& def, int n, int t) {
  if (n < 1) skUtil::error("skArenaEnvBatch: give at least one world");
  for (int i = 0; i < n; ++i) envs.push_back(std::make_unique<skArenaEnv>(def));
  nextSeed.assign(static_cast<size_t>(n), 0);
  const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  threads = std::max(1, std::min(n, t > 0 ? t : cores));
  errors.resize(static_cast<size_t>(threads));
  for (int k = 1; k < threads; ++k) helpers.emplace_back(&skArenaEnvBatch::helperLoop, this, k);
}

skArenaEnvBatch::~skArenaEnvBatch() {
  {
    std::lock_guard<std::mutex> lock(mutex);
    quitting = true;
  }
  wake.notify_all();
  for (std::thread& h : helpers) h.join();
}

void skArenaEnvBatch::runSlice(int k, const Work& work) {
  std::string& why = errors[static_cast<size_t>(k)];
  why.clear();
  const int n = size();
  // A failure handler that throws (a language binding's) must not end the
  // process from a helper thread.
  try {
    work(n * k / threads, n * (k + 1) / threads, why);
  } catch (const std::exception& e) {
    why = e.what();
  }
}

void skArenaEnvBatch::helperLoop(int k) {
  unsigned long seen = 0;
  const auto called = [&] { return quitting.load() || generation.load() != seen; };
  for (;;) {
    spin(called);
    const Work* work;
    {
      std::unique_lock<std::mutex> lock(mutex);
      wake.wait(lock, called);
      if (quitting) return;
      seen = generation;
      work = job;
    }
    runSlice(k, *work);
    if (pending.fetch_sub(1) == 1) {
      std::lock_guard<std::mutex> lock(mutex);
      finished.notify_one();
    }
  }
}

bool skArenaEnvBatch::spread(const Work& work, std::string& error) {
  {
    std::lock_guard<std::mutex> lock(mutex);
    job = &work;
    pending = threads - 1;
    ++generation;
  }
  wake.notify_all();
  // The caller's own thread takes the first slice.
  runSlice(0, work);
  const auto allDone = [&] { return pending.load() == 0; };
  spin(allDone);
  {
    std::unique_lock<std::mutex> lock(mutex);
    finished.wait(lock, allDone);
  }
  for (const std::string& e : errors) {
    if (!e.empty()) {
      error = e;
      return false;
    }
  }
  return true;
}

bool skArenaEnvBatch::reset(unsigned int seed, float* observations, std::string& error) {
  const int stride = agentCount() * skArenaEnv::observationSize;
  return spread(
      [&](int first, int last, std::string& why) {
        for (int i = first; i < last && why.empty(); ++i) {
          nextSeed[i] = seed + static_cast<unsigned int>(i) + static_cast<unsigned int>(size());
          envs[i]->reset(seed + static_cast<unsigned int>(i), observations + i * stride, why);
        }
      },
      error);
}

bool skArenaEnvBatch::step(const float* actions, float* observations, float* rewards,
                           unsigned char* truncated, float* finalObservations, std::string& error) {
  const int agents = agentCount();
  const int stride = agents * skArenaEnv::observationSize;
  const int actionStride = agents * envs[0]->actionSize();
  return spread(
      [&](int first, int last, std::string& why) {
        for (int i = first; i < last && why.empty(); ++i) {
          float* obs = observations + i * stride;
          const bool ended = envs[i]->step(actions + i * actionStride, obs, rewards + i * agents);
          truncated[i] = ended ? 1 : 0;
          if (!ended) continue;
          std::copy(obs, obs + stride, finalObservations + i * stride);
          const unsigned int s = nextSeed[i];
          nextSeed[i] += static_cast<unsigned int>(size());
          envs[i]->reset(s, obs, why);
        }
      },
      error);
}

}  // namespace skivo
