// skFont: the games' own block font, 3 x 5 cells a glyph: the digits, the
// letters (upper and lower case alike), the colon and a little punctuation.
// Pure layout, no drawing: a caller hands it a text and gets the cells to
// fill, so the score, the menus and the tests all see the same glyphs.
// Positions and sizes are in world units (one a pixel in the games), y up.
#pragma once

#include <string>

#include "skMath.h"

namespace skivo {

namespace skFont {

// A glyph's cells across and down, and the advance from one to the next.
constexpr int columns = 3;
constexpr int rows = 5;
constexpr int advance = 4;

// The glyph of c: bit 14 - (row * 3 + column) set for each filled cell, row 0
// at the top. 0 for a space and for a character the font has no glyph for
// (both leave a gap of one advance).
unsigned int glyph(char c);
// Whether the font draws c (a space counts: it is meant to be blank).
bool knows(char c);

// The width of text in cells of the given size: an advance per character,
// less the trailing gap.
skReal width(const std::string& text, skReal size);

// Calls fill(x, y, size) for every filled cell of text laid out from (x, y),
// its lower left corner, in cells of the given size.
template <class Fill>
void layout(const std::string& text, skReal x, skReal y, skReal size, Fill fill) {
  for (char c : text) {
    const unsigned int g = glyph(c);
    for (int cell = 0; g != 0 && cell < columns * rows; ++cell) {
      if (g & (0x4000u >> cell)) {
        fill(x + (cell % columns) * size, y + (rows - 1 - cell / columns) * size, size);
      }
    }
    x += advance * size;
  }
}

}  // namespace skFont

}  // namespace skivo
