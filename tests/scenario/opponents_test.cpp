// The opponents: one vocabulary, with the older spellings meaning what they
// meant, and one way to make them in a world, whichever program asks.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "skArena.h"
#include "skArenaOptions.h"
#include "skArenaReport.h"
#include "skCharacter.h"
#include "skControllerExpert.h"
#include "skControllerRL.h"
#include "skControllerRLView.h"
#include "skControllerSkillLearner.h"
#include "skControllerTree.h"
#include "skOpponents.h"
#include "skPanelOptions.h"
#include "skScenario.h"
#include "skWorld.h"

using namespace skivo;
using Kind = skOpponents::Kind;
using Learning = skOpponents::Learning;

TEST(Opponents, EveryWordAndOlderSpellingReadsAsTheOpponentsItNames) {
  const struct {
    const char* text;
    Kind kind;
    Learning learning;
    int grade;
    bool adapting;
  } rows[] = {
      {"learning", Kind::game, Learning::asKind, skAdaptiveOpponents::startGrade, true},
      {"frozen", Kind::game, Learning::off, skAdaptiveOpponents::startGrade, true},
      {"learning:frozen", Kind::game, Learning::off, skAdaptiveOpponents::startGrade, true},
      {"view", Kind::view, Learning::asKind, skAdaptiveOpponents::startGrade, true},
      {"view-learning", Kind::view, Learning::on, skAdaptiveOpponents::startGrade, true},
      {"view-frozen", Kind::view, Learning::off, skAdaptiveOpponents::startGrade, true},
      {"trained", Kind::trained, Learning::asKind, skAdaptiveOpponents::startGrade, true},
      {"trained-learning", Kind::trained, Learning::on, skAdaptiveOpponents::startGrade, true},
      {"trained:frozen", Kind::trained, Learning::off, skAdaptiveOpponents::startGrade, true},
      {"easy", Kind::coached, Learning::asKind, skOpponents::easyGrade, false},
      {"grade-4", Kind::coached, Learning::asKind, skOpponents::easyGrade, false},
      {"grade-+16", Kind::coached, Learning::asKind, 16, false},
      {"adaptive", Kind::coached, Learning::asKind, skAdaptiveOpponents::startGrade, true},
      {"scripted", Kind::scripted, Learning::asKind, skAdaptiveOpponents::startGrade, true},
      {"experts", Kind::experts, Learning::asKind, skAdaptiveOpponents::startGrade, true},
      {"skills", Kind::skills, Learning::asKind, skAdaptiveOpponents::startGrade, true},
      {"skills-frozen", Kind::skills, Learning::off, skAdaptiveOpponents::startGrade, true},
      {"data/trained", Kind::folder, Learning::asKind, skAdaptiveOpponents::startGrade, true},
      {"a/b:c:learning", Kind::folder, Learning::on, skAdaptiveOpponents::startGrade, true},
  };
  for (const auto& row : rows) {
    skOpponents o;
    std::string error;
    ASSERT_TRUE(o.read(row.text, "--opponents", error)) << error;
    EXPECT_EQ(o.kind, row.kind) << row.text;
    EXPECT_EQ(o.learning, row.learning) << row.text;
    EXPECT_EQ(o.grade, row.grade) << row.text;
    EXPECT_EQ(o.adapting, row.adapting) << row.text;
    EXPECT_EQ(o.name, row.text);
  }
  skOpponents folder;
  std::string error;
  ASSERT_TRUE(folder.read("a/b:c:learning", "--opponents", error));
  EXPECT_EQ(folder.folder, "a/b:c");
  // A held grade never leaves it: the band is all of the time.
  EXPECT_EQ(skOpponents().band.low, skShareBand().low);
  ASSERT_TRUE(folder.read("easy", "--opponents", error));
  EXPECT_EQ(folder.band.low, 0.0);
  EXPECT_EQ(folder.band.high, 1.0);
}

TEST(Opponents, AnUnknownWordABadGradeOrLearningScriptedOnesIsRefusedByName) {
  const std::pair<const char*, const char*> rows[] = {
      {"smart", "-o: 'smart' is not learning, frozen, view"},
      {"", "-o: '' is not learning"},
      {"grade-17", "-o: 'grade-17' is not a grade from 0 to 16"},
      {"grade- 3", "is not a grade"},
      {"grade-0x1", "is not a grade"},
      {"scripted:frozen", "-o: 'scripted:frozen': scripted opponents learn nothing"},
      {"experts:learning", "experts opponents learn nothing"}};
  for (const auto& row : rows) {
    skOpponents o;
    std::string error;
    EXPECT_FALSE(o.read(row.first, "-o", error)) << row.first;
    EXPECT_NE(error.find(row.second), std::string::npos) << error;
  }
}

namespace {

std::string csvOf(const std::vector<std::string>& args) {
  skArenaOptions o;
  std::string error;
  EXPECT_TRUE(o.parse(args, error)) << error;
  skArena arena(o);
  EXPECT_TRUE(arena.setUp(error)) << error;
  arena.run();
  std::string text = skArenaReport::csvHeader(o.opponents.coached());
  skArenaReport::appendCsvRows(text, arena.getMinutes(), 0, o.opponents.coached());
  return text;
}

}  // namespace

// The arena's older options and --opponents play the same match.
TEST(Opponents, TheArenasOlderOptionsPlayTheSameMatchAsOpponents) {
  const std::vector<std::string> base = {"--minutes", "2", "--seed", "7"};
  const auto with = [&](std::vector<std::string> more) {
    more.insert(more.begin(), base.begin(), base.end());
    return csvOf(more);
  };
  EXPECT_EQ(with({"--learner", "view", "--npc", "frozen"}), with({"--opponents", "view-frozen"}));
  EXPECT_EQ(with({"--npc", "frozen", "--learner", "view"}), with({"--opponents", "view:frozen"}));
  EXPECT_EQ(with({"--npc", "scripted"}), with({"--opponents=scripted"}));
  EXPECT_EQ(with({"--adaptive", "--grade", "3"}),
            with({"--opponents", "adaptive", "--grade", "3"}));
  EXPECT_EQ(with({"--adaptive", "--grade", "5", "--band", "0,100"}),
            with({"--opponents", "grade-5"}));
  EXPECT_NE(with({"--npc", "frozen"}), with({}));

  const std::pair<std::vector<std::string>, const char*> refused[] = {
      {{"--opponents", "view", "--npc", "frozen"}, "either with --opponents or with --npc"},
      {{"--opponents", "easy", "--grade", "3"}, "only they take them"},
      {{"--opponents", "scripted", "--load-tactics1", "t"}, "no tables to load or save"}};
  for (const auto& row : refused) {
    skArenaOptions o;
    std::string error;
    EXPECT_FALSE(o.parse(row.first, error)) << row.second;
    EXPECT_NE(error.find(row.second), std::string::npos) << error;
  }
}

// What make puts into a world: the kind's controllers, the kind's tables
// (a folder's, of the world's rules), learning as the program plays them.
TEST(Opponents, MakeGivesEachKindItsControllersTablesAndLearning) {
  std::string error;
  const auto made = [&](const char* text, skWorld& world, skOpponents::Made& m, bool inGame) {
    skOpponents o;
    EXPECT_TRUE(o.read(text, "--opponents", error)) << error;
    skOpponents::Setup setup;
    setup.inGame = inGame;
    return o.make(world, setup, m, error);
  };
  {
    skWorld world;
    skOpponents::Made m;
    ASSERT_TRUE(made("scripted", world, m, false)) << error;
    EXPECT_EQ(m.learners[0], nullptr);
    EXPECT_EQ(m.learners[1], nullptr);
    EXPECT_EQ(m.coach, nullptr);
    EXPECT_NE(
        dynamic_cast<skControllerTree*>(world.getGameState().getCharacter(2)->getController()),
        nullptr);
  }
  {
    skWorld world;
    skOpponents::Made m;
    ASSERT_TRUE(made("experts", world, m, false)) << error;
    EXPECT_EQ(m.learners[0], nullptr);
    for (int k : {1, 2}) {
      EXPECT_NE(
          dynamic_cast<skControllerExpert*>(world.getGameState().getCharacter(k)->getController()),
          nullptr);
    }
  }
  {
    // Skill learners share the world's planner; their tables, saved to a
    // folder, come back as skill opponents of that folder.
    skWorld world;
    skOpponents::Made m;
    ASSERT_TRUE(made("skills", world, m, false)) << error;
    const std::filesystem::path dir =
        std::filesystem::path(testing::TempDir()) / ("skills-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    for (int k : {0, 1}) {
      auto* l = dynamic_cast<skControllerSkillLearner*>(m.learners[k]);
      ASSERT_NE(l, nullptr);
      EXPECT_TRUE(l->getLearning());
      std::string why;
      ASSERT_TRUE(l->saveTable((dir / ("full-" + std::to_string(k + 1) + ".txt")).string(), why))
          << why;
    }
    skWorld again;
    skOpponents::Made back;
    ASSERT_TRUE(made(dir.string().c_str(), again, back, false)) << error;
    EXPECT_NE(dynamic_cast<skControllerSkillLearner*>(back.learners[1]), nullptr);
    EXPECT_FALSE(back.learners[1]->getLearning()) << "a folder's tables play frozen";
    std::filesystem::remove_all(dir);
  }
  for (bool inGame : {true, false}) {
    skWorld world;
    skOpponents::Made m;
    ASSERT_TRUE(made("trained", world, m, inGame)) << error;
    for (skLearner* l : m.learners) {
      ASSERT_NE(dynamic_cast<skControllerRLView*>(l), nullptr);
      EXPECT_EQ(l->getLearning(), inGame) << "the games' trained opponents go on learning";
    }
  }
  {
    skWorld world;
    skOpponents::Made m;
    ASSERT_TRUE(made("adaptive", world, m, true)) << error;
    ASSERT_NE(m.coach, nullptr);
    EXPECT_EQ(m.coach->getGrade(), skAdaptiveOpponents::startGrade);
    for (skLearner* l : m.learners) {
      ASSERT_NE(dynamic_cast<skControllerSkillLearner*>(l), nullptr) << "they plan";
      EXPECT_TRUE(l->getLearning()) << "and learn the player as they play";
    }
    skWorld other;
    skOpponents::Made still;
    ASSERT_TRUE(made("easy:frozen", other, still, false)) << error;
    EXPECT_FALSE(still.learners[0]->getLearning() || still.learners[1]->getLearning());
  }
  const std::filesystem::path dir =
      std::filesystem::path(testing::TempDir()) / ("opponents-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  {
    std::ofstream out((dir / "full-2.txt").string());
    for (int i = 0; i < 80; ++i) out << 3 << "\n";
  }
  skWorld world;
  skOpponents::Made m;
  EXPECT_FALSE(made((dir.string() + ":learning").c_str(), world, m, false));
  EXPECT_NE(error.find("full-1.txt"), std::string::npos) << error;
  {
    std::ofstream out((dir / "full-1.txt").string());
    for (int i = 0; i < 80; ++i) out << 1 << "\n";
  }
  skWorld again;
  skOpponents::Made kept;
  ASSERT_TRUE(made((dir.string() + ":learning").c_str(), again, kept, false)) << error;
  EXPECT_EQ(kept.learners[0]->getTable()[0], 1.0);
  EXPECT_EQ(kept.learners[1]->getTable()[0], 3.0);
  EXPECT_TRUE(kept.learners[0]->getLearning());
  EXPECT_EQ(kept.learners[1], again.getLearner(2)) << "the game's own learner, its table loaded";
  std::filesystem::remove_all(dir);

  // The panel reads its list in the same vocabulary.
  skPanelOptions panel;
  ASSERT_TRUE(panel.parse({"--opponents", "grade-3,view-learning,scripted"}, error)) << error;
  ASSERT_EQ(panel.request.opponents.size(), 3u);
  EXPECT_EQ(panel.request.opponents[0].opponents.grade, 3);
  EXPECT_FALSE(panel.request.opponents[0].adaptive());
  EXPECT_TRUE(panel.request.opponents[1].inGame);
  EXPECT_TRUE(panel.request.opponents[2].opponents.scripted());
}
