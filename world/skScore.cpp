#include "skScore.h"

#include <algorithm>
#include <cstdio>

#include "skCharacter.h"
#include "skGameState.h"

namespace skivo {

namespace {

// The character who is "it", or -1.
int whoIsIt(skGameState& gs) {
  for (int i = 0; i < gs.getCharacterCount(); ++i) {
    if (gs.getCharacter(i)->getIsTagged()) return i;
  }
  return -1;
}

}  // namespace

void skScore::start(skGameState& gs, int startMs) {
  lastMs = startMs;
  playedMs = 0;
  itMs.assign(static_cast<size_t>(gs.getCharacterCount()), 0);
  tags.assign(itMs.size(), 0);
  it = whoIsIt(gs);
}

void skScore::update(skGameState& gs, int nowMs) {
  const int dt = nowMs - lastMs;
  lastMs = nowMs;
  playedMs += dt;
  if (it >= 0) itMs[static_cast<size_t>(it)] += dt;
  const int now = whoIsIt(gs);
  if (now != it && it >= 0 && now >= 0) ++tags[static_cast<size_t>(it)];
  if (now >= 0) it = now;
}

std::string skScore::clock(int ms) {
  char text[24];
  const int s = ms / 1000;
  std::snprintf(text, sizeof text, "%d:%02d", s / 60, s % 60);
  return text;
}

std::string skScore::summary(const std::vector<std::string>& names) const {
  std::string text = "played " + clock(playedMs) + "\n";
  // The names in one column, however long the longest.
  int width = 16;
  for (const std::string& name : names) width = std::max(width, static_cast<int>(name.size()));
  width = std::min(width, 100);
  for (size_t i = 0; i < itMs.size(); ++i) {
    char line[160];
    std::snprintf(line, sizeof line, "  %-*.100s \"it\" %s (%3.0f %%), %d tag%s\n", width,
                  i < names.size() ? names[i].c_str() : "?", clock(itMs[i]).c_str(),
                  playedMs > 0 ? 100.0 * itMs[i] / playedMs : 0.0, tags[i],
                  tags[i] == 1 ? "" : "s");
    text += line;
  }
  return text;
}

}  // namespace skivo
