// The start screen's choices by key, and the last and best share it shows
// from the record of games, without a display.
#include <gtest/gtest.h>

#include <algorithm>

#include "skStartMenu.h"

using namespace skivo;
using Key = skGui::Key;
using Action = skStartMenu::Action;

TEST(StartMenu, ArrowsChooseEveryRowRoundAndEnterPlaysWhatIsShown) {
  skStartMenu menu{skSettings()};
  EXPECT_EQ(menu.getRow(), skStartMenu::rowCount - 1) << "the cursor starts on play";
  EXPECT_EQ(menu.press(Key::down), Action::none);
  EXPECT_EQ(menu.getRow(), 0) << "down from the last row wraps to the first";
  menu.press(Key::right);  // game: classic
  menu.press(Key::down);
  menu.press(Key::left);  // opponents: adaptive -> easy
  menu.press(Key::left);  // -> learning, round
  menu.press(Key::down);
  menu.press(Key::right);  // edges: seamless
  menu.press(Key::down);
  menu.press(Key::left);  // players: 2
  const skSettings& s = menu.getSettings();
  EXPECT_EQ(s.game, "classic");
  EXPECT_EQ(s.opponents, "learning");
  EXPECT_TRUE(s.seamless);
  EXPECT_EQ(s.players, 2);
  // The choices as the screen shows them, the chosen row marked.
  const std::vector<std::string> lines = menu.lines();
  int marked = 0;
  for (const std::string& line : lines) marked += line.rfind("> ", 0) == 0;
  EXPECT_EQ(marked, 1);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "> players    2"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "  game       classic"), lines.end());
  // Keys without a meaning here change nothing; Enter plays, Escape quits.
  EXPECT_EQ(menu.press(Key::pause), Action::none);
  EXPECT_EQ(menu.getSettings(), s);
  EXPECT_EQ(menu.press(Key::enter), Action::play);
  EXPECT_EQ(menu.press(Key::escape), Action::quit);
}

TEST(StartMenu, ShowsTheLastAndBestShareOfTheChosenGameAndOpponentsOnly) {
  skStartMenu menu{skSettings()};
  double last = 0, best = 0;
  EXPECT_FALSE(menu.lastAndBest(last, best));
  const auto game = [](const char* rules, const char* opponents, double share) {
    skGameRecord r;
    r.game = rules;
    r.opponents = opponents;
    r.share = share;
    return r;
  };
  menu.setRecord({game("full", "adaptive", 48), game("full", "adaptive", 31),
                  game("classic", "adaptive", 12), game("full", "easy", 5),
                  game("full", "adaptive", 44)});
  ASSERT_TRUE(menu.lastAndBest(last, best));
  EXPECT_EQ(last, 44);
  EXPECT_EQ(best, 31) << "the best is the least time it";
  menu.press(Key::down);
  menu.press(Key::right);  // classic
  ASSERT_TRUE(menu.lastAndBest(last, best));
  EXPECT_EQ(last, 12);
  EXPECT_EQ(best, 12);
}
