// The block font of the score and the menus, read back as a picture: what
// layout hands out to fill is what a player sees.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "skFont.h"

using namespace skivo;

namespace {

// text laid out in unit cells, as rows of '#' and '.' from the top.
std::vector<std::string> picture(const std::string& text) {
  const int w = static_cast<int>(skFont::width(text, 1));
  std::vector<std::string> rows(skFont::rows, std::string(w > 0 ? w : 0, '.'));
  skFont::layout(text, 0, 0, 1, [&](skReal x, skReal y, skReal size) {
    EXPECT_EQ(size, 1);
    const int column = static_cast<int>(x), row = skFont::rows - 1 - static_cast<int>(y);
    ASSERT_TRUE(column >= 0 && column < w && row >= 0 && row < skFont::rows) << x << "," << y;
    rows[row][column] = '#';
  });
  return rows;
}

}  // namespace

// Every digit and the colon, as the score shows the time and the tags.
TEST(Font, DrawsEveryDigitAndTheColonAsTheScoreShowsThem) {
  const std::vector<std::string> expected = {
      "###..#..###.###.#.#.###.###.###.###.###....", "#.#.##....#...#.#.#.#...#.....#.#.#.#.#..#.",
      "#.#..#..###.###.###.###.###...#.###.###....", "#.#..#..#.....#...#...#.#.#...#.#.#...#..#.",
      "###.###.###.###...#.###.###...#.###.###....",
  };
  EXPECT_EQ(picture("0123456789:"), expected);
}

// The letters of the menus: each one drawn, no two alike, lower case as
// upper; a space and a character without a glyph leave a gap of one advance.
TEST(Font, DrawsEveryLetterDistinctlyAndLeavesAGapForWhatItLacks) {
  std::set<unsigned int> seen;
  for (char c = 'A'; c <= 'Z'; ++c) {
    const unsigned int g = skFont::glyph(c);
    EXPECT_NE(g, 0u) << c;
    EXPECT_TRUE(seen.insert(g).second) << c << " looks like another letter";
    EXPECT_EQ(skFont::glyph(static_cast<char>(c - 'A' + 'a')), g) << c;
  }
  for (char c = '0'; c <= '9'; ++c) EXPECT_TRUE(seen.insert(skFont::glyph(c)).second) << c;
  EXPECT_TRUE(skFont::knows(' '));
  EXPECT_FALSE(skFont::knows('~'));
  EXPECT_FALSE(skFont::knows('\xe9'));
  const std::vector<std::string> gap = picture("1 ~1");
  EXPECT_EQ(gap[4], "###.........###");
  EXPECT_EQ(skFont::width("", 2), 0);
  EXPECT_EQ(skFont::width("AB", 2), 14);
}
