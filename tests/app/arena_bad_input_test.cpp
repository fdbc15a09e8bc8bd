// The arena's table files from hostile or mistaken sources: each is refused
// before the run, with a reason a user can act on.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

#include "skArena.h"
#include "skArenaOptions.h"

using namespace skivo;

namespace {

class ArenaTableInput : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/skivo-arena-input-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
  }
  void TearDown() override {
    for (const std::string& f : made) std::remove(f.c_str());
    rmdir(dir.c_str());
  }
  std::string file(const std::string& name, const std::string& text) {
    const std::string path = dir + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    made.push_back(path);
    return path;
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
  std::vector<std::string> made;
};

#define EXPECT_REFUSED(path, reason)                                            \
  do {                                                                          \
    const std::string e = loadError(path);                                      \
    EXPECT_NE(e.find(reason), std::string::npos) << "path " << path << ": " << e; \
  } while (0)

TEST_F(ArenaTableInput, WhatIsNotAFileOfEightyNumbersIsRefusedWithTheReason) {
  EXPECT_EQ(loadError(file("good", values(80))), "");
  EXPECT_EQ(loadError(file("spaced", "  " + values(80) + "\n\n \t")), "") << "trailing blanks";

  EXPECT_REFUSED(dir + "/missing", "No such file or directory");
  EXPECT_REFUSED(dir, "is a directory");
  EXPECT_REFUSED(file("empty", ""), "read 0 of 80");
  EXPECT_REFUSED(file("binary", std::string("\x7f" "ELF\x02\x01\x00\xff", 8)), "read 0 of 80");
  EXPECT_REFUSED(file("short", values(79)), "read 79 of 80");
  EXPECT_REFUSED(file("nan", values(40) + "nan\n" + values(39)), "read 40 of 80");
  EXPECT_REFUSED(file("overflow", values(3) + "1e400\n" + values(76)), "read 3 of 80");
  // A strategy file (200 numbers) given by mistake must not pass for a table.
  EXPECT_REFUSED(file("strategy", values(200)), "more than 80 values");
  EXPECT_REFUSED(file("garbage-after", values(80) + "#end\n"), "more than 80 values");
}

TEST_F(ArenaTableInput, APipeIsRefusedInsteadOfWaitingForAWriter) {
  const std::string fifo = dir + "/fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  made.push_back(fifo);
  alarm(20);  // a blocking open would otherwise hang the test program
  EXPECT_REFUSED(fifo, "pipe");
  alarm(0);
}

TEST_F(ArenaTableInput, AFileTheUserMayNotReadIsRefusedWithPermissionDenied) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
  const std::string locked = file("locked", values(80));
  ASSERT_EQ(chmod(locked.c_str(), 0), 0);
  EXPECT_REFUSED(locked, "Permission denied");
}

}  // namespace

namespace {

TEST(ArenaOptionsInput, AReportOverTheTableTheRunStartsFromIsRefusedBeforeAnythingIsWritten) {
  skArenaOptions o;
  std::string error;
  EXPECT_FALSE(o.parse({"--load-tactics2", "q.txt", "--csv=q.txt"}, error));
  EXPECT_NE(error.find("would overwrite"), std::string::npos) << error;
  skArenaOptions fine;
  EXPECT_TRUE(fine.parse({"--load-tactics1", "q.txt", "--save-tactics1", "q.txt"}, error))
      << "saving the learnt table over the one loaded is a normal training loop";
}

}  // namespace

namespace {

TEST_F(ArenaTableInput, TablesOfTheLargestDoublesLearnWithoutOverflowAndSaveLoadably) {
  std::string extreme;
  for (int i = 0; i < 80; ++i) extreme += i % 2 ? "1.7976931348623157e308\n" : "-1.7976931348623157e308\n";
  skArenaOptions o;
  std::string error;
  const std::string saved = dir + "/saved";
  made.push_back(saved);
  ASSERT_TRUE(o.parse({"--minutes", "2", "--seed", "3", "--load-tactics1", file("max", extreme),
                       "--save-tactics1", saved},
                      error))
      << error;
  skArena arena(o);
  ASSERT_TRUE(arena.setUp(error)) << error;
  arena.run();
  const skRealVec& q = arena.getLearner(0)->getQTable();
  for (unsigned int i = 0; i < q.size(); ++i) ASSERT_TRUE(std::isfinite(q[i])) << "entry " << i;
  ASSERT_TRUE(arena.saveTables(error)) << error;
  EXPECT_EQ(loadError(saved), "") << "what was learnt loads back";
}

}  // namespace
