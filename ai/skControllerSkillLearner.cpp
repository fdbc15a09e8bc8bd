#include "skControllerSkillLearner.h"

#include <algorithm>
#include <utility>

#include "skAssert.h"
#include "skCharacter.h"
#include "skGameState.h"
#include "skPerception.h"
#include "skPlanner.h"
#include "skTableText.h"
#include "skTacticsFile.h"

namespace skivo {

namespace {

// The meeting's bounds (ms), the edge's reach (world units), what counts as
// running (a share of the top speed), how long the player's habit is
// smoothed over (s), and the meeting time beyond which the potential no
// longer changes (ms).
const skReal soonMs = 700, laterMs = 2000, edgeWithin = 80, runningShare = 0.5;
const skReal habitSeconds = 1.0, meetCapMs = 4000;

}  // namespace

const char* const skControllerSkillLearner::kind = "skivo-skill-learner";

skControllerSkillLearner::skControllerSkillLearner(skPerception* p, skPlanner* pl,
                                                   std::vector<Skill> s,
                                                   const skLearningSettings& settings_,
                                                   const skRewards& w)
    : skController(p),
      planner(pl),
      skills(std::move(s)),
      settings(settings_),
      rewards(w),
      table(stateCount * skills.size()),
      choices(skills.size()) {
  skAssertMsg(!skills.empty() && skills.size() <= maxSkills, "skills: from 1 to 16");
  for (unsigned int r = 0; r < roleCount; ++r) {
    bool any = false;
    for (const Skill& k : skills) any = any || (k.roles & bit(static_cast<Role>(r)));
    skAssertMsg(any, "skills: one at least for each role");
  }
}

const skCharacter* skControllerSkillLearner::player() const {
  return perception->getGameState()->getCharacter(0);
}

const skCharacter* skControllerSkillLearner::teammate() const {
  skGameState& gs = *perception->getGameState();
  for (int i = 1; i < gs.getCharacterCount(); ++i) {
    if (gs.getCharacter(i) != perception->getMe()) return gs.getCharacter(i);
  }
  return nullptr;
}

void skControllerSkillLearner::samplePlayer(int time) {
  const skVec2 v = player()->velocity();
  if (paceTime < 0) {
    playerPace = v;
  } else {
    const skReal share = std::min<skReal>(1, (time - paceTime) / 1000.0 / habitSeconds);
    playerPace = playerPace + share * (v - playerPace);
  }
  paceTime = time;
}

void skControllerSkillLearner::observe() {
  const skCharacter& me = *perception->getMe();
  const skCharacter& pl = *player();
  const skCharacter* mate = teammate();
  now.role = me.getIsTagged() ? chasing : pl.getIsTagged() ? fleeing : helping;
  now.teamIt = now.role != fleeing;
  bool sooner = true;
  if (now.role == fleeing) {
    now.meetMs = planner->meetMs(pl, me);
    sooner = !mate || now.meetMs <= planner->meetMs(pl, *mate);
  } else {
    const skReal mine = planner->meetMs(me, pl);
    const skReal mates = mate ? planner->meetMs(*mate, pl) : Inf;
    now.meetMs = now.role == chasing || !mate ? mine : mates;
    sooner = mine <= mates;
  }
  const unsigned int meeting = now.meetMs < soonMs ? 0 : now.meetMs < laterMs ? 1 : 2;

  const bool running = playerPace.length() > runningShare * pl.getMaxSpeed();
  const skVec2 toMe = planner->offset(pl.position(), me.position()).normalized();
  const skReal along = playerPace.normalized().dot(toMe);
  const unsigned int heading = !running ? 1 : along > 0.5 ? 0 : along < -0.5 ? 2 : 1;
  const skRealVec& size = perception->getGameState()->getWorldDim();
  const skVec2 p = pl.position();
  const bool edge =
      (playerPace.x > 0 && size[0] - p.x < edgeWithin) || (playerPace.x < 0 && p.x < edgeWithin) ||
      (playerPace.y > 0 && size[1] - p.y < edgeWithin) || (playerPace.y < 0 && p.y < edgeWithin);

  unsigned int row = now.role;
  row = row * 3 + meeting;
  row = row * 2 + (sooner ? 1 : 0);
  row = row * 2 + (running ? 1 : 0);
  row = row * 3 + heading;
  now.row = row * 2 + (edge ? 1 : 0);
}

unsigned int skControllerSkillLearner::situation() {
  samplePlayer(perception->getTime());
  observe();
  return now.row;
}

skReal skControllerSkillLearner::potential(const View& v) const {
  const skReal x = std::min(v.meetMs, meetCapMs) / meetCapMs;
  return v.teamIt ? -rewards.distance * x : rewards.distance * x;
}

bool skControllerSkillLearner::usable(unsigned int k, Role role) const {
  return (skills[k].roles & bit(role)) && ((allowed >> k) & 1u);
}

unsigned int skControllerSkillLearner::greedy(unsigned int row, Role role) const {
  const unsigned int count = static_cast<unsigned int>(skills.size());
  const skReal* q = &table[count * row];
  int best = -1;
  for (unsigned int k = 0; k < count; ++k) {
    if (usable(k, role) && (best < 0 || q[k] > q[best])) best = static_cast<int>(k);
  }
  if (best >= 0) return static_cast<unsigned int>(best);
  for (unsigned int k = 0; k < count; ++k) {
    if (skills[k].roles & bit(role)) return k;
  }
  return 0;  // unreachable: the constructor checked every role has a skill
}

void skControllerSkillLearner::calcAction() {
  const int time = perception->getTime();
  samplePlayer(time);
  const bool meIt = perception->getMe()->getIsTagged();
  const Role role = meIt ? chasing : player()->getIsTagged() ? fleeing : helping;
  const bool due = !decided || role != last.role || time - lastTime > settings.thinkMs;
  if (due) {
    observe();
    const unsigned int count = static_cast<unsigned int>(skills.size());
    if (learning && decided) {
      skReal r = 0;
      if (now.teamIt != last.teamIt) r += now.teamIt ? rewards.received : rewards.passed;
      if (last.teamIt) r += rewards.itPerSecond * (time - lastTime) / 1000.0;
      // The plain change, undiscounted: standing still earns nothing, and a
      // way there and back again sums to nothing.
      r += potential(now) - potential(last);
      skReal& q = table[count * last.row + static_cast<unsigned int>(current)];
      q += settings.alpha *
           (r + settings.gamma * table[count * now.row + greedy(now.row, now.role)] - q);
    }
    unsigned int k = greedy(now.row, now.role);
    skRandom& random = perception->getRandom();
    if (random.uniform01() < settings.epsilon) {
      unsigned int usableCount = 0;
      for (unsigned int j = 0; j < count; ++j) usableCount += usable(j, now.role);
      if (usableCount > 0) {
        unsigned int pick = static_cast<unsigned int>(random.uniform01() * usableCount);
        pick = std::min(pick, usableCount - 1);  // the draw may be exactly 1
        for (unsigned int j = 0; j < count; ++j) {
          if (usable(j, now.role) && pick-- == 0) {
            k = j;
            break;
          }
        }
      }
    }
    current = static_cast<int>(k);
    ++choices[k];
    ++decisionCount;
    decided = true;
    last = now;
    lastTime = time;
  }
  skController& skill = *skills[static_cast<unsigned int>(current)].controller;
  skill.calcAction();
  action = skill.getAction();
}

bool skControllerSkillLearner::readTable(std::istream& in, std::string& why) {
  return skTableText::read(in, kind, "the skill learner", stateCount,
                           static_cast<unsigned int>(skills.size()), table, why);
}

bool skControllerSkillLearner::writeTable(std::ostream& out) const {
  return skTableText::write(out, kind, stateCount, static_cast<unsigned int>(skills.size()), table);
}

bool skControllerSkillLearner::loadTable(const std::string& file, std::string& error) {
  return skTacticsFile::load(*this, file, error);
}

bool skControllerSkillLearner::saveTable(const std::string& file, std::string& why) const {
  return skTacticsFile::save(*this, file, why);
}

}  // namespace skivo
