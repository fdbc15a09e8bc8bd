// The headless arena: its options, its determinism and its table files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "skArena.h"
#include "skArenaOptions.h"
#include "skArenaReport.h"
#include "skControllerRL.h"

using namespace skivo;

namespace {

skArenaOptions parsed(const std::vector<std::string>& args) {
  skArenaOptions o;
  std::string error;
  EXPECT_TRUE(o.parse(args, error)) << error;
  return o;
}

std::string parseError(const std::vector<std::string>& args) {
  skArenaOptions o;
  std::string error;
  EXPECT_FALSE(o.parse(args, error));
  return error;
}

std::string tempPath(const std::string& name) {
  return ::testing::TempDir() + "/arena-" + std::to_string(getpid()) + "-" + name;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Runs an arena of the rule set under test and returns its CSV text.
std::string csvOf(skArenaOptions o) {
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

}  // namespace

TEST(ArenaOptions, DefaultsAreTenMinutesOfSixteenMillisecondStepsAgainstTheChaser) {
  const skArenaOptions o = parsed({});
  EXPECT_EQ(o.minutes, 10.0);
  EXPECT_EQ(o.stepMs, 16);
  EXPECT_EQ(o.stepCount(), 37500);
  EXPECT_FALSE(o.seeded);
  EXPECT_EQ(o.player, skArenaOptions::Player::chaser);
}

TEST(ArenaOptions, BothSpellingsOfAValueAreAccepted) {
  const skArenaOptions o = parsed({"--minutes=0.5", "--step-ms", "7", "--seed=4294967295",
                                   "--player", "still", "--classic", "--npc=frozen"});
  EXPECT_EQ(o.minutes, 0.5);
  EXPECT_EQ(o.stepMs, 7);
  EXPECT_EQ(o.seed, 4294967295u);
  EXPECT_TRUE(o.classic);
  EXPECT_EQ(o.npc, skArenaOptions::Npc::frozen);
  // 30 s of 7 ms steps: the last step reaches past the end.
  EXPECT_EQ(o.stepCount(), 4286);
}

TEST(ArenaOptions, BadInputIsRefusedWithAMessageNamingTheOption) {
  EXPECT_NE(parseError({"--bogus"}).find("unknown option '--bogus'"), std::string::npos);
  EXPECT_NE(parseError({"--minutes"}).find("needs a value"), std::string::npos);
  for (const char* bad : {"abc", "", "nan", "inf", "1e999", "0x10", " 5"}) {
    EXPECT_NE(parseError({"--minutes", bad}).find("--minutes"), std::string::npos) << bad;
  }
  for (const char* bad : {"0", "-1", "30001"}) {
    EXPECT_NE(parseError({"--minutes", bad}).find("out of range"), std::string::npos) << bad;
  }
  for (const char* bad : {"0", "60001", "-5", "1.5", "99999999999999999999"}) {
    EXPECT_NE(parseError({"--step-ms", bad}).find("--step-ms"), std::string::npos) << bad;
  }
  EXPECT_NE(parseError({"--seed", "4294967296"}).find("--seed"), std::string::npos);
  EXPECT_NE(parseError({"--player", "ghost"}).find("chaser, wander or still"), std::string::npos);
  EXPECT_NE(parseError({"--classic=yes"}).find("takes no value"), std::string::npos);
  EXPECT_NE(parseError({"--csv", ""}).find("file name"), std::string::npos);
  EXPECT_NE(parseError({"--npc", "scripted", "--save-tactics1", "t"}).find("no tables"),
            std::string::npos);
  EXPECT_NE(parseError({"--save-tactics1", "t", "--save-tactics2", "t"}).find("two outputs"),
            std::string::npos);
}

TEST(Arena, TheSameSeedGivesTheSameMinutesAndAnotherSeedDoesNot) {
  skArenaOptions o = parsed({"--minutes", "3", "--seed", "11"});
  const std::string a = csvOf(o);
  EXPECT_EQ(a, csvOf(o));
  // A header and one row per game minute.
  EXPECT_EQ(std::count(a.begin(), a.end(), '\n'), 4);
  o.seed = 12;
  EXPECT_NE(a, csvOf(o));
}

TEST(Arena, ExactlyOneCharacterIsItAtEveryMomentAndTagsBalance) {
  skArena arena(parsed({"--minutes", "5", "--seed", "2", "--npc", "scripted"}));
  std::string error;
  ASSERT_TRUE(arena.setUp(error)) << error;
  arena.run();
  ASSERT_EQ(arena.getMinutes().size(), 5u);
  int made = 0, received = 0;
  for (const skArenaMinute& m : arena.getMinutes()) {
    EXPECT_EQ(m.itMs[0] + m.itMs[1] + m.itMs[2], m.gameMs);
    for (int i = 0; i < 3; ++i) {
      made += m.tagsMade[i];
      received += m.tagsReceived[i];
    }
  }
  EXPECT_EQ(made, received);
  EXPECT_GT(made, 0) << "scripted chasers on both sides should pass the tag in five minutes";
}

TEST(Arena, LearnersDecideEveryQuarterSecondOfSimulatedTime) {
  // 60 s of 10 ms steps: a decision whenever more than 250 ms have passed,
  // that is every 260 ms, the first after 260 ms.
  skArena arena(parsed({"--minutes", "1", "--step-ms", "10", "--seed", "1"}));
  std::string error;
  ASSERT_TRUE(arena.setUp(error)) << error;
  arena.run();
  EXPECT_EQ(arena.getLearner(0)->getDecisionCount(), 60000u / 260u);
  EXPECT_EQ(arena.getLearner(1)->getDecisionCount(), 60000u / 260u);
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
  for (int k = 0; k < 2; ++k) {
    EXPECT_EQ(frozen.getLearner(k)->getQTable(), trained.getLearner(k)->getQTable());
  }
  frozen.run();
  for (int k = 0; k < 2; ++k) {
    EXPECT_EQ(frozen.getLearner(k)->getQTable(), trained.getLearner(k)->getQTable());
  }
  EXPECT_EQ(csvOf(again), csvOf(again));
  std::remove(t1.c_str());
  std::remove(t2.c_str());
}

TEST(Arena, AShortOrMissingTableIsAnErrorNotAPartialLoad) {
  const std::string shortFile = tempPath("short.txt");
  std::ofstream(shortFile) << "0.5\n0.25\n";
  skArenaOptions o = parsed({"--minutes", "1"});
  o.loadTactics[1] = shortFile;
  skArena arena(o);
  std::string error;
  EXPECT_FALSE(arena.setUp(error));
  EXPECT_NE(error.find("read 2 of 80"), std::string::npos) << error;
  std::remove(shortFile.c_str());

  o.loadTactics[1] = tempPath("does-not-exist.txt");
  skArena missing(o);
  EXPECT_FALSE(missing.setUp(error));
  EXPECT_NE(error.find("read 0 of 80"), std::string::npos) << error;
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
  EXPECT_TRUE(skArenaReport::writeCsv(path, {}, error)) << error;
  EXPECT_EQ(readFile(path).substr(0, 13), "minute,game_s");
  std::remove(path.c_str());
}
