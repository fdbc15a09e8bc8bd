// Once a match is going, a step allocates nothing: controllers, learners,
// the collider search and the bookkeeping of the arena included.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "skArena.h"
#include "skControllerExpert.h"

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
  const std::vector<std::string> runs[] = {
      {"--player", "chaser", "--npc", "learn"},
      {"--player", "wander", "--npc", "scripted"},
      {"--classic", "--player", "chaser", "--npc", "learn"},
      {"--classic", "--player", "wander", "--npc", "scripted"}};
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
    EXPECT_EQ(allocations, 0) << args[0] << " " << args[2];
  }
}

// The expert builds its grid at its first decision and allocates nothing after.
TEST(ArenaSteps, AllocateNothingOnceTheMatchIsGoingWithTheExpertAsCharacterZero) {
  for (const bool classic : {false, true}) {
    std::vector<std::string> args = {"--minutes", "5", "--seed", "3"};
    if (classic) args.push_back("--classic");
    skivo::skArenaOptions o;
    std::string error;
    ASSERT_TRUE(o.parse(args, error)) << error;
    skivo::skArena arena(o);
    ASSERT_TRUE(arena.setUp(error)) << error;
    const skivo::skRules rules = classic ? skivo::skRules::classic() : skivo::skRules::full();
    arena.setController(0,
                        std::make_unique<skivo::skControllerExpert>(arena.getPerception(), rules));
    arena.advance(100);
    allocations = 0;
    counting = true;
    arena.advance(10000);
    counting = false;
    EXPECT_EQ(allocations, 0) << (classic ? "classic" : "full");
  }
}
