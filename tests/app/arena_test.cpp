// The headless arena: its options, its determinism and its table files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "skArena.h"
#include "skObject.h"
#include "skArenaOptions.h"
#include "skArenaReport.h"
#include "skControllerRL.h"

using namespace skivo;

static skArenaOptions parsed(const std::vector<std::string>& args) {
  skArenaOptions o;
  std::string error;
  EXPECT_TRUE(o.parse(args, error)) << error;
  return o;
}

static std::string tempPath(const std::string& name) {
  return ::testing::TempDir() + "/arena-" + std::to_string(getpid()) + "-" + name;
}

static std::string readFile(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs an arena of the rule set under test and returns its CSV text.
static std::string csvOf(skArenaOptions o) {
  skArena arena(o);
  std::string error;
  EXPECT_TRUE(arena.setUp(error)) << error;
  arena.run();
  const std::string path = tempPath("run.csv");
  EXPECT_TRUE(skArenaReport::writeCsv(path, arena.getMinutes(), error)) << error;
  const std::string text = readFile(path);
  std::remove(path.c_str());
  return text;
}

TEST(ArenaOptions, BadInputIsRefusedWithAMessageNamingTheOption) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> rows = {
      {{"--bogus"}, "unknown option '--bogus'"},
      {{"--minutes"}, "needs a value"},
      {{"--minutes", "abc"}, "--minutes"},
      {{"--minutes", "nan"}, "--minutes"},
      {{"--minutes", " 5"}, "--minutes"},
      {{"--minutes", "0"}, "out of range"},
      {{"--minutes", "30001"}, "out of range"},
      {{"--step-ms", "99999999999999999999"}, "--step-ms"},
      {{"--seed", "4294967296"}, "--seed"},
      {{"--player", "ghost"}, "chaser, wander or still"},
      {{"--classic=yes"}, "takes no value"},
      {{"--csv", ""}, "file name"},
      {{"--npc", "scripted", "--save-tactics1", "t"}, "no tables"},
      {{"--save-tactics1", "t", "--save-tactics2", "t"}, "two outputs"},
      {{"--load-tactics2", "q.txt", "--csv=q.txt"}, "would overwrite"},
      {{"--seed", "1", "--play-seed", "2"}, "either --seed"},
      {{"--gamma", "1.5"}, "from 0 to 1"},
      {{"--think-ms", "-1"}, "--think-ms"},
      {{"--speed", "4"}, "--watch"}};
  for (const auto& row : rows) {
    skArenaOptions o;
    std::string error;
    EXPECT_FALSE(o.parse(row.first, error)) << row.second;
    EXPECT_NE(error.find(row.second), std::string::npos) << error;
  }
  // Saving the learnt table over the one loaded is a normal training loop.
  parsed({"--load-tactics1", "q.txt", "--save-tactics1", "q.txt"});
}

TEST(Arena, TheSameSeedGivesTheSameMinutesAndAnotherSeedDoesNot) {
  skArenaOptions o = parsed({"--minutes", "3", "--seed", "11"});
  const std::string a = csvOf(o);
  EXPECT_EQ(a, csvOf(o));
  EXPECT_EQ(std::count(a.begin(), a.end(), '\n'), 4);  // a header and one row a minute
  o.seed = 12;
  EXPECT_NE(a, csvOf(o));
}

// --play-seed builds the game's own layout (what an unseeded arena builds)
// and seeds only the play; the learners learn as the settings say.
TEST(Arena, APlaySeedKeepsTheGamesLayoutAndTheLearningSettingsReachTheLearners) {
  skArena game(parsed({"--minutes", "1"})), played(parsed({"--minutes", "1", "--play-seed", "5",
                                                          "--think-ms", "100", "--gamma", "0.9"}));
  std::string error;
  ASSERT_TRUE(game.setUp(error) && played.setUp(error)) << error;
  skGameState &a = game.getGameState(), &b = played.getGameState();
  ASSERT_EQ(a.getObjectCount(), b.getObjectCount());
  for (unsigned int k = 0; k < a.getObjectCount(); ++k) {
    EXPECT_EQ(a.getObject(k)->getPosition(), b.getObject(k)->getPosition()) << k;
  }
  game.run();
  played.run();
  // More than 100 ms between decisions, in steps of 16 ms: one every 112 ms
  // (more than 250: one every 256 ms).
  EXPECT_EQ(played.getLearner(0)->getDecisionCount(), 60000u / 112);
  EXPECT_EQ(game.getLearner(0)->getDecisionCount(), 60000u / 256);
  EXPECT_NE(csvOf(parsed({"--minutes", "1", "--play-seed", "5"})), csvOf(parsed({"--minutes", "1"})));
}

static std::string csvText(const skArena& arena) {
  std::string error;
  const std::string path = tempPath("interleaved.csv");
  EXPECT_TRUE(skArenaReport::writeCsv(path, arena.getMinutes(), error)) << error;
  const std::string text = readFile(path);
  std::remove(path.c_str());
  return text;
}

// Each world keeps its own clock and random stream: two matches stepped in
// turn in one process come out exactly as each does alone. The wanderer and
// the learners' exploration draw throughout.
TEST(Arena, TwoArenasRunInterleavedGiveExactlyTheResultsOfEachAlone) {
  const skArenaOptions a = parsed({"--minutes", "3", "--seed", "21", "--player", "wander"});
  const skArenaOptions b = parsed({"--classic", "--minutes", "2", "--seed", "22"});
  skArena first(a), second(b);
  std::string error;
  ASSERT_TRUE(first.setUp(error)) << error;
  ASSERT_TRUE(second.setUp(error)) << error;
  bool more = true;
  while (more) {
    const bool firstMore = first.advance(7);
    more = second.advance(13) || firstMore;
  }
  EXPECT_EQ(csvText(first), csvOf(a));
  EXPECT_EQ(csvText(second), csvOf(b));
}

TEST(Arena, AStoppedRunEndsAfterTheCurrentStepAndClosesItsShortMinute) {
  skArena arena(parsed({"--minutes", "5", "--seed", "3"}));
  std::string error;
  ASSERT_TRUE(arena.setUp(error)) << error;
  ASSERT_TRUE(arena.advance(5000));  // 80 s
  arena.stop();
  EXPECT_FALSE(arena.advance(1));
  EXPECT_FALSE(arena.advance(100));
  EXPECT_EQ(arena.getStepsDone(), 5000);
  ASSERT_EQ(arena.getMinutes().size(), 2u);
  EXPECT_EQ(arena.getMinutes()[1].gameMs, 20000);
}

TEST(Arena, SavedTablesLoadBackExactlyAndFrozenLearnersKeepThem) {
  const std::string t1 = tempPath("t1.txt"), t2 = tempPath("t2.txt");
  skArenaOptions o = parsed({"--minutes", "2", "--seed", "5"});
  o.saveTactics[0] = t1;
  o.saveTactics[1] = t2;
  skArena trained(o);
  std::string error;
  ASSERT_TRUE(trained.setUp(error)) << error;
  trained.run();
  ASSERT_TRUE(trained.saveTables(error)) << error;

  skArenaOptions again = parsed({"--minutes", "2", "--seed", "9", "--npc", "frozen"});
  again.loadTactics[0] = t1;
  again.loadTactics[1] = t2;
  skArena frozen(again);
  ASSERT_TRUE(frozen.setUp(error)) << error;
  frozen.run();
  for (int k = 0; k < 2; ++k) {
    EXPECT_EQ(frozen.getLearner(k)->getQTable(), trained.getLearner(k)->getQTable());
  }
  for (const std::string& t : {t1, t2}) std::remove(t.c_str());
}

TEST(ArenaReport, AnUnwritableTargetIsRefusedAndTheOldFileSurvives) {
  std::string error;
  EXPECT_FALSE(skArenaReport::checkWritable("/nonexistent-dir/x.csv", error));
  EXPECT_FALSE(skArenaReport::checkWritable(::testing::TempDir(), error));
  EXPECT_NE(error.find("directory"), std::string::npos);
  const std::string path = tempPath("keep.csv");
  std::ofstream(path) << "old\n";
  EXPECT_FALSE(skArenaReport::writeCsv(path + "/sub.csv", {}, error));
  EXPECT_EQ(readFile(path), "old\n");
  std::remove(path.c_str());
}
