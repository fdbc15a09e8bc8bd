// Once a match is going, a step allocates nothing: controllers, learners,
// the collider search and the bookkeeping of the arena included.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "skArena.h"

namespace {
bool counting = false;
long allocations = 0;
}  // namespace

// The replacements pair malloc with free themselves.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  if (counting) ++allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

TEST(ArenaSteps, AllocateNothingOnceTheMatchIsGoingInEveryRoleAndRuleSet) {
  using skivo::skArenaOptions;
  const skArenaOptions::Player players[] = {skArenaOptions::Player::chaser,
                                            skArenaOptions::Player::wander};
  const skArenaOptions::Npc npcs[] = {skArenaOptions::Npc::learn, skArenaOptions::Npc::scripted};
  for (bool classic : {false, true}) {
    for (int k = 0; k < 2; ++k) {
      skArenaOptions o;
      o.classic = classic;
      o.minutes = 5;
      o.seeded = true;
      o.seed = 3;
      o.player = players[k];
      o.npc = npcs[k];
      skivo::skArena arena(o);
      std::string error;
      ASSERT_TRUE(arena.setUp(error)) << error;
      arena.advance(100);  // the first minutes of a match fill the scratch space
      allocations = 0;
      counting = true;
      arena.advance(10000);
      counting = false;
      EXPECT_EQ(allocations, 0) << (classic ? "classic" : "full") << " rules, case " << k;
    }
  }
}
