// skOpponents: who plays characters 1 and 2, in the one vocabulary of every
// program's --opponents, and the one way to put them into a world: the
// learners (the game's own, the view learner or the skill learner, from empty
// tables, the shipped ones or a folder's), frozen or learning, a coach fitting
// opponents that plan to the player (skAdaptiveOpponents), or the library's
// evade/pursue.
//
// The vocabulary (one value; KIND:learning or KIND:frozen switches learning
// on or off where the kind has tables that learn):
//   learning   the game's learners from empty tables, learning (the default)
//   frozen     the same, not learning (learning:frozen)
//   view       view learners from empty tables, learning (view-learning);
//              view-frozen: not learning
//   trained    view learners of the shipped tables; learning in the games,
//              frozen in the arena and the panel (trained-learning)
//   easy       opponents that plan (skSkillOpponent) from the shipped skill
//              tables, learning slowly as they play, held at grade 4 (grade-4)
//   adaptive   the same, whose grade a coach moves to keep the player "it"
//              within a band
//   grade-G    the same, held at grade G (easy:frozen and so on: not learning)
//   scripted   the library's evade/pursue (no tables)
//   experts    two scripted experts (skControllerExpert; no tables)
//   skills     opponents that plan with the planning skills and learn which
//              to use when (skSkillOpponent), from empty tables, learning;
//              skills-frozen: not learning
//   DIR        the tables DIR/RULES-1.txt and DIR/RULES-2.txt, frozen (a name
//              with a '/' or an existing folder); DIR:learning learning
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "skAdaptiveOpponents.h"
#include "skLearner.h"
#include "skLearningSettings.h"
#include "skPerception.h"
#include "skRewards.h"
#include "skSkillOpponent.h"

namespace skivo {

class skController;
class skWorld;

class skOpponents {
 public:
  enum class Kind { game, view, trained, folder, coached, scripted, experts, skills };
  // Whether they learn: as the kind says (see above), or switched on or off.
  enum class Learning { asKind, on, off };
  // The grade of easy.
  static constexpr int easyGrade = 4;

  Kind kind = Kind::game;
  Learning learning = Learning::asKind;
  // Kind::folder: the folder of the tables.
  std::string folder;
  // Kind::coached: the first grade, whether the coach moves it, and the
  // share of time "it" (0 to 1) it keeps the player within when it does.
  int grade = skAdaptiveOpponents::startGrade;
  bool adapting = true;
  skShareBand band;
  // The value as given ("learning" by default).
  std::string name = "learning";

  // Reads one value of the vocabulary into this; false with a message naming
  // option (as "--opponents") and the value, this then unspecified.
  bool read(const std::string& text, const std::string& option, std::string& error);
  // The words for --help, with their meanings (aliases with none).
  static std::vector<std::pair<std::string, std::string>> words();
  // Whether the opponents play under a coach (easy, adaptive, grade-G), and
  // whether they have tables at all (not the library's chasers nor experts).
  bool coached() const { return kind == Kind::coached; }
  bool scripted() const { return kind == Kind::scripted || kind == Kind::experts; }
  // Whether their tables learn outside the games (the arena, the panel).
  bool learns() const {
    return learning == Learning::on ||
           (learning == Learning::asKind && (kind == Kind::game || kind == Kind::view ||
                                             kind == Kind::skills || kind == Kind::coached));
  }

  // What a program adds to the value when it makes the opponents.
  struct Setup {
    // Tables to start characters 1 and 2 from, before the kind's own; empty:
    // none. A view learner's table makes that character a view learner.
    std::string tables[2];
    // Whether character 1 is an opponent (not with a second player).
    bool first = true;
    // The games: the shipped tables learn in play (view learners; the game's
    // learner only when remembered).
    bool inGame = false;
    bool remembered = false;
    // How new view learners learn and are rewarded; skill learners learn
    // with skillSettings (the coached ones with skSkillOpponent::playSettings)
    // and skillRewards.
    skLearningSettings viewSettings;
    skLearningSettings skillSettings = skSkillOpponent::trainingSettings();
    skRewards rewards;
    skRewards skillRewards = skSkillOpponent::rewards();
  };
  // What make put into the world: the learners of characters 1 and 2 (null
  // when scripted or not an opponent; owned by their characters) and the
  // coach of the coached kind (owned here; call its update every step).
  struct Made {
    skLearner* learners[2] = {nullptr, nullptr};
    std::unique_ptr<skAdaptiveOpponents> coach;
  };
  // Gives characters 1 and 2 of world (the built-in scenario's) their
  // controllers and loads their tables. False with a message naming the
  // file and the reason when a table is missing, cannot be loaded, or is not
  // a view learner's table where the kind needs one; nothing is written.
  bool make(skWorld& world, const Setup& setup, Made& made, std::string& error) const;

  // The library's chaser, as a tree on perception: pursues when "it",
  // evades the one who is otherwise, avoids obstacles, thinks every 50 ms;
  // measuring the way to the others as measure says (skPerception::Measure:
  // as the perception sees them by default, or by the shortest way across
  // the wrapped edges).
  static std::unique_ptr<skController> chaser(
      skPerception* perception, skPerception::Measure measure = skPerception::Measure::asSeen);
};

}  // namespace skivo
