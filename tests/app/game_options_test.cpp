// The games' options: what they refuse, where the opponents' tables come from
// and whether the opponents learn in play.
#include <filesystem>
#include <fstream>

#include "skControllerRL.h"
#include "skGameOptions.h"
#include "skTestWorld.h"

using namespace sktest;
namespace fs = std::filesystem;

namespace {

bool parse(skGameOptions& o, std::vector<std::string> args, std::string& error) {
  args.insert(args.begin(), "skivo");
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(&a[0]);
  return o.parse(static_cast<int>(argv.size()), argv.data(), error);
}

void writeTable(const std::string& file, skReal value) {
  std::ofstream out(file);
  for (int i = 0; i < 80; ++i) out << value << "\n";
}

}  // namespace

TEST(GameOptions, BadOptionsAreRefusedWithAMessageNamingThem) {
  const std::pair<std::vector<std::string>, std::string> rows[] = {
      {{"--bogus"}, "unknown option '--bogus'"},
      {{"--opponents", "smart"}, "unknown kind 'smart'"},
      {{"--remember"}, "needs a value"},
      {{"--tactics1="}, "--tactics1 needs a name"},
      {{"leftover"}, "unexpected argument 'leftover'"}};
  for (const auto& row : rows) {
    skGameOptions o;
    std::string error;
    EXPECT_FALSE(parse(o, row.first, error));
    EXPECT_NE(error.find(row.second), std::string::npos) << error;
  }
}

// A --tactics file before a remembered table before a trained one; trained
// opponents play frozen unless remembered; a bad file is refused by name.
TEST_F(WorldTest, OpponentsStartFromTheTablesAskedForAndLearnUnlessTrainedAndNotRemembered) {
  const fs::path dir = fs::path(testing::TempDir()) / ("options-" + std::to_string(getpid()));
  fs::create_directories(dir / "remember");
  writeTable((dir / "one.txt").string(), 1);
  writeTable((dir / "remember/full-2.txt").string(), 2);
  std::ofstream((dir / "short.txt").string()) << "1 2 3\n";
  skControllerRL *a = new skControllerRL(&perception), *b = new skControllerRL(&perception);
  addCharacter(0, 0, 0, 0, a);
  addCharacter(50, 0, 0, 0, b);
  skControllerRL* learners[2] = {a, b};
  std::string error;
  skGameOptions o;
  ASSERT_TRUE(parse(o,
                    {"--opponents", "trained", "--tactics1", (dir / "one.txt").string(),
                     "--remember", (dir / "remember").string()},
                    error));
  ASSERT_TRUE(o.prepare(skRules::full(), learners, error)) << error;
  EXPECT_EQ(a->getQTable()[79], 1.0);
  EXPECT_EQ(b->getQTable()[79], 2.0);
  EXPECT_TRUE(a->getLearning() && b->getLearning());
  ASSERT_TRUE(o.keep(skRules::full(), learners, error)) << error;
  // Each learner's own table in its own file.
  for (int k = 0; k < 2; ++k) {
    std::ifstream kept((dir / ("remember/full-" + std::to_string(k + 1) + ".txt")).string());
    skControllerRL probe(nullptr);
    EXPECT_EQ(probe.read_tactics(kept), 80u);
    EXPECT_EQ(probe.getQTable(), learners[k]->getQTable()) << "character " << k + 1;
  }

  skGameOptions trained;
  ASSERT_TRUE(parse(trained, {"--opponents=trained"}, error));
  ASSERT_FALSE(skGameOptions::trainedFile(skRules::classic(), 2).empty());
  ASSERT_TRUE(trained.prepare(skRules::classic(), learners, error)) << error;
  EXPECT_FALSE(a->getLearning() || b->getLearning());
  EXPECT_TRUE(trained.keep(skRules::classic(), learners, error)) << "nothing to keep";

  skGameOptions bad;
  ASSERT_TRUE(parse(bad, {"--tactics2", (dir / "short.txt").string()}, error));
  EXPECT_FALSE(bad.prepare(skRules::full(), learners, error));
  EXPECT_NE(error.find("short.txt': read 3 of 80 values"), std::string::npos) << error;
  fs::remove_all(dir);
}
