// The start screen's settings and the record of games: what a bad file does
// (reported, the defaults used, nothing lost), and that a record is appended
// whole or not at all: on a file that is not ours, after a torn line, on a
// disk that fills up mid-write. All in a fresh temporary folder.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "skHistoryFile.h"
#include "skSettingsFile.h"
#include "skUserFolder.h"

using namespace skivo;
namespace fs = std::filesystem;

namespace {

class Scratch : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::path(::testing::TempDir()) / ("skivo-user-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string at(const std::string& name) const { return (dir / name).string(); }
  static std::string readAll(const std::string& path) {
    std::ostringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
  }
  static void write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  fs::path dir;
};

skGameRecord record(double share, const std::string& game = "full") {
  skGameRecord r;
  r.date = "2026-12-08T12:34:56Z";
  r.game = game;
  r.opponents = "adaptive";
  r.edges = "plain";
  r.seconds = 312.44;
  r.share = share;
  r.tags = 7;
  return r;
}

}  // namespace

using Settings = Scratch;

TEST_F(Settings, SurviveARoundTripInAFolderMadeForThemAndReadInAnyOrder) {
  skSettings s;
  s.game = "classic";
  s.opponents = "easy";
  s.seamless = true;
  s.players = 2;
  std::string error;
  const std::string path = at("deep/er/settings.txt");
  ASSERT_TRUE(skSettingsFile::save(path, s, error)) << error;
  skSettings back;
  ASSERT_TRUE(skSettingsFile::load(path, back, error)) << error;
  EXPECT_EQ(back, s);
  // Missing lines keep their defaults; order does not matter.
  ASSERT_TRUE(skSettingsFile::parse("skivo-settings 1\nplayers 2\n\ngame classic", back, error));
  EXPECT_EQ(back.game, "classic");
  EXPECT_EQ(back.players, 2);
  EXPECT_EQ(back.opponents, skSettings().opponents);
  // No file yet: the defaults, no error.
  ASSERT_TRUE(skSettingsFile::load(at("none.txt"), back, error));
  EXPECT_EQ(back, skSettings());
}

TEST_F(Settings, ABadFileIsReportedAndGivesTheDefaults) {
  const std::string bad[] = {
      "",
      "skivo-settings 2\ngame full\n",
      "skivo-history 1\n",
      "skivo-settings 1\ngame fast\n",
      "skivo-settings 1\ncolour red\n",
      "skivo-settings 1\nplayers 3\n",
      "skivo-settings 1\nplayers 1\nplayers 2\n",
      "skivo-settings 1\ngame  full\n",
      "skivo-settings 1\n" + std::string(5000, '\n'),
  };
  for (const std::string& text : bad) {
    skSettings s;
    s.game = "classic";
    std::string error;
    EXPECT_FALSE(skSettingsFile::parse(text, s, error)) << text.substr(0, 40);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(s, skSettings()) << text.substr(0, 40);
  }
  std::string error;
  skSettings s;
  write(at("bad.txt"), "skivo-settings 1\nopponents 42\n");
  EXPECT_FALSE(skSettingsFile::load(at("bad.txt"), s, error));
  EXPECT_NE(error.find("line 2"), std::string::npos) << error;
  // A folder where the file should be, or a file where its folder should be.
  fs::create_directories(at("folder.txt"));
  EXPECT_FALSE(skSettingsFile::load(at("folder.txt"), s, error));
  write(at("plain"), "x");
  EXPECT_FALSE(skSettingsFile::save(at("plain/settings.txt"), s, error));
  EXPECT_EQ(readAll(at("plain")), "x");
}

TEST(UserFolder, FollowsXdgDataHomeThenHome) {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  const std::string savedXdg = xdg ? xdg : "", savedHome = home ? home : "";
  setenv("XDG_DATA_HOME", "/data/x", 1);
  EXPECT_EQ(skUtil::userDataFolder(), "/data/x/skivo");
  setenv("XDG_DATA_HOME", "relative", 1);  // not absolute: ignored
  setenv("HOME", "/home/p", 1);
  EXPECT_EQ(skUtil::userDataFolder(), "/home/p/.local/share/skivo");
  unsetenv("XDG_DATA_HOME");
  unsetenv("HOME");
  EXPECT_EQ(skUtil::userDataFolder(), "");
  if (xdg) setenv("XDG_DATA_HOME", savedXdg.c_str(), 1);
  if (home) setenv("HOME", savedHome.c_str(), 1);
}

using History = Scratch;

TEST_F(History, AppendsWholeLinesThatReadBackInOrder) {
  const std::string path = at("new/history.txt");
  std::string error;
  for (int k = 0; k < 5; ++k) {
    ASSERT_TRUE(skHistoryFile::append(path, record(10.0 * k, k % 2 ? "classic" : "full"), error))
        << error;
  }
  std::vector<skGameRecord> records;
  int skipped = -1;
  ASSERT_TRUE(skHistoryFile::read(path, records, skipped, error)) << error;
  ASSERT_EQ(records.size(), 5u);
  EXPECT_EQ(skipped, 0);
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(records[k].share, 10.0 * k);
    EXPECT_EQ(records[k].game, k % 2 ? "classic" : "full");
    EXPECT_EQ(records[k].seconds, 312.4);
    EXPECT_EQ(records[k].tags, 7);
  }
  EXPECT_EQ(readAll(path).substr(0, 16), "skivo-history 1\n");
  // No file yet: an empty history.
  ASSERT_TRUE(skHistoryFile::read(at("none.txt"), records, skipped, error));
  EXPECT_TRUE(records.empty());
}

TEST_F(History, ARecordTornByAStopIsClosedAndSkippedAndNothingElseIsLost) {
  const std::string path = at("history.txt");
  std::string error;
  ASSERT_TRUE(skHistoryFile::append(path, record(40), error));
  // The machine stopped in the middle of the next line.
  std::ofstream(path, std::ios::app) << "2026-12-08T13:00:00Z full adap";
  ASSERT_TRUE(skHistoryFile::append(path, record(60), error)) << error;
  std::vector<skGameRecord> records;
  int skipped = 0;
  ASSERT_TRUE(skHistoryFile::read(path, records, skipped, error));
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].share, 40);
  EXPECT_EQ(records[1].share, 60);
  EXPECT_EQ(skipped, 1);
}

TEST_F(History, AFileThatIsNotOursOrNotAFileIsRefusedAndLeftAlone) {
  std::string error;
  for (const std::string& text : {std::string("my notes\n"), std::string("skivo-history"),
                                  std::string("skivo-settings 1\ngame full\n")}) {
    write(at("history.txt"), text);
    EXPECT_FALSE(skHistoryFile::append(at("history.txt"), record(50), error)) << text;
    EXPECT_EQ(readAll(at("history.txt")), text);
    std::vector<skGameRecord> records;
    int skipped = 0;
    EXPECT_FALSE(skHistoryFile::read(at("history.txt"), records, skipped, error)) << text;
  }
  fs::create_directories(at("folder"));
  EXPECT_FALSE(skHistoryFile::append(at("folder"), record(50), error));
  ASSERT_EQ(mkfifo(at("fifo").c_str(), 0644), 0);
  EXPECT_FALSE(skHistoryFile::append(at("fifo"), record(50), error));
  EXPECT_EQ(error, "not a regular file");
}

// A disk that fills up in the middle of the line (a file size limit, in a
// child process): the append fails and the file is as it was.
TEST_F(History, ADiskThatFillsUpMidLineLeavesTheFileAsItWas) {
  const std::string path = at("history.txt");
  std::string error;
  ASSERT_TRUE(skHistoryFile::append(path, record(40), error));
  const std::string before = readAll(path);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{static_cast<rlim_t>(before.size() + 10), RLIM_INFINITY};
    setrlimit(RLIMIT_FSIZE, &limit);
    std::string e;
    _exit(skHistoryFile::append(path, record(60), e) ? 1 : 0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the append said it succeeded";
  EXPECT_EQ(readAll(path), before);
}

TEST(HistoryLines, OnlyWellFormedRecordsAreRead) {
  skGameRecord r;
  EXPECT_TRUE(skHistoryFile::parseLine(skHistoryFile::line(record(33.3)), r));
  EXPECT_EQ(r.share, 33.3);
  const char* bad[] = {
      "2026-12-08 full adaptive plain 1.0 2.0 3",
      "2026-12-08T12:34:56Z fast adaptive plain 1.0 2.0 3",
      "2026-12-08T12:34:56Z full adaptive round 1.0 2.0 3",
      "2026-12-08T12:34:56Z full adaptive plain -1.0 2.0 3",
      "2026-12-08T12:34:56Z full adaptive plain nan 2.0 3",
      "2026-12-08T12:34:56Z full adaptive plain 1.0 101 3",
      "2026-12-08T12:34:56Z full adaptive plain 1.0 2.0 -3",
      "2026-12-08T12:34:56Z full adaptive plain 1.0 2.0 3 4",
      "2026-12-08T12:34:56Z full adaptive plain 1.0 2.0",
  };
  for (const char* line : bad) EXPECT_FALSE(skHistoryFile::parseLine(line, r)) << line;
  // Words with spaces are cut, so a line always has its seven fields.
  skGameRecord spaced = record(1);
  spaced.opponents = "two words";
  EXPECT_TRUE(skHistoryFile::parseLine(skHistoryFile::line(spaced), r));
  EXPECT_EQ(r.opponents, "two");
  EXPECT_TRUE(skHistoryFile::parseLine(skHistoryFile::now() + " full easy plain 1 2 3", r));
}
