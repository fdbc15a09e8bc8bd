// The built-in scenario: the three characters, the circular obstacles and the
// four walls of the game, built in code at start-up. Positions derive from the
// world size W x H (world units) and from the process-wide generator, which
// the games never seed, so every run of a program builds the same layout.
// The renderers and the one shared perception created here are never freed:
// they live as long as the process.
#pragma once

#include "skRules.h"

namespace skivo {
inline namespace SKIVO_RULES {

class skGameState;

const int characterCount = 3;
// Circles of the classic layout.
const int circularObstacleCount = 50;
const int sideCount = 4;

// Adds the characters at object indices 0, 1, 2 (call on an empty game state):
// 0 is the keyboard player (blue), 1 and 2 learn (green); all flash red while
// "it", have mass 1 and radius 10, and start at uniform random places (two
// draws each, x first). All three controllers share one new perception.
void setupCharacters(skGameState& gs);

// Adds the white circular obstacles (immovable, radius 10), then the four
// walls (not drawn) in the order x = 0, x = W, y = 0, y = H. Full rules: the
// circles lie on an elliptic arc of centre (W/2, 3W/8) and half-axes W/3, W/4,
// one random step of 0 to 9 degrees apart. Classic rules: 50 circles scattered
// over [0, W/2] x [0, W/1.2].
void setupObstacles(skGameState& gs);

}  // namespace SKIVO_RULES
}  // namespace skivo
