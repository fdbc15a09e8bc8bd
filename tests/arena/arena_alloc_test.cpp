// Once a match is going, a step allocates nothing: controllers, learners,
// the collider search, the adaptive opponents' coach and the bookkeeping of
// the arena included; so does a decision of the environment for learners
// outside (observations and rewards included).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <new>
#include <string>
#include <vector>

#include "skArena.h"
#include "skArenaEnv.h"

namespace {
bool counting = false;
long allocations = 0;
}  // namespace

// The replacements pair malloc with free themselves.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  allocations += counting;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

TEST(ArenaSteps, AllocateNothingOnceTheMatchIsGoingInEveryRoleAndRuleSet) {
  const std::string table = ::testing::TempDir() + "/alloc-mirror.txt";
  {
    std::ofstream out(table);
    for (int i = 0; i < 80; ++i) out << i % 5 << "\n";
  }
  const std::vector<std::string> runs[] = {
      {"--player", "chaser", "--npc", "learn"},
      {"--player", "wander", "--npc", "scripted"},
      {"--player", "expert", "--npc", "learn", "--stalls", "x"},
      {"--player", "mirror", "--load-tactics0", table, "--npc", "frozen"},
      {"--learner", "view", "--player", "expert", "--npc", "learn"},
      {"--classic", "--player", "chaser", "--npc", "learn"},
      {"--classic", "--player", "wander", "--npc", "scripted"},
      {"--classic", "--player", "expert", "--npc", "scripted", "--stalls", "x"},
      {"--classic", "--learner", "view", "--player", "chaser", "--npc", "learn"},
      {"--adaptive", "--player", "chaser"},
      {"--classic", "--adaptive", "--player", "wander", "--grade", "0"},
      {"--player", "shortest", "--npc", "learn"},
      {"--player", "keys-straight", "--npc", "scripted"},
      {"--classic", "--player", "keys-dodger", "--adaptive"},
      {"--seamless", "--player", "keys-dodger", "--npc", "learn"}};
  for (std::vector<std::string> args : runs) {
    args.insert(args.end(), {"--minutes", "5", "--seed", "3"});
    skivo::skArenaOptions o;
    std::string error;
    ASSERT_TRUE(o.parse(args, error)) << error;
    skivo::skArena arena(o);
    ASSERT_TRUE(arena.setUp(error)) << error;
    arena.advance(100);  // the first minutes of a match fill the scratch space
    allocations = 0;
    counting = true;
    arena.advance(10000);
    counting = false;
    EXPECT_EQ(allocations, 0) << args[0] << " " << args[1] << " " << args[2];
  }
}

TEST(ArenaEnvSteps, AllocateNothingWithAgentsInAnyPlaceAndEitherKindOfAction) {
  const bool places[][3] = {{true, false, false}, {false, true, true}, {true, true, true}};
  for (const auto& agents : places) {
    for (const bool box : {false, true}) {
      skivo::skArenaEnvDef def;
      std::string error;
      ASSERT_TRUE(
          def.arena.parse({"--seamless", "--opponents", "adaptive", "--minutes", "5"}, error))
          << error;
      for (int c = 0; c < 3; ++c) def.agent[c] = agents[c];
      def.boxActions = box;
      skivo::skArenaEnv env(def);
      std::vector<float> obs(3 * skivo::skArenaEnv::observationSize), rewards(3);
      const float actions[] = {1, 0, 1, 0.5f, 0.5f, 1, 0, -1, 0.2f};
      ASSERT_TRUE(env.reset(4, obs.data(), error)) << error;
      for (int k = 0; k < 100; ++k) env.step(actions, obs.data(), rewards.data());
      allocations = 0;
      counting = true;
      for (int k = 0; k < 2000; ++k) env.step(actions, obs.data(), rewards.data());
      counting = false;
      EXPECT_EQ(allocations, 0) << agents[0] << agents[1] << agents[2] << " box " << box;
    }
  }
}
