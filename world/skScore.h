// skScore: how a game stands, for the score on screen and the summary at its
// end: game time played, and for each character the time it has been "it"
// and the tags it made (passing the tag on). Fed once a frame with the game
// state and its game time; it needs no drawing. Times in milliseconds of
// game time.
#pragma once

#include <string>
#include <vector>

namespace skivo {

class skGameState;

class skScore {
 public:
  // Starts counting at game time startMs, with the characters of gs (whoever
  // is "it" then counts as "it" from there).
  void start(skGameState& gs, int startMs);
  // Counts the game time since the last call for whoever was "it", and a tag
  // for that one when someone else is "it" now. Allocates nothing.
  void update(skGameState& gs, int nowMs);

  int getPlayedMs() const { return playedMs; }
  int getItMs(int i) const { return itMs[static_cast<size_t>(i)]; }
  int getTags(int i) const { return tags[static_cast<size_t>(i)]; }
  int getIt() const { return it; }
  int getCharacterCount() const { return static_cast<int>(itMs.size()); }

  // "m:ss" for a game time in milliseconds (whole seconds, rounded down).
  static std::string clock(int ms);
  // The summary: time played, then a line per character named by names (one
  // per character): its time "it", its share and its tags.
  std::string summary(const std::vector<std::string>& names) const;

 private:
  int lastMs = 0;
  int playedMs = 0;
  int it = -1;
  std::vector<int> itMs;
  std::vector<int> tags;
};

}  // namespace skivo
