#include "skStartMenu.h"

#include <cstdio>
#include <sstream>

#include "skFont.h"
#include "skHud.h"

namespace skivo {

namespace {

const std::vector<std::string> opponentChoices = {"easy", "adaptive", "learning"};

// The next of choices after current, one step in direction (+1 or -1).
std::string step(const std::vector<std::string>& choices, const std::string& current,
                 int direction) {
  int at = 0;
  for (std::size_t k = 0; k < choices.size(); ++k) {
    if (choices[k] == current) at = static_cast<int>(k);
  }
  const int n = static_cast<int>(choices.size());
  return choices[static_cast<std::size_t>((at + direction + n) % n)];
}

std::string percent(double v) {
  char text[16];
  std::snprintf(text, sizeof text, "%.0f %%", v);
  return text;
}

}  // namespace

skStartMenu::Action skStartMenu::press(skGui::Key key) {
  using skGui::Key;
  if (key == Key::escape) return Action::quit;
  if (key == Key::enter) return Action::play;
  if (key == Key::up) row = (row + rowCount - 1) % rowCount;
  if (key == Key::down) row = (row + 1) % rowCount;
  if (key == Key::left || key == Key::right) {
    const int d = key == Key::right ? 1 : -1;
    if (row == 0) settings.game = step({"full", "classic"}, settings.game, d);
    if (row == 1) settings.opponents = step(opponentChoices, settings.opponents, d);
    if (row == 2) settings.seamless = !settings.seamless;
    if (row == 3) settings.players = settings.players == 1 ? 2 : 1;
  }
  return Action::none;
}

bool skStartMenu::lastAndBest(double& last, double& best) const {
  bool any = false;
  for (const skGameRecord& r : record) {
    if (r.game != settings.game || r.opponents != settings.opponents) continue;
    last = r.share;
    best = any ? std::min(best, r.share) : r.share;
    any = true;
  }
  return any;
}

std::vector<std::string> skStartMenu::lines() const {
  const std::string rows[rowCount] = {
      "game       " + settings.game,
      "opponents  " + settings.opponents,
      "edges      " + std::string(settings.seamless ? "seamless" : "plain"),
      "players    " + std::to_string(settings.players),
      "play",
  };
  std::vector<std::string> out = {"skivo", ""};
  for (int k = 0; k < rowCount; ++k) out.push_back((k == row ? "> " : "  ") + rows[k]);
  out.emplace_back("");
  double last = 0, best = 0;
  out.push_back(lastAndBest(last, best)
                    ? "you were it: last " + percent(last) + ", best " + percent(best)
                    : "no game of this kind played yet");
  out.emplace_back("");
  out.emplace_back("arrows choose, enter plays, escape quits");
  out.emplace_back("in a game: p pause, r restart, m mute, escape ends");
  if (!note.empty()) {
    out.emplace_back("");
    std::istringstream in(note);
    for (std::string line; std::getline(in, line);) out.push_back(line);
  }
  return out;
}

void skStartMenu::draw(skReal width, skReal height) const {
  const std::vector<std::string> text = lines();
  const skReal cell = 2, lineHeight = 16;
  skReal y = height - 40;
  for (std::size_t k = 0; k < text.size(); ++k, y -= lineHeight) {
    // The title large, the chosen row yellow, the rest white.
    const bool title = k == 0;
    const bool chosen = text[k].rfind("> ", 0) == 0;
    skGui::setColor(skGui::getColorFromName(chosen ? "yellow" : "white"));
    const skReal size = title ? 3 * cell : cell;
    const skReal x = title ? (width - skFont::width(text[k], size)) / 2 : 32;
    skHud::drawText(text[k], x, title ? y - 2 * lineHeight : y, size);
    if (title) y -= 2 * lineHeight;
  }
}

}  // namespace skivo
