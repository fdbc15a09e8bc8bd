// skLayout: where the start-up puts the characters and the circular
// obstacles, obtained by running the game's own scenario builders on a fresh
// game state. The generator is never seeded, so this must run before anything
// else in the driver draws a random number: it then reproduces the layout of
// a freshly started game exactly.
#pragma once

#include <vector>

#include "skRules.h"

namespace skivo {
namespace e2e {

// A disk in world units (y grows upwards, origin at the lower-left corner).
struct skDisk {
  double x;
  double y;
  double radius;
};

struct skLayout {
  double width = 0.0;
  double height = 0.0;
  std::vector<skDisk> characters;
  // Circular obstacles, in creation order; the walls are not drawn and not here.
  std::vector<skDisk> obstacles;

  // Builds the scenario of the rules this driver is linked with.
  static skLayout fromScenario(const skRules& rules);

  // Pixel masks of a width x height image (row 0 at the top). mustBeWhite
  // marks the pixels whose centres lie inside every 20-sided disk an obstacle
  // can be drawn as, whatever its turn; mayBeWhite those whose centres lie
  // within the circle around it. Both allow a quarter of a pixel for rounding,
  // far less than the one pixel that a misplaced disk would be off by.
  void obstacleMasks(int imageWidth, int imageHeight, std::vector<char>& mustBeWhite,
                     std::vector<char>& mayBeWhite) const;
};

}  // namespace e2e
}  // namespace skivo
