// skHud: the score, with fixed-function OpenGL: in the top left corner, under
// the disks, a row per character in its colour (its mark or a square, a bar
// as long as its share of the time "it", its time "it" as m:ss and the tags
// it made), the time played above them; over the disks their marks, and a
// steady yellow ring round the one who is "it", besides its blinking. Text is in the games' block
// font (skFont).
#pragma once

#include <string>
#include <vector>

#include "skVec.h"

namespace skivo {

class skGameState;
class skScore;

class skHud {
 public:
  // colors: one 4-component colour per character, in character order.
  // marks: per character the digit that marks its disk and its row, so that
  // two disks of one colour can be told apart in the score; -1 (or missing)
  // for none.
  explicit skHud(const std::vector<skRealVec>& colors, const std::vector<int>& marks = {})
      : colors(colors), marks(marks) {}

  // Draws the score's figures in the top left corner of a window of height
  // world units (y grows upwards): under the world (skGui::render's
  // underlay), so that a disk passing there stays in sight.
  void drawScore(const skScore& score, skReal height) const;
  // Draws the marks on the disks and the ring round the one who is "it" in
  // gs: over the world (skGui::render's overlay).
  void drawOnDisks(const skScore& score, skGameState& gs) const;

  // Draws text in the games' font (skFont; characters it lacks leave a gap)
  // from (x, y), its lower left corner, in cells of size world units.
  static void drawText(const std::string& text, skReal x, skReal y, skReal size);

  // The mark of character i, or -1.
  int mark(int i) const { return i >= 0 && i < static_cast<int>(marks.size()) ? marks[i] : -1; }

 private:
  std::vector<skRealVec> colors;
  std::vector<int> marks;
};

}  // namespace skivo
