// The games' options: what they refuse, where the opponents' tables come from
// and whether the opponents learn in play.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "skCharacter.h"
#include "skControllerRL.h"
#include "skControllerRLView.h"
#include "skControllerSkillLearner.h"
#include "skGame.h"
#include "skGameOptions.h"
#include "skScenario.h"
#include "skTacticsFile.h"
#include "skTestWorld.h"
#include "skWorld.h"

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
      {{"--opponents", "smart"}, "--opponents: 'smart' is not learning"},
      {{"--remember"}, "needs a value"},
      {{"--tactics1="}, "--tactics1 needs a file name"},
      {{"leftover"}, "unexpected argument 'leftover'"},
      {{"--players", "3"}, "--players: '3' is not 1 or 2"},
      {{"--fps", "0"}, "--fps: '0' is out of range"},
      {{"--fps", "fast"}, "nor display"},
      {{"--seed", "-1"}, "--seed: '-1' is out of range"}};
  for (const auto& row : rows) {
    skGameOptions o;
    std::string error;
    EXPECT_FALSE(parse(o, row.first, error));
    EXPECT_NE(error.find(row.second), std::string::npos) << error;
  }
}

// The recommended set is the options it names; a drawn seed is kept for
// the summary; a second player takes character 1's place.
TEST(GameOptions, TheRecommendedSetAndTheSeedsMakeTheWorldTheyName) {
  skGameOptions recommended, named;
  std::string error;
  ASSERT_TRUE(parse(recommended, {"--recommended"}, error));
  std::vector<std::string> words;
  std::istringstream in(skGameOptions::recommended);
  for (std::string w; in >> w;) words.push_back(w);
  ASSERT_TRUE(parse(named, words, error)) << error;
  EXPECT_TRUE(recommended.hud && recommended.fairStart && recommended.newLayout);
  EXPECT_EQ(recommended.fps, named.fps);
  EXPECT_EQ(recommended.hud, named.hud);
  const skWorldDef drawn = recommended.worldDef(skRules::classic());
  EXPECT_EQ(drawn.seeding, skWorldDef::Seeding::world);
  EXPECT_EQ(drawn.seed, recommended.seed);
  skGameOptions again;
  ASSERT_TRUE(parse(again, {"--seed", std::to_string(recommended.seed)}, error));
  EXPECT_EQ(again.worldDef(skRules::classic()).seed, drawn.seed);
  EXPECT_EQ(skGameOptions().worldDef(skRules::full()).seeding, skWorldDef::Seeding::none);

  skGameOptions two;
  ASSERT_TRUE(parse(two, {"--players", "2", "--tactics1", "t.txt"}, error));
  skWorld world;
  skOpponents::Made made;
  EXPECT_FALSE(two.prepare(world, made, error));
  EXPECT_NE(error.find("character 1 is the second player"), std::string::npos) << error;
}

// Seamless edges are the game's own tables' rules too: the same files.
TEST(GameOptions, SeamlessIsAFlagThatKeepsTheRememberedFilesOfTheRules) {
  skGameOptions o;
  std::string error;
  EXPECT_FALSE(o.seamless);
  ASSERT_TRUE(parse(o, {"--seamless", "--remember", "kept"}, error)) << error;
  EXPECT_TRUE(o.seamless);
  skRules rules = skRules::classic();
  rules.seamless = true;
  EXPECT_EQ(o.rememberedFile(rules, 1), "kept/classic-1.txt");
  EXPECT_FALSE(parse(o, {"--seamless=yes"}, error));
}

// A --tactics file before a remembered table before a trained one; the
// game's trained learners play frozen unless remembered; a view learner's
// table makes a view learner, which learns in play and is remembered as one;
// a bad file is refused by name.
TEST(GameOptions, OpponentsStartFromTheTablesAskedForOfTheKindTheirFilesHold) {
  const fs::path dir = fs::path(testing::TempDir()) / ("options-" + std::to_string(getpid()));
  fs::create_directories(dir / "remember");
  writeTable((dir / "one.txt").string(), 1);
  writeTable((dir / "remember/full-2.txt").string(), 2);
  std::ofstream((dir / "short.txt").string()) << "1 2 3\n";
  std::string error;
  {
    skWorld world;
    skOpponents::Made made;
    skGameOptions o;
    ASSERT_TRUE(parse(o,
                      {"--opponents", "trained", "--tactics1", (dir / "one.txt").string(),
                       "--remember", (dir / "remember").string()},
                      error));
    ASSERT_TRUE(o.prepare(world, made, error)) << error;
    skLearner* const* learners = made.learners;
    EXPECT_EQ(learners[0]->getTable()[79], 1.0);
    EXPECT_EQ(learners[1]->getTable()[79], 2.0);
    EXPECT_TRUE(dynamic_cast<skControllerRL*>(learners[0]) &&
                dynamic_cast<skControllerRL*>(learners[1]));
    EXPECT_TRUE(learners[0]->getLearning() && learners[1]->getLearning());
    ASSERT_TRUE(o.keep(skRules::full(), learners, error)) << error;
    // Each learner's own table in its own file.
    for (int k = 0; k < 2; ++k) {
      std::ifstream kept((dir / ("remember/full-" + std::to_string(k + 1) + ".txt")).string());
      skControllerRL probe(nullptr);
      EXPECT_EQ(probe.read_tactics(kept), 80u);
      EXPECT_EQ(probe.getQTable(), learners[k]->getTable()) << "character " << k + 1;
    }
  }
  {
    skWorld world;
    skOpponents::Made made;
    skGameOptions trained;
    ASSERT_TRUE(parse(trained, {"--opponents=trained"}, error));
    ASSERT_FALSE(trainedTableFile(skRules::full(), 2).empty());
    ASSERT_TRUE(trained.prepare(world, made, error)) << error;
    for (const skLearner* l : made.learners) {
      EXPECT_EQ(dynamic_cast<const skControllerRLView*>(l) != nullptr, l->getLearning());
    }
    EXPECT_TRUE(trained.keep(skRules::full(), made.learners, error)) << "nothing to keep";
  }
  {
    // A view table: a view learner for character 2, learning, remembered as one.
    skWorld world;
    skControllerRLView made(world.getPerception(), skRules::full());
    std::ofstream view((dir / "view.txt").string());
    made.writeTable(view);
    view.close();
    skOpponents::Made opponents;
    skGameOptions o;
    ASSERT_TRUE(parse(
        o, {"--tactics2", (dir / "view.txt").string(), "--remember", (dir / "again").string()},
        error));
    ASSERT_TRUE(o.prepare(world, opponents, error)) << error;
    auto* learner = dynamic_cast<skControllerRLView*>(opponents.learners[1]);
    ASSERT_NE(learner, nullptr);
    EXPECT_EQ(world.getGameState().getCharacter(2)->getController(), learner);
    EXPECT_TRUE(learner->getLearning());
    ASSERT_TRUE(o.keep(skRules::full(), opponents.learners, error)) << error;
    EXPECT_TRUE(skTacticsFile::holdsViewTable((dir / "again/full-2.txt").string()));
    EXPECT_FALSE(skTacticsFile::holdsViewTable((dir / "again/full-1.txt").string()));
  }
  skWorld world;
  skOpponents::Made made;
  skGameOptions bad;
  ASSERT_TRUE(parse(bad, {"--tactics2", (dir / "short.txt").string()}, error));
  EXPECT_FALSE(bad.prepare(world, made, error));
  EXPECT_NE(error.find("short.txt': read 3 of 80 values"), std::string::npos) << error;
  fs::remove_all(dir);
}

// Easy and adaptive opponents plan, from the shipped skill tables, learning
// as they play, at a grade a coach holds or moves; --opponents wins over
// --recommended's wherever it stands; nothing they learn is remembered.
TEST(GameOptions, EasyAndAdaptiveOpponentsPlayTheShippedSkillTablesAndKeepNothing) {
  for (const skRules& rules : {skRules::full(), skRules::classic()}) {
    for (int k : {1, 2}) ASSERT_FALSE(trainedTableFile(rules, k, true).empty()) << rules.name();
  }
  const fs::path dir = fs::path(testing::TempDir()) / ("coached-" + std::to_string(getpid()));
  fs::create_directories(dir);
  writeTable((dir / "game.txt").string(), 1);
  std::string error;
  const auto opponents = [&](std::vector<std::string> args) {
    skGameOptions o;
    EXPECT_TRUE(parse(o, args, error)) << error;
    return o.opponents.name;
  };
  EXPECT_EQ(opponents({"--recommended"}), "adaptive");
  EXPECT_EQ(opponents({"--opponents", "trained", "--recommended"}), "trained");
  EXPECT_EQ(opponents({"--recommended", "--opponents", "easy"}), "easy");
  EXPECT_EQ(opponents({}), "learning");

  const struct {
    std::vector<std::string> args;
    int grade;
  } cases[] = {
      {{"--recommended"}, skAdaptiveOpponents::startGrade},
      {{"--opponents", "adaptive", "--remember", (dir / "kept").string()},
       skAdaptiveOpponents::startGrade},
      {{"--opponents", "easy"}, skGameOptions::easyGrade},
      // With a second player, the one opponent left plays at easy's grade.
      {{"--opponents", "adaptive", "--players", "2"}, skGameOptions::easyGrade},
  };
  for (const auto& c : cases) {
    skGameOptions o;
    ASSERT_TRUE(parse(o, c.args, error)) << error;
    skLearner* learners[2] = {nullptr, nullptr};
    std::unique_ptr<skGame> game = makeGame(skRules::classic(), o, learners, error);
    ASSERT_TRUE(game) << error;
    ASSERT_NE(game->getCoach(), nullptr) << c.args[0];
    EXPECT_EQ(game->getCoach()->getGrade(), c.grade) << c.args[0];
    for (const skLearner* l : learners) {
      if (!l) continue;
      ASSERT_NE(dynamic_cast<const skControllerSkillLearner*>(l), nullptr);
      EXPECT_TRUE(l->getLearning());
    }
    EXPECT_TRUE(o.keep(skRules::classic(), learners, error)) << error;
  }
  EXPECT_FALSE(fs::exists(dir / "kept/classic-1.txt"));

  {
    // Asked to remember, the recommended set keeps opponents that learn.
    skGameOptions o;
    ASSERT_TRUE(parse(o, {"--recommended", "--remember", (dir / "kept").string()}, error));
    skLearner* learners[2] = {nullptr, nullptr};
    std::unique_ptr<skGame> game = makeGame(skRules::full(), o, learners, error);
    ASSERT_TRUE(game) << error;
    EXPECT_EQ(game->getCoach(), nullptr);
    EXPECT_EQ(o.opponents.kind, skOpponents::Kind::game);
    EXPECT_TRUE(dynamic_cast<skControllerRL*>(learners[0]) && learners[0]->getLearning());
  }
  skGameOptions game;
  ASSERT_TRUE(
      parse(game, {"--opponents", "adaptive", "--tactics1", (dir / "game.txt").string()}, error));
  skLearner* learners[2] = {nullptr, nullptr};
  EXPECT_FALSE(makeGame(skRules::full(), game, learners, error));
  EXPECT_NE(error.find("not a skill learner's table"), std::string::npos) << error;
  fs::remove_all(dir);
}
