// The headless arena: options, determinism, table files, a caller's controller.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "skArena.h"
#include "skArenaOptions.h"
#include "skArenaReport.h"
#include "skControllerRL.h"
#include "skObject.h"
#include "skPerception.h"

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

static std::string csvOf(const skArena& arena) {  // the CSV of the minutes played
  std::string text = skArenaReport::csvHeader();
  skArenaReport::appendCsvRows(text, arena.getMinutes(), 0);
  return text;
}

static std::string csvOf(const skArenaOptions& o) {  // the CSV of a whole run
  skArena arena(o);
  std::string error;
  EXPECT_TRUE(arena.setUp(error)) << error;
  arena.run();
  return csvOf(arena);
}

TEST(ArenaOptions, BadInputIsRefusedWithAMessageNamingTheOption) {
  const std::pair<std::vector<std::string>, std::string> rows[] = {
      {{"--bogus"}, "unknown option '--bogus'"},
      {{"--minutes"}, "needs a value"},
      {{"--minutes", "abc"}, "--minutes"},
      {{"--minutes", "nan"}, "is not a number"},
      {{"--minutes", "1e999"}, "is not a number"},
      {{"--minutes", " 5"}, "--minutes"},
      {{"--minutes", "0"}, "out of range"},
      {{"--minutes", "30001"}, "out of range"},
      {{"--step-ms", "0"}, "out of range"},
      {{"--step-ms", "99999999999999999999"}, "--step-ms"},
      {{"--checkpoint-minutes", "-1"}, "out of range"},
      {{"--seed", "4294967296"}, "from 0 to 4294967295"},
      {{"--player", "ghost"},
       "chaser, shortest, wander, still, expert, mirror, keys-straight or "
       "keys-dodger"},
      {{"--player", "mirror"}, "--load-tactics0"},
      {{"--load-tactics0", "t"}, "only it takes one"},
      {{"--stalls", "x", "--csv", "x"}, "two outputs"},
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

// --seamless goes with either rules, in either order, keeps the rules' name
// (the tables' files) and reaches the world: the same seed plays otherwise.
TEST(ArenaOptions, SeamlessEdgesGoWithEitherRulesAndChangeThePlay) {
  for (const auto& args : {std::vector<std::string>{"--seamless", "--classic"},
                           std::vector<std::string>{"--classic", "--seamless"}}) {
    const skArenaOptions o = parsed(args);
    EXPECT_TRUE(o.rules.seamless);
    EXPECT_EQ(o.rules.layout, skRules::Layout::scattered);
    EXPECT_STREQ(o.rules.name(), "classic");
  }
  EXPECT_FALSE(parsed({"--classic"}).rules.seamless);
  const skArenaOptions plain = parsed({"--minutes", "3", "--seed", "5", "--no-progress"});
  skArenaOptions seamless = plain;
  seamless.rules.seamless = true;
  EXPECT_NE(csvOf(plain), csvOf(seamless));
}

// --play-seed builds the game's own layout (what an unseeded arena builds)
// and seeds only the play; the learners learn as the settings say.
TEST(Arena, APlaySeedKeepsTheGamesLayoutAndTheLearningSettingsReachTheLearners) {
  skArena game(parsed({"--minutes", "1"})),
      played(parsed({"--minutes", "1", "--play-seed", "5", "--think-ms", "100", "--gamma", "0.9"}));
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
  EXPECT_NE(csvOf(parsed({"--minutes", "1", "--play-seed", "5"})), csvOf(game));
}

// Each world keeps its own clock and random stream: two matches stepped in
// turn in one process come out exactly as each does alone. The wanderer and
// the learners' exploration draw throughout.
TEST(Arena, TwoArenasRunInterleavedGiveExactlyTheResultsOfEachAlone) {
  const skArenaOptions a = parsed({"--minutes", "3", "--seed", "21", "--player", "wander"});
  const skArenaOptions b = parsed({"--classic", "--minutes", "2", "--seed", "22"});
  skArena first(a), second(b);
  std::string error;
  ASSERT_TRUE(first.setUp(error) && second.setUp(error)) << error;
  bool more = true;
  while (more) {
    const bool firstMore = first.advance(7);
    more = second.advance(13) || firstMore;
  }
  EXPECT_EQ(csvOf(first), csvOf(a));
  EXPECT_EQ(csvOf(second), csvOf(b));
}

TEST(Arena, AStoppedRunEndsAfterTheCurrentStepAndClosesItsShortMinute) {
  skArena arena(parsed({"--minutes", "5", "--seed", "3"}));
  std::string error;
  ASSERT_TRUE(arena.setUp(error)) << error;
  ASSERT_TRUE(arena.advance(5000));  // 80 s
  arena.stop();
  EXPECT_FALSE(arena.advance(1));
  EXPECT_EQ(arena.getStepsDone(), 5000);
  ASSERT_EQ(arena.getMinutes().size(), 2u);
  EXPECT_EQ(arena.getMinutes()[1].gameMs, 20000);
}

// The error of setting up an arena that loads path for character 2, or "".
static std::string loadError(const std::string& path) {
  skArena arena(parsed({"--minutes", "0.01", "--load-tactics2", path}));
  std::string error;
  return arena.setUp(error) ? "" : error;
}

// A table file is 80 numbers; the arena refuses anything else before the run.
TEST(ArenaTables, WhatIsNotAFileOfEightyNumbersIsRefusedWithTheReason) {
  const std::string dir = tempPath("tables");
  std::filesystem::create_directories(dir);
  const auto file = [&dir](const std::string& name, const std::string& text) {
    std::ofstream(dir + "/" + name, std::ios::binary) << text;
    return dir + "/" + name;
  };
  const auto values = [](int n) {
    std::string text;
    for (int i = 0; i < n; ++i) text += std::to_string(i % 7) + ".25\n";
    return text;
  };
  EXPECT_EQ(loadError(file("spaced", "  " + values(80) + "\n\n \t")), "");
  ASSERT_EQ(mkfifo((dir + "/fifo").c_str(), 0600), 0);
  const std::pair<std::string, std::string> rows[] = {
      {dir + "/missing", "No such file or directory"},
      {dir, "is a directory"},
      {dir + "/fifo", "pipe"},  // instead of waiting for a writer
      {file("short", "0.5\n0.25\n"), "read 2 of 80"},
      {file("nan", values(40) + "nan\n" + values(39)), "read 40 of 80"},  // as any bad token
      // A strategy file (200 numbers) given by mistake must not pass for a table.
      {file("strategy", values(200)), "more than 80 values"}};
  alarm(20);  // a blocking open would otherwise hang the test program
  for (const auto& row : rows) {
    const std::string e = loadError(row.first);
    EXPECT_NE(e.find(row.second), std::string::npos) << row.first << ": " << e;
  }
  alarm(0);
  std::filesystem::remove_all(dir);
}

TEST(ArenaTables, TablesOfTheLargestDoublesLearnWithoutOverflowAndSaveLoadably) {
  const std::string max = "1.7976931348623157e308\n", in = tempPath("max"), out = tempPath("out");
  std::string extreme;
  for (int i = 0; i < 80; ++i) extreme += i % 2 ? max : "-" + max;
  std::ofstream(in) << extreme;
  skArena arena(
      parsed({"--minutes", "2", "--seed", "3", "--load-tactics1", in, "--save-tactics1", out}));
  std::string error;
  ASSERT_TRUE(arena.setUp(error)) << error;
  arena.run();
  const skRealVec& q = arena.getLearner(0)->getQTable();
  for (unsigned int i = 0; i < q.size(); ++i) ASSERT_TRUE(std::isfinite(q[i])) << "entry " << i;
  ASSERT_TRUE(arena.saveTables(error)) << error;
  EXPECT_EQ(loadError(out), "") << "what was learnt loads back";
  for (const std::string& t : {in, out}) std::remove(t.c_str());
}

// Stands still and counts the decisions it was asked for.
class CountingStill : public skController {
 public:
  CountingStill(skPerception* p, long long* calls) : skController(p), calls(calls) {}
  void calcAction() override { ++*calls; }
  long long* calls;
};

TEST(ArenaController, OneGivenToALearnersCharacterDrivesItAndOneOfAnotherPerceptionIsRefused) {
  skArena arena(parsed({"--minutes", "2", "--seed", "3"}));
  std::string error;
  ASSERT_TRUE(arena.setUp(error)) << error;
  long long calls = 0;
  skPerception elsewhere(&arena.getGameState());
  EXPECT_EXIT(arena.setController(0, std::make_unique<CountingStill>(&elsewhere, &calls)),
              ::testing::ExitedWithCode(1), "another perception than the world's");
  arena.setController(1, std::make_unique<CountingStill>(arena.getPerception(), &calls));
  EXPECT_EQ(arena.getLearner(0), nullptr);
  EXPECT_NE(arena.getLearner(1), nullptr);
  arena.run();
  EXPECT_EQ(calls, arena.getStepsDone());
  ASSERT_EQ(arena.getMinutes().size(), 2u);
  for (const skArenaMinute& m : arena.getMinutes()) EXPECT_EQ(m.tableChange[0], 0.0);
}
