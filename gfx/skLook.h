// skLook: how the games look, put on a world: character 0 (the player) blue,
// the other characters green, each flashing red while "it"; the circles
// white; the walls not drawn. Owns its renderers; the world's objects point
// at them, so a look must outlive the drawing of the world it dresses.
#pragma once

#include "skCharacterRenderer.h"
#include "skObstacleCircleRenderer.h"

namespace skivo {

class skGameState;

class skLook {
 public:
  // gs: the world whose clock times the blinking; not owned.
  explicit skLook(skGameState* gs);
  skLook(const skLook&) = delete;
  skLook& operator=(const skLook&) = delete;

  // Gives every character and every circle of gs its renderer.
  void dress(skGameState& gs);
  // Dresses character 1 as a second player: magenta (yellow is the ring round
  // "it"), flashing red.
  void dressSecondPlayer(skGameState& gs);

 private:
  skCharacterRenderer player;
  skCharacterRenderer others;
  skCharacterRenderer secondPlayer;
  skObstacleCircleRenderer circles;
};

}  // namespace skivo
