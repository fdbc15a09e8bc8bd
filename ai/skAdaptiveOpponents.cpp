#include "skAdaptiveOpponents.h"

#include <algorithm>
#include <cmath>

#include "skCharacter.h"
#include "skGameState.h"
#include "skPerception.h"
#include "skSkillOpponent.h"

namespace skivo {

// clang-format off
const skOpponentGrade skAdaptiveOpponents::grades[gradeCount] = {
    // epsilon, thinkMs, towardsIt, standWhileIt
    {0.30, 300, 0.80, 1.00},
    {0.50, 300, 0.60, 0.80},
    {0.20, 200, 0.80, 0.50},
    {0.05, 100, 0.90, 0.00},
    {0.05, 100, 0.70, 0.00},
    {0.05, 100, 0.55, 0.00},
    {0.05, 100, 0.45, 0.00},
    {0.05, 100, 0.40, 0.00},
    {0.05, 100, 0.35, 0.00},
    {0.05, 100, 0.30, 0.00},
    {0.05, 100, 0.25, 0.00},
    {0.05, 100, 0.20, 0.00},
    {0.05, 100, 0.15, 0.00},
    {0.05, 100, 0.10, 0.00},
    {0.05, 100, 0.06, 0.00},
    {0.05, 100, 0.03, 0.00},
    {0.05, 100, 0.00, 0.00},
};
// clang-format on

static_assert(skSkillOpponent::gradeCount == skAdaptiveOpponents::gradeCount, "one scale");

const skOpponentGrade skAdaptiveOpponents::freeing = {1.0, 1000, 0.0, 0.0};
const skOpponentGrade skAdaptiveOpponents::yielding = {0.0, 100, 1.0, 0.0};

skAdaptiveOpponents::skAdaptiveOpponents(skPerception& p, skControllerRLView* first,
                                         skControllerRLView* second, const Band& b, int g)
    : perception(p), views{first, second}, band(b) {
  if (!first || !second) skUtil::error("skAdaptiveOpponents: both opponents are needed");
  start(g);
}

skAdaptiveOpponents::skAdaptiveOpponents(skPerception& p, skControllerGraded* first,
                                         skControllerGraded* second, const Band& b, int g)
    : perception(p), graded{first, second}, band(b) {
  if (!first || !second) skUtil::error("skAdaptiveOpponents: both opponents are needed");
  start(g);
}

void skAdaptiveOpponents::start(int g) {
  lastMs = perception.getTime();
  minuteEndMs = (lastMs / minuteMs + 1) * minuteMs;
  setGrade(g);
}

void skAdaptiveOpponents::setGrade(int g) {
  grade = std::min(std::max(g, 0), gradeCount - 1);
  apply();
}

void skAdaptiveOpponents::apply() {
  if (graded[0]) {
    for (skControllerGraded* o : graded) o->setGrade(skSkillOpponent::grade(grade));
    return;
  }
  const skOpponentGrade& d = nudge ? *nudge : grades[grade];
  skControllerRLView::Slips slips;
  slips.towardsIt = d.towardsIt;
  slips.standWhileIt = d.standWhileIt;
  for (skControllerRLView* o : views) {
    skLearningSettings s = o->getSettings();
    s.epsilon = d.epsilon;
    s.thinkMs = d.thinkMs;
    o->setSettings(s);
    o->setSlips(slips);
  }
}

double skAdaptiveOpponents::getShare() const {
  long long it = 0, played = 0;
  for (int i = 0; i < judged; ++i) it += recentItMs[i], played += recentMs[i];
  return played > 0 ? static_cast<double>(it) / played : -1.0;
}

void skAdaptiveOpponents::update() {
  const int now = perception.getTime();
  const int elapsed = now - lastMs;
  lastMs = now;
  const bool it = perception.getGameState()->getCharacter(0)->getIsTagged();
  if (elapsed > 0) {
    playedMs += elapsed;
    if (it) itMs += elapsed;
  }
  if (it != playerIt) playerIt = it, roleSinceMs = now;
  if (now >= minuteEndMs) {
    closeMinute();
    minuteEndMs = (now / minuteMs + 1) * minuteMs;
  }
  // The share so far: the minutes judged and the one in progress.
  long long shareIt = itMs, shareMs = playedMs;
  for (int i = 0; i < judged; ++i) shareIt += recentItMs[i], shareMs += recentMs[i];
  const double share = shareMs > 0 ? static_cast<double>(shareIt) / shareMs : -1;
  const bool against = shareMs > 0 && (playerIt ? share > band.high : share < band.low);
  const int stretch = now - roleSinceMs;
  const skOpponentGrade* wanted = nullptr;
  // Only view learners are nudged: skill opponents plan their way out of
  // any pocket, and against a player who runs well a nudge every stallMs
  // handed it a tag that they could not win back for minutes.
  if (views[0] && against && stretch >= stallMs && stretch % stallMs < shakeMs) {
    wanted = playerIt ? &yielding : &freeing;
  }
  if (wanted != nudge) {
    nudge = wanted;
    apply();
  }
}

void skAdaptiveOpponents::closeMinute() {
  ++minutes;
  recentItMs[1] = recentItMs[0], recentMs[1] = recentMs[0];
  recentItMs[0] = itMs, recentMs[0] = playedMs;
  itMs = playedMs = 0;
  judged = std::min(judged + 1, 2);
  const double share = getShare();
  if (share < 0 || band.contains(share)) return;
  // One grade just outside the band, one more for each half band further:
  // far off, the scale is crossed in a few minutes. (The small term keeps a
  // share that lies a whole number of half bands off from rounding down.)
  const double half = std::max((band.high - band.low) / 2, 0.05);
  const double error = share - (band.low + band.high) / 2;
  int step = 1 + static_cast<int>((std::fabs(error) - half) / half + 1e-9);
  const int direction = error > 0 ? -1 : 1;  // "it" too often: weaker opponents
  // Back across the band: at most half the way it came, so that it settles
  // on the grade between; the third move on end the same way doubles the
  // limit again, so that a player who changes is followed.
  if (lastMove != 0 && (lastMove > 0) != (direction > 0)) {
    limit = std::max(1, std::abs(lastMove) / 2);
    streak = 1;
  } else if (++streak >= 3) {
    limit = std::min(gradeCount, 2 * limit);
  }
  step = std::min(step, limit);
  const int before = grade;
  setGrade(grade + direction * step);
  if (grade == before) return;
  lastMove = grade - before;
  judged = 0;
}

skAdaptiveOpponents::Fit skAdaptiveOpponents::fit(const long long* itMs, const long long* gameMs,
                                                  int count, const Band& band, int reachWithin,
                                                  int holdFor) {
  Fit f;
  int held = 0, heldSoFar = 0;
  long long itSoFar = 0, playedSoFar = 0;
  const auto sample = [&](int m, long long it, long long played, int& reached, int& inHold) {
    const bool in = played > 0 && band.contains(static_cast<double>(it) / played);
    if (in && reached == 0) reached = m;
    if (in && m > reachWithin && m <= reachWithin + holdFor) ++inHold;
  };
  for (int m = 1; m <= count; ++m) {
    const int from = std::max(1, m - 1);
    long long it = 0, played = 0;
    for (int k = from; k <= m; ++k) it += itMs[k - 1], played += gameMs[k - 1];
    sample(m, it, played, f.reachedBy, held);
    itSoFar += itMs[m - 1], playedSoFar += gameMs[m - 1];
    sample(m, itSoFar, playedSoFar, f.reachedSoFarBy, heldSoFar);
  }
  f.heldShare = holdFor > 0 ? static_cast<double>(held) / holdFor : 0.0;
  f.heldSoFarShare = holdFor > 0 ? static_cast<double>(heldSoFar) / holdFor : 0.0;
  return f;
}

}  // namespace skivo
