// skStartMenu: the games' start screen: the game (full or classic), the
// opponents (easy, adaptive, or the learners from nothing), the edges and
// the players, chosen with the arrow keys (up and down pick a row, left and
// right change it), Enter to play, Escape to quit; below, the player's last
// and best share of the time "it" for the chosen game and opponents, from
// the record of games. Its choice logic needs no display; draw() draws it
// with fixed-function OpenGL in the games' font.
#pragma once

#include <string>
#include <vector>

#include "skGui.h"
#include "skHistoryFile.h"
#include "skMath.h"
#include "skSettingsFile.h"

namespace skivo {

class skStartMenu {
 public:
  enum class Action { none, play, quit };
  static constexpr int rowCount = 5;  // the four choices, then "play"

  explicit skStartMenu(const skSettings& settings) : settings(settings) {}

  // A key pressed: moves the row, changes the choice, or asks to play or quit.
  Action press(skGui::Key key);
  const skSettings& getSettings() const { return settings; }
  int getRow() const { return row; }

  // The games played so far, for the last and best shares shown.
  void setRecord(const std::vector<skGameRecord>& games) { record = games; }
  // A line shown under the choices (a file that could not be read, the
  // summary of the game just played); "" for none.
  void setNote(const std::string& text) { note = text; }

  // The screen's lines, top to bottom: the title, the choices (the chosen
  // row marked with ">"), the last and best shares, the keys, the note.
  std::vector<std::string> lines() const;
  // The player's last and best (lowest) share "it" in games of this kind, %;
  // false when there is none.
  bool lastAndBest(double& last, double& best) const;

  // Draws lines() in a width x height window (skGui::present's draw).
  void draw(skReal width, skReal height) const;

 private:
  skSettings settings;
  int row = rowCount - 1;
  std::vector<skGameRecord> record;
  std::string note;
};

}  // namespace skivo
