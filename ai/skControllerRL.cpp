#include "skControllerRL.h"

#include <cmath>
#include <fstream>
#include <initializer_list>
#include <locale>
#include <sstream>

#include "skCharacter.h"
#include "skFileSaver.h"
#include "skGameState.h"
#include "skPerception.h"
#include "skTacticsFile.h"
#include "skTimer.h"
#include "skUtil2D.h"

namespace skivo {

namespace {

// The strategy maps cover the fixed 512 x 512 arena.
const skReal arenaSide = 512.0;

// One value per line, each in the shortest text that reads back to the same
// double.
bool writeValues(std::ostream& out, std::initializer_list<const skRealVec*> parts) {
  char number[32];  // the longest shortest form of a double has 24 characters
  for (const skRealVec* part : parts) {
    for (skReal v : *part) {
      char* end = skUtil::shortestForm(number, number + sizeof number, v);
      *end = '\n';
      out.write(number, end + 1 - number);
    }
  }
  return static_cast<bool>(out);
}

// Reads numbers separated by white space into the parts, in order, until they
// are full, the text ends or a token is not a finite number. Returns the count.
unsigned int readValues(std::istream& in, std::initializer_list<skRealVec*> parts) {
  // Tables are written without locale; the caller's locale must not change
  // how they read (and is given back).
  const std::locale callers = in.imbue(std::locale::classic());
  unsigned int count = 0;
  bool more = true;
  for (skRealVec* part : parts) {
    for (unsigned int i = 0; more && i < part->size(); ++i) {
      skReal v;
      more = static_cast<bool>(in >> v) && std::isfinite(v);
      if (more) (*part)[i] = v, ++count;
    }
  }
  in.imbue(callers);
  return count;
}

unsigned int loadFile(const std::string& filename,
                      unsigned int (skControllerRL::*read)(std::istream&), skControllerRL& c) {
  std::ifstream in(filename);
  return in ? (c.*read)(in) : 0;
}

bool saveFile(const std::string& filename, bool (skControllerRL::*write)(std::ostream&) const,
              const skControllerRL& c) {
  std::ostringstream text;
  std::string error;
  return (c.*write)(text) && skFileSaver::save(filename, text.str(), error);
}

}  // namespace

skControllerRL::skControllerRL(skPerception* perception, const skLearningSettings& settings)
    : skController(perception),
      numStates(stateCount),
      numActions(moveCount),
      strategyResolution(10),
      evasionDecayParameter(0.9),
      taggingDecayParameter(0.9),
      puffFalloffParameter(50.0),
      strategyUpdateInterval(250),
      rlAlpha(settings.alpha),
      rlGamma(settings.gamma),
      thinkInterval(settings.thinkMs),
      epsilon(settings.epsilon),
      // The first decision learns into entry (0, 0): standing still, which is
      // what a character does before its controller first decides.
      lastState(0),
      lastAction(0),
      lastTicks(0),
      // Measured from the clock's zero, so a controller made when the ticks are
      // already past 250 ms decides at its first call.
      lastUpdate(0),
      que(numStates * numActions),
      evasionMap(static_cast<unsigned int>(strategyResolution * strategyResolution)),
      taggingMap(static_cast<unsigned int>(strategyResolution * strategyResolution)),
      lastWasTagged(false),
      learning(true),
      decisionCount(0) {}

skControllerRL::~skControllerRL() = default;

void skControllerRL::calcAction() {
  // Unsigned difference: a tick counter that wrapped still gives the interval.
  const unsigned int now = static_cast<unsigned int>(ticks());
  if (static_cast<skReal>(now - lastUpdate) <= thinkInterval) return;
  lastUpdate = now;

  const skReal r = getLastReward();
  const unsigned int sPrime = getCurrentStateId();
  unsigned int aPrime = greedyAction(sPrime);
  if (learning) {
    // Learns from the greedy value even when this decision explores.
    const skReal q = getQ(lastState, lastAction);
    const skReal target = r + rlGamma * getQ(sPrime, aPrime);
    skReal updated = q + rlAlpha * (target - q);
    // Near the largest doubles (a loaded table may hold them) target - q
    // overflows, and the infinity would turn the whole table into NaN; the
    // weighted mean of q and target is the same value and stays finite.
    if (!std::isfinite(updated)) updated = (1.0 - rlAlpha) * q + rlAlpha * target;
    setQ(lastState, lastAction, updated);
  }
  skRandom& random = perception->getRandom();
  if (explores(random.uniform01())) aPrime = exploratoryAction(random.uniform01());

  takeAction(static_cast<int>(aPrime));
  lastAction = aPrime;
  lastState = sPrime;
  ++decisionCount;
}

int skControllerRL::ticks() { return perception->getGameState()->getTimer()->time(); }

unsigned int skControllerRL::heading(skReal x, skReal y) {
  if (std::fabs(x) > std::fabs(y)) return x > 0 ? 0 : 1;
  return y > 0 ? 2 : 3;
}

// Role and target heading are what the game turns on (8 rows); the last bit
// goes to whether I already run towards the target, which tells closing in or
// fleeing from standing or turning. A standing character does not count as
// moving: by the heading rule alone its zero velocity would read as "-y".
unsigned int skControllerRL::getCurrentStateId() {
  const bool tagged = perception->myselfTagged();
  const skVec2 target =
      tagged ? perception->offsetToNearestCharacter() : perception->offsetToTagged();
  const unsigned int t = tagged ? 0 : 1;
  const unsigned int d = heading(target.x, target.y);
  const skVec2 velocity = perception->getMe()->velocity();
  const bool moving = velocity.x != 0.0 || velocity.y != 0.0;
  const unsigned int m = moving && heading(velocity.x, velocity.y) == d ? 1 : 0;
  return 8 * t + 2 * d + m;
}

void skControllerRL::takeAction(int a) {
  skReal x = 0.0;
  skReal y = 0.0;
  switch (a) {
    case 1:
      x = 1.0;
      break;
    case 2:
      y = 1.0;
      break;
    case 3:
      x = -1.0;
      break;
    case 4:
      y = -1.0;
      break;
    default:
      break;
  }
  const skVec2 direction(x, y);
  action.setDesiredSpeed(direction.length());
  action.setDesiredDirection(direction);
}

skReal skControllerRL::getLastReward() {
  const bool now = perception->myselfTagged();
  skReal reward = 0.0;
  if (now != lastWasTagged) reward = now ? -1.0 : 1.0;
  lastWasTagged = now;
  return reward;
}

skReal skControllerRL::getQ(unsigned int s, unsigned int a) const {
  skAssert(s < numStates && a < numActions);
  return que[numActions * s + a];
}

void skControllerRL::setQ(unsigned int s, unsigned int a, skReal v) {
  skAssert(s < numStates && a < numActions);
  que[numActions * s + a] = v;
}

unsigned int skControllerRL::greedyAction(unsigned int s) const {
  unsigned int best = 0;
  skReal bestQ = -Inf;
  for (unsigned int a = 0; a < numActions; ++a) {
    if (getQ(s, a) > bestQ) {
      best = a;
      bestQ = getQ(s, a);
    }
  }
  return best;
}

bool skControllerRL::explores(skReal u) const { return u < epsilon; }

unsigned int skControllerRL::exploratoryAction(skReal u) const {
  if (!(u > 0.0)) return 0;
  const skReal scaled = u * numActions;
  // The generator can return exactly 1, which would name move numActions.
  return scaled < numActions ? static_cast<unsigned int>(scaled) : numActions - 1;
}

// Cell i lies at column i mod R and row i div R of an R x R grid over the
// arena; its reference point is the cell's centre.
void skControllerRL::addPuff(skRealVec& pos, skRealVec& map) {
  skAssert(pos.size() == 2);
  const unsigned int r = static_cast<unsigned int>(strategyResolution);
  const skReal cell = arenaSide / strategyResolution;
  const skReal falloffSquared = puffFalloffParameter * puffFalloffParameter;
  for (unsigned int i = 0; i < map.size(); ++i) {
    const skReal dx = pos[0] - (i % r + 0.5) * cell;
    const skReal dy = pos[1] - (i / r + 0.5) * cell;
    map[i] += 1.0 / (1.0 + (dx * dx + dy * dy) / falloffSquared);
  }
}

void skControllerRL::applyDecay(skReal decay, skRealVec& map) { map.scale(decay); }

unsigned int skControllerRL::read_tactics(std::istream& in) { return readValues(in, {&que}); }

bool skControllerRL::write_tactics(std::ostream& out) const { return writeValues(out, {&que}); }

unsigned int skControllerRL::read_strategy(std::istream& in) {
  return readValues(in, {&evasionMap, &taggingMap});
}

bool skControllerRL::write_strategy(std::ostream& out) const {
  return writeValues(out, {&evasionMap, &taggingMap});
}

unsigned int skControllerRL::load_tactics(std::string filename) {
  return loadFile(filename, &skControllerRL::read_tactics, *this);
}

bool skControllerRL::save_tactics(std::string filename) {
  return saveFile(filename, &skControllerRL::write_tactics, *this);
}

unsigned int skControllerRL::load_strategy(std::string filename) {
  return loadFile(filename, &skControllerRL::read_strategy, *this);
}

bool skControllerRL::save_strategy(std::string filename) {
  return saveFile(filename, &skControllerRL::write_strategy, *this);
}

bool skControllerRL::loadTable(const std::string& file, std::string& error) {
  return skTacticsFile::load(*this, file, error);
}

bool skControllerRL::saveTable(const std::string& file, std::string& why) const {
  return skTacticsFile::save(*this, file, why);
}

}  // namespace skivo
