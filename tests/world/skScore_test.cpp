// The score: time "it" and tags made, counted frame by frame.
#include "skScore.h"
#include "skTestWorld.h"

using namespace sktest;
using Score = WorldTest;

TEST_F(Score, CountsTimeItForWhoeverIsItAndATagForWhoPassesItOn) {
  skCharacter* a = addCharacter(0, 0);
  skCharacter* b = addCharacter(100, 0);
  addCharacter(200, 0);
  a->setTagged(0);
  skScore score;
  score.start(gs, 1000);
  score.update(gs, 1500);
  b->setTagged(1500), a->setTagged(-1);  // a tags b
  score.update(gs, 2250);
  score.update(gs, 2300);
  EXPECT_EQ(score.getPlayedMs(), 1300);
  EXPECT_EQ(score.getItMs(0), 1250) << "until the frame that saw the tag pass";
  EXPECT_EQ(score.getItMs(1), 50);
  EXPECT_EQ(score.getTags(0), 1);
  EXPECT_EQ(score.getTags(1), 0);
  EXPECT_EQ(score.getIt(), 1);
  EXPECT_EQ(skScore::clock(61999), "1:01");
  const std::string text = score.summary({"you", "one", "two"});
  EXPECT_NE(text.find("played 0:01"), std::string::npos) << text;
  EXPECT_NE(text.find("you              \"it\" 0:01 ( 96 %), 1 tag\n"), std::string::npos) << text;
  EXPECT_NE(text.find("one              \"it\" 0:00 (  4 %), 0 tags\n"), std::string::npos) << text;
  // A longer name widens the column for all.
  const std::string wide = score.summary({"you", "player 2 (yellow)", "two"});
  EXPECT_NE(wide.find("  you               \"it\""), std::string::npos) << wide;
  EXPECT_NE(wide.find("  player 2 (yellow) \"it\""), std::string::npos) << wide;
}
