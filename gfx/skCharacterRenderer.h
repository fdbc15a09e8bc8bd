// skCharacterRenderer: draws a character as a disk with a heading arrow that
// starts on its rim and whose length shows its speed (1.5 radii at its top
// speed, none at rest). The character that is "it" blinks in its flash colour.
// One renderer may serve several characters: the blinking is decided anew for
// each character drawn. Across seamless edges, disk and arrow are drawn
// together on each side.
#pragma once

#include "skObstacleCircleRenderer.h"

namespace skivo {

class skCharacter;

class skCharacterRenderer : public skObstacleCircleRenderer {
 public:
  explicit skCharacterRenderer(skGameState* gs);
  ~skCharacterRenderer() override;

  // Precondition: obj is an skCharacter (not checked).
  void render(const skObject* obj) override;

  // The arrow of c in world units: base on the rim in the heading direction,
  // vector along the heading. A character without a positive top speed gets a
  // zero-length arrow.
  static void calcArrow(const skCharacter& c, skRealVec& base, skRealVec& vector);
};

}  // namespace skivo
