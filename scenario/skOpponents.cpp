#include "skOpponents.h"

#include <sys/stat.h>

#include <cstdio>

#include "skControllerAvoid.h"
#include "skControllerConditional.h"
#include "skControllerEvade.h"
#include "skControllerExpert.h"
#include "skControllerNoTagBack.h"
#include "skControllerPeriodic.h"
#include "skControllerPursue.h"
#include "skControllerRL.h"
#include "skControllerRLView.h"
#include "skControllerSkillLearner.h"
#include "skControllerTree.h"
#include "skOptionValue.h"
#include "skScenario.h"
#include "skTacticsFile.h"
#include "skWorld.h"

namespace skivo {

namespace {

// How often the scripted trees think, in game milliseconds: often enough to
// steer round the obstacles, rarely enough to keep the arena fast.
const int scriptedPeriod = 50;

// A grade, read as the option table reads every whole number.
bool readGrade(const std::string& text, int& grade) {
  long long g = 0;
  if (!skOptionValue::readWhole(text, g) || g < 0 || g >= skAdaptiveOpponents::gradeCount) {
    return false;
  }
  grade = static_cast<int>(g);
  return true;
}

std::string percent(double share) {
  char text[16];
  std::snprintf(text, sizeof text, "%g", 100 * share);
  return text;
}

bool isFolder(const std::string& path) {
  struct stat s;
  return stat(path.c_str(), &s) == 0 && S_ISDIR(s.st_mode);
}

}  // namespace

std::vector<std::pair<std::string, std::string>> skOpponents::words() {
  const std::string top = std::to_string(skAdaptiveOpponents::gradeCount - 1);
  const skShareBand band;
  return {
      {"learning", "the game's learners from empty tables, learning"},
      {"frozen", "the same, not learning"},
      {"view", "view learners (skControllerRLView) from empty tables, learning"},
      {"view-frozen", "the same, not learning"},
      {"trained",
       "view learners of the shipped tables: learning in the games, frozen in skivo-arena "
       "and skivo-panel"},
      {"easy",
       "opponents that plan, of the shipped tables, learning as they play, weakened to grade " +
           std::to_string(easyGrade)},
      {"adaptive",
       "the same, made weaker or stronger every game minute to keep the player \"it\" " +
           percent(band.low) + " to " + percent(band.high) + " % of the time"},
      {"grade-G", "the same, held at grade G (0, the weakest, to " + top + ")"},
      {"scripted", "the library's evade/pursue (no tables)"},
      {"experts", "two scripted experts (skControllerExpert; no tables)"},
      {"skills",
       "opponents that plan their ways and learn which plan to use when, from empty tables, "
       "learning"},
      {"skills-frozen", "the same, not learning"},
      {"DIR", "the tables DIR/RULES-1.txt and DIR/RULES-2.txt (RULES: full or classic), frozen"},
      {"KIND:learning",
       "KIND (learning, view, trained, skills, easy, adaptive, grade-G or DIR) learning"},
      {"KIND:frozen", "KIND not learning"},
      {"view-learning", ""},
      {"trained-learning", ""},
  };
}

bool skOpponents::read(const std::string& text, const std::string& option, std::string& error) {
  *this = skOpponents();
  name = text;
  std::string kindText = text;
  const std::size_t colon = text.rfind(':');
  if (colon != std::string::npos) {
    const std::string suffix = text.substr(colon + 1);
    if (suffix == "learning" || suffix == "frozen") {
      learning = suffix == "learning" ? Learning::on : Learning::off;
      kindText = text.substr(0, colon);
    }
  }
  const std::string refused = option + ": '" + text + "' is not ";
  if (kindText == "learning" || kindText == "game") {
    kind = Kind::game;
  } else if (kindText == "frozen") {
    kind = Kind::game;
    if (learning == Learning::asKind) learning = Learning::off;
  } else if (kindText == "view" || kindText == "view-learning" || kindText == "view-frozen") {
    kind = Kind::view;
    if (learning == Learning::asKind && kindText != "view") {
      learning = kindText == "view-frozen" ? Learning::off : Learning::on;
    }
  } else if (kindText == "trained" || kindText == "trained-learning") {
    kind = Kind::trained;
    if (kindText == "trained-learning" && learning == Learning::asKind) learning = Learning::on;
  } else if (kindText == "easy" || kindText == "adaptive" ||
             kindText.compare(0, 6, "grade-") == 0) {
    kind = Kind::coached;
    int g = easyGrade;
    if (kindText.compare(0, 6, "grade-") == 0 && !readGrade(kindText.substr(6), g)) {
      error = refused + "a grade from 0 to " + std::to_string(skAdaptiveOpponents::gradeCount - 1);
      return false;
    }
    if (kindText == "adaptive") {
      grade = skAdaptiveOpponents::startGrade;
    } else {
      // Held: a coach that never moves the grade.
      grade = g;
      adapting = false;
      band = {0, 1};
    }
  } else if (kindText == "scripted") {
    kind = Kind::scripted;
  } else if (kindText == "experts") {
    kind = Kind::experts;
  } else if (kindText == "skills" || kindText == "skills-frozen") {
    kind = Kind::skills;
    if (learning == Learning::asKind && kindText == "skills-frozen") learning = Learning::off;
  } else if (!kindText.empty() && (kindText.find('/') != std::string::npos || isFolder(kindText))) {
    kind = Kind::folder;
    folder = kindText;
  } else {
    error = refused +
            "learning, frozen, view, view-frozen, trained, easy, adaptive, grade-G, scripted, "
            "experts, skills, skills-frozen or a folder of tables";
    return false;
  }
  if (learning != Learning::asKind && scripted()) {
    error = option + ": '" + text + "': " + kindText + " opponents learn nothing";
    return false;
  }
  return true;
}

std::unique_ptr<skController> skOpponents::chaser(skPerception* p, skPerception::Measure measure) {
  // Pursue when "it", evade the one who is "it" otherwise, avoid obstacles.
  auto tree = std::make_unique<skControllerTree>(p);
  skController* pursue = tree->make<skControllerPursue>(p, measure);
  skController* evade = tree->make<skControllerEvade>(p, measure);
  skController* choose =
      tree->make<skControllerConditional>(p, &skPerception::myselfTagged, pursue, evade);
  skController* avoid = tree->make<skControllerAvoid>(p, choose);
  tree->setRoot(tree->make<skControllerPeriodic>(p, scriptedPeriod, avoid));
  return tree;
}

bool skOpponents::make(skWorld& world, const Setup& setup, Made& made, std::string& error) const {
  const skRules& rules = world.getDef().rules;
  skPerception* perception = world.getPerception();
  skControllerGraded* graded[2] = {nullptr, nullptr};
  for (int k = setup.first ? 0 : 1; k < 2; ++k) {
    if (kind == Kind::scripted) {
      world.setController(k + 1, chaser(perception));
      continue;
    }
    if (kind == Kind::experts) {
      world.setController(k + 1, std::make_unique<skControllerExpert>(perception, rules));
      continue;
    }
    const std::string rulesFile = std::string(rules.name()) + "-" + std::to_string(k + 1) + ".txt";
    std::string start = setup.tables[k];
    if (start.empty() && kind == Kind::folder) start = folder + "/" + rulesFile;
    const bool coached = kind == Kind::coached;
    if (start.empty() && (kind == Kind::trained || coached)) {
      start = trainedTableFile(rules, k + 1, coached);
      if (start.empty()) {
        const std::string file =
            coached ? std::string(rules.name()) + "-skills-" + std::to_string(k + 1) + ".txt"
                    : rulesFile;
        error = std::string("no trained opponents for the ") + rules.name() +
                " rules are installed (" + file + " in share/skivo/trained)";
        return false;
      }
    }
    const std::string startKind = start.empty() ? "" : skTacticsFile::kindOf(start);
    const bool skills =
        kind == Kind::skills || coached || startKind == skControllerSkillLearner::kind;
    const bool view = !skills && (kind == Kind::view || startKind == skControllerRLView::kind);
    if (coached && startKind != skControllerSkillLearner::kind) {
      error =
          "'" + start + "' is not a skill learner's table, which easy and adaptive opponents play";
      return false;
    }
    skLearner* learner = nullptr;
    if (skills) {
      // Coached ones learn as the games' shipped opponents do: slowly.
      skSkillOpponent::Made opponent = skSkillOpponent::make(
          perception, world.getPlanner(), rules,
          coached ? skSkillOpponent::playSettings() : setup.skillSettings, setup.skillRewards);
      learner = opponent.learner;
      graded[k] = opponent.graded;
      world.setController(k + 1, std::move(opponent.root));
    } else if (view) {
      auto fresh = std::make_unique<skControllerRLView>(perception, rules, setup.viewSettings,
                                                        setup.rewards);
      learner = fresh.get();
      world.setController(k + 1, std::move(fresh));
    } else {
      learner = world.getLearner(k + 1);
    }
    // In the games the shipped tables learn too.
    const bool on = learns() || (learning == Learning::asKind && kind == Kind::trained &&
                                 setup.inGame && (view || setup.remembered));
    learner->setLearning(on);
    if (!start.empty() && !learner->loadTable(start, error)) return false;
    made.learners[k] = learner;
  }
  if (kind == Kind::coached) {
    // With a second player the one opponent left is both of the coach's.
    made.coach = std::make_unique<skAdaptiveOpponents>(
        *perception, graded[0] ? graded[0] : graded[1], graded[1], band, grade);
  }
  return true;
}

}  // namespace skivo
