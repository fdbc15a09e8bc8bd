// skHud: the score drawn over the arena, with fixed-function OpenGL: in the
// top left corner a row per character in its colour (a square, a bar as long
// as its share of the time "it", its time "it" as m:ss and the tags it made),
// the time played above them, and a steady yellow ring round the one who is
// "it", besides its blinking. Digits come from a 3 x 5 font of its own.
#pragma once

#include <vector>

#include "skVec.h"

namespace skivo {

class skGameState;
class skScore;

class skHud {
 public:
  // colors: one 4-component colour per character, in character order.
  explicit skHud(const std::vector<skRealVec>& colors) : colors(colors) {}

  // Draws score's figures and the ring round the one who is "it" in gs, in
  // a window of height world units (y grows upwards). Call between drawing
  // the world and the buffer swap (skGui::render's overlay).
  void draw(const skScore& score, skGameState& gs, skReal height) const;

  // Draws the digits and colons of text (other characters leave a gap) from
  // (x, y), its lower left corner, cells of size world units.
  static void drawText(const char* text, skReal x, skReal y, skReal size);

 private:
  std::vector<skRealVec> colors;
};

}  // namespace skivo
