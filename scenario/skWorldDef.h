// skWorldDef: everything a world is made from, as one value: its rules, its
// size, its clock, how its random stream is seeded and what stands in it.
// The defaults make the game's own world: the full rules, 512 x 512 world
// units, the built-in scenario with the learners as the game plays them, an
// unseeded random stream (the layout every game meets), on simulated time in
// steps of 16 ms. skWorld (skWorld.h) assembles a world from it.
#pragma once

#include "skLearningSettings.h"
#include "skRules.h"
#include "skTimer.h"

namespace skivo {

struct skWorldDef {
  // How the random stream is seeded.
  enum class Seeding {
    none,   // as the games: the unseeded stream builds the layout and plays on
    world,  // seed builds the layout and the play
    play    // the unseeded layout (the one players meet), then seed the play
  };

  skRules rules = skRules::full();
  // World units; the window of a game is this size in pixels.
  skReal width = 512.0;
  skReal height = 512.0;
  // The game clock's raw millisecond ticks (SDL's in the games). Empty: the
  // world keeps simulated time, advanced by skWorld::step by stepMs each.
  skTimer::TickSource ticks;
  // Game milliseconds of one step on simulated time; 1 or more.
  int stepMs = 16;
  Seeding seeding = Seeding::none;
  unsigned int seed = 0;
  // The built-in scenario: three characters (0 stands still until given a
  // controller; 1 and 2 learn as learning says), the circles of the rules'
  // layout and four walls. False: an empty world, for a scene of one's own.
  bool scenario = true;
  skLearningSettings learning;
};

}  // namespace skivo
