// skLearner: what the programs see of a learning controller of either kind
// (the game's own, skControllerRL, or the view learner, skControllerRLView):
// its table, its decisions, whether it learns, and its table file, loaded
// and saved through skTacticsFile. Both controllers are skLearners; the
// character that drives with one owns it.
#pragma once

#include <string>

#include "skVec.h"

namespace skivo {

class skLearner {
 public:
  virtual ~skLearner() = default;

  // The Q table, situation by situation.
  virtual const skRealVec& getTable() const = 0;
  // Decisions made since construction.
  virtual unsigned long getDecisionCount() const = 0;
  // Whether the table changes as it plays.
  virtual void setLearning(bool on) = 0;
  virtual bool getLearning() const = 0;
  // The whole table of file or nothing (skTacticsFile::load): false with
  // error naming the file and the reason, the table then as it was.
  virtual bool loadTable(const std::string& file, std::string& error) = 0;
  // Saves the table to file (skTacticsFile::save): false with why set to the
  // reason alone (the caller names the file).
  virtual bool saveTable(const std::string& file, std::string& why) const = 0;

 protected:
  skLearner() = default;
  skLearner(const skLearner&) = default;
  skLearner& operator=(const skLearner&) = default;
};

}  // namespace skivo
