// The arena's table files from hostile or mistaken sources: each is refused
// before the run, with a reason a user can act on.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "skArena.h"
#include "skArenaOptions.h"
#include "skControllerRL.h"

using namespace skivo;

class ArenaTableInput : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/skivo-arena-input-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  std::string file(const std::string& name, const std::string& text) {
    std::ofstream(dir + "/" + name, std::ios::binary) << text;
    return dir + "/" + name;
  }
  // The error of setting up an arena that loads path for character 2, or ""
  // when it loads.
  static std::string loadError(const std::string& path) {
    skArenaOptions o;
    o.minutes = 0.01;
    o.loadTactics[1] = path;
    skArena arena(o);
    std::string error;
    return arena.setUp(error) ? "" : error;
  }
  static std::string values(int n) {
    std::string text;
    for (int i = 0; i < n; ++i) text += std::to_string(i % 7) + ".25\n";
    return text;
  }
  std::string dir;
};

TEST_F(ArenaTableInput, WhatIsNotAFileOfEightyNumbersIsRefusedWithTheReason) {
  EXPECT_EQ(loadError(file("spaced", "  " + values(80) + "\n\n \t")), "");
  ASSERT_EQ(mkfifo((dir + "/fifo").c_str(), 0600), 0);
  const std::pair<std::string, std::string> rows[] = {
      {dir + "/missing", "No such file or directory"},
      {dir, "is a directory"},
      {dir + "/fifo", "pipe"},  // instead of waiting for a writer
      {file("short", "0.5\n0.25\n"), "read 2 of 80"},
      {file("nan", values(40) + "nan\n" + values(39)), "read 40 of 80"},
      {file("overflow", values(3) + "1e400\n" + values(76)), "read 3 of 80"},
      // A strategy file (200 numbers) given by mistake must not pass for a table.
      {file("strategy", values(200)), "more than 80 values"}};
  alarm(20);  // a blocking open would otherwise hang the test program
  for (const auto& row : rows) {
    const std::string e = loadError(row.first);
    EXPECT_NE(e.find(row.second), std::string::npos) << row.first << ": " << e;
  }
  alarm(0);
}

TEST_F(ArenaTableInput, TablesOfTheLargestDoublesLearnWithoutOverflowAndSaveLoadably) {
  const std::string max = "1.7976931348623157e308\n";
  std::string extreme;
  for (int i = 0; i < 80; ++i) extreme += i % 2 ? max : "-" + max;
  skArenaOptions o;
  o.minutes = 2;
  o.seeded = true;
  o.seed = 3;
  o.loadTactics[0] = file("max", extreme);
  o.saveTactics[0] = dir + "/saved";
  skArena arena(o);
  std::string error;
  ASSERT_TRUE(arena.setUp(error)) << error;
  arena.run();
  const skRealVec& q = arena.getLearner(0)->getQTable();
  for (unsigned int i = 0; i < q.size(); ++i) ASSERT_TRUE(std::isfinite(q[i])) << "entry " << i;
  ASSERT_TRUE(arena.saveTables(error)) << error;
  EXPECT_EQ(loadError(dir + "/saved"), "") << "what was learnt loads back";
}
