#include "skArenaReport.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iomanip>

#include "skControllerRL.h"
#include "skFileSaver.h"
#include "skUtil.h"

namespace skivo {

namespace {

// The shortest text that reads back to the same double.
void appendNumber(std::string& text, double v) {
  char number[32];
  text.append(number, skUtil::shortestForm(number, number + sizeof number, v));
}

}  // namespace

bool skArenaReport::checkWritable(const std::string& path, std::string& error) {
  return skFileSaver::check(path, error);
}

std::string skArenaReport::csvHeader(bool grades) {
  std::string text = "minute,game_s";
  for (int i = 0; i < 3; ++i) {
    const std::string n = std::to_string(i);
    text += ",it_s_" + n + ",tags_made_" + n + ",tags_received_" + n;
  }
  return text + ",table_change_1,table_change_2" + (grades ? ",grade" : "") + ",returned_2s\n";
}

void skArenaReport::appendCsvRows(std::string& text, const std::vector<skArenaMinute>& minutes,
                                  std::size_t first, bool grades) {
  for (std::size_t r = first; r < minutes.size(); ++r) {
    const skArenaMinute& m = minutes[r];
    text += std::to_string(m.minute) + ",";
    appendNumber(text, m.gameMs / 1000.0);
    for (int i = 0; i < 3; ++i) {
      text += ",";
      appendNumber(text, m.itMs[i] / 1000.0);
      text += "," + std::to_string(m.tagsMade[i]) + "," + std::to_string(m.tagsReceived[i]);
    }
    for (double change : m.tableChange) {
      text += ",";
      appendNumber(text, change);
    }
    if (grades) text += "," + std::to_string(m.grade);
    text += "," + std::to_string(m.returned) + "\n";
  }
}

std::string skArenaReport::stallsCsv(const std::vector<skArenaStall>& stalls) {
  std::string text = "start_s,length_s,it,class,pressed_s,in_arc_s,across_s,standing_s,running_s\n";
  for (const skArenaStall& s : stalls) {
    appendNumber(text, s.startMs / 1000.0);
    text += ",";
    appendNumber(text, s.lengthMs / 1000.0);
    text += "," + std::to_string(s.it) + "," + skArenaStall::className(s.main());
    for (int c = 0; c < skArenaStall::classCount; ++c) {
      text += ",";
      appendNumber(text, s.classMs[c] / 1000.0);
    }
    text += "\n";
  }
  return text;
}

void skArenaReport::printSummary(std::ostream& os, const skArenaOptions& options, skArena& arena,
                                 double wallSeconds) {
  long long itMs[3] = {0, 0, 0}, made[3] = {0, 0, 0}, received[3] = {0, 0, 0};
  double change[2] = {0.0, 0.0};
  for (const skArenaMinute& m : arena.getMinutes()) {
    for (int i = 0; i < 3; ++i) {
      itMs[i] += m.itMs[i];
      made[i] += m.tagsMade[i];
      received[i] += m.tagsReceived[i];
    }
    change[0] += m.tableChange[0];
    change[1] += m.tableChange[1];
  }
  const double gameSeconds = arena.getGameMs() / 1000.0;
  os << "skivo-arena: " << options.rules.name() << " rules"
     << (options.rules.seamless ? " with seamless edges" : "") << ", player "
     << skArenaOptions::playerName(options.player) << ", characters 1 and 2 "
     << options.opponentsName() << ", " << gameSeconds / 60.0 << " game minutes in "
     << options.stepCount() << " steps of " << options.stepMs << " ms, " << options.seedName();
  const skLearningSettings& l = options.learning;
  if (!(l == skLearningSettings())) {
    os << ", learning with alpha " << l.alpha << ", gamma " << l.gamma << ", epsilon " << l.epsilon
       << ", a decision every " << l.thinkMs << " ms";
  }
  os << "\n";
  // The column of who drives each character: wide enough for the longest name.
  const int driver = std::max<int>(
      10, static_cast<int>(std::strlen(skArenaOptions::playerName(options.player))) + 1);
  os << "character  " << std::left << std::setw(driver) << "driven by" << std::right
     << "  it (s)  it share  tags made  tags received  decisions  table change\n";
  for (int i = 0; i < 3; ++i) {
    const skLearner* learner = i > 0 ? arena.getAnyLearner(i - 1) : nullptr;
    const char* who = i == 0             ? skArenaOptions::playerName(options.player)
                      : !learner         ? "scripted"
                      : arena.getCoach() ? "adaptive"
                                         : options.opponentsName();
    os << std::left << std::setw(11) << i << std::setw(driver) << who << std::right << std::fixed
       << std::setprecision(1) << std::setw(8) << itMs[i] / 1000.0 << std::setw(9)
       << (gameSeconds > 0 ? 100.0 * itMs[i] / 1000.0 / gameSeconds : 0.0) << "%" << std::setw(11)
       << made[i] << std::setw(15) << received[i];
    if (learner) {
      os << std::setw(11) << learner->getDecisionCount() << std::setw(14) << std::setprecision(4)
         << change[i - 1];
    } else {
      os << std::setw(11) << "-" << std::setw(14) << "-";
    }
    os << "\n";
  }
  if (const skAdaptiveOpponents* coach = arena.getCoach()) {
    const skAdaptiveOpponents::Band& band = coach->getBand();
    os << std::defaultfloat << "adaptive opponents: band " << 100 * band.low << "-"
       << 100 * band.high << " %, grade by minute:";
    for (const skArenaMinute& m : arena.getMinutes()) os << " " << m.grade;
    os << "\n";
  }
  const skArenaReturns& returns = arena.getReturns();
  os << "tags " << returns.getTags() << ", returned within " << skArenaReturns::windowMs / 1000
     << " s to the one who passed it " << returns.getReturned();
  if (returns.getTags() > 0) {
    os << " (" << std::fixed << std::setprecision(1)
       << 100.0 * returns.getReturned() / returns.getTags() << " %)" << std::defaultfloat;
  }
  os << "\n";
  os << std::defaultfloat << std::setprecision(3) << "wall time " << wallSeconds << " s";
  if (wallSeconds > 0) {
    os << ", " << std::fixed << std::setprecision(0) << gameSeconds / wallSeconds << " x real time"
       << std::defaultfloat;
  }
  os << "\n";
}

void skArenaReport::drawProgress(long long done, long long total, void*) {
  const int width = 40;
  const int filled = total > 0 ? static_cast<int>(width * done / total) : width;
  std::fprintf(stderr, "\r[%.*s%*s] %3d%%", filled, "########################################",
               width - filled, "", total > 0 ? static_cast<int>(100 * done / total) : 100);
  if (done == total) std::fprintf(stderr, "\n");
  std::fflush(stderr);
}

}  // namespace skivo
