// skLearner: the learning controller of a character, of either kind: the
// game's own (skControllerRL) or the view learner (skControllerRLView), so
// that the arena and the games measure, load and save both alike. Holds a
// plain pointer: the character owns the controller.
#pragma once

#include <string>

#include "skControllerRL.h"
#include "skControllerRLView.h"
#include "skTacticsFile.h"

namespace skivo {

class skLearner {
 public:
  skLearner() = default;
  explicit skLearner(skControllerRL* learner) : game(learner) {}
  explicit skLearner(skControllerRLView* learner) : view(learner) {}

  explicit operator bool() const { return game || view; }
  skControllerRL* getGame() const { return game; }
  skControllerRLView* getView() const { return view; }

  // Preconditions for the rest: a learner is held.
  const skRealVec& table() const { return game ? game->getQTable() : view->getTable(); }
  unsigned long decisions() const {
    return game ? game->getDecisionCount() : view->getDecisionCount();
  }
  void setLearning(bool on) { game ? game->setLearning(on) : view->setLearning(on); }
  // skTacticsFile's load and save, for the kind held.
  bool load(const std::string& file, std::string& error) const {
    return game ? skTacticsFile::load(*game, file, error) : skTacticsFile::load(*view, file, error);
  }
  bool save(const std::string& file, std::string& why) const {
    return game ? skTacticsFile::save(*game, file, why) : skTacticsFile::save(*view, file, why);
  }

 private:
  skControllerRL* game = nullptr;
  skControllerRLView* view = nullptr;
};

}  // namespace skivo
