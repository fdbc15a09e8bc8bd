// skGameOptions: the command line of skivo and skivo-classic. Without options
// the games play exactly as always: learners from empty tables, nothing read
// or written. The options choose trained opponents, tables to start from and
// a folder in which the opponents' learning is kept from one game to the next.
// Parsing and the checks of the files never exit and never draw: they return
// false with a message, so that bad input is refused before the window opens.
#pragma once

#include <string>
#include <vector>

#include "skCommandLine.h"
#include "skLearner.h"
#include "skOpponents.h"
#include "skRules.h"
#include "skWorld.h"

namespace skivo {

class skGameOptions {
 public:
  // Who characters 1 and 2 are (skOpponents): by default the game's own
  // learners; trained: view learners from the shipped tables, learning on in
  // play; easy and adaptive: the same tables, frozen, weakened to a fixed
  // grade (easy) or to the grade a coach fits to the player
  // (skAdaptiveOpponents); coached ones learn nothing and keep nothing in a
  // --remember folder.
  skOpponents opponents;
  // The grade of --opponents easy (skAdaptiveOpponents::grades).
  static constexpr int easyGrade = skOpponents::easyGrade;
  // Folder of the remembered tables; empty when not given.
  std::string remember;
  // Tables to start characters 1 and 2 from; empty when not given.
  std::string tactics[2];
  // --seamless: collisions, tags and what the opponents see reach across the
  // wrapped edges, and a disk crossing an edge shows on both sides.
  bool seamless = false;
  bool help = false;
  // --start-screen: the games behind a start screen (skSession).
  bool startScreen = false;
  // --hud: the score on screen, and a summary on standard output at the end.
  bool hud = false;
  // --players 2: character 1 is a second human, on W A S D.
  int players = 1;
  // --fps N: frames a second, in step with the display where the driver can,
  // else paced with a sleep; 0 (the default): unthrottled. --fps display: the
  // display's rate, 60 when it cannot be told.
  int fps = 0;
  // --fair-start: nobody starts on an obstacle or another character.
  bool fairStart = false;
  // --new-layout: a new layout each game, from a seed drawn and printed at
  // start; --seed N: the layout (and the draws of the play) of seed N.
  bool newLayout = false;
  bool seeded = false;
  unsigned int seed = 0;
  // The options the games recommend for playing (--recommended sets them;
  // an --opponents given anywhere on the line wins over theirs). Their
  // adaptive opponents give way to the game's learners (makeGame) with
  // --remember, which asks for opponents that learn across games, and where
  // no trained skill tables are installed.
  static const char* const recommended;
  bool opponentsGiven = false;
  bool opponentsRecommended = false;
  // Whether nothing the opponents learn is kept: easy and adaptive ones
  // start every game from the shipped tables.
  bool keepsNothing() const { return opponents.coached(); }

  // Parses argv with table(). False with a message naming the option.
  bool parse(int argc, char** argv, std::string& error);
  // The options, each setting its field of this value (which must outlive
  // the table): for an entry that adds options of its own.
  std::vector<skCommandLine::Option> table();
  // The --help text of program (its name).
  static std::string usage(const std::string& program);

  // The world these options play by rules: with --new-layout a seed is drawn
  // first (and kept in seed, for the summary), with --seed that one.
  skWorldDef worldDef(const skRules& rules);
  // The names of the characters in the score and the summary.
  std::vector<std::string> names() const;

  // Where the tables of character k (1 or 2) are remembered for these rules:
  // remember/<rules>-<k>.txt.
  std::string rememberedFile(const skRules& rules, int k) const;

  // Makes the opponents the options ask for in characters 1 and 2 of world
  // (built with the built-in scenario; skOpponents::make): their learners
  // (owned by the characters) and, for easy and adaptive ones, the coach.
  // The start of each is its --tactics file, else its remembered table when
  // present, else its kind's (the shipped table of trained ones), else
  // empty. A view learner's table gives the character a view learner
  // (skControllerRLView), which goes on learning in play with its play
  // settings; the game's learner learns unless it starts trained and is not
  // remembered. With a second player the one opponent left plays at easy's
  // grade. Checks that a --remember folder can take the tables. False with
  // a message naming the file and the reason; nothing is written here.
  bool prepare(skWorld& world, skOpponents::Made& made, std::string& error) const;
  // Saves the learners' tables into the --remember folder (atomically); true
  // when there is nothing to save. A null learner (a second player) is skipped.
  bool keep(const skRules& rules, skLearner* const learners[2], std::string& error) const;
};

}  // namespace skivo
