// skControllerNoTagBack: keeps its inner controller from handing the tag
// straight back. For a while after the tag passed between me and another
// character (I passed it to them, or they to me) I never move towards that
// one by the shortest way: the part of the inner decision that closes in on
// them is dropped, and a decision that only closed in turns into stepping
// away. Close by, it does more: the one who just took the tag steps aside,
// across the course of the one who gave it (which may run on into it for a
// moment), and the one who just gave it runs mostly away from the new "it".
// A person finds a tag returned at once silly, and the game's own guard
// (300 ms) is all that otherwise stands between two hand-overs. Others, and
// everyone after the while, see the inner decision unchanged. The inner
// controller is not owned.
#pragma once

#include "skController.h"

namespace skivo {

class skCharacter;

class skControllerNoTagBack : public skController {
 public:
  // How long after a hand-over its two keep apart: game milliseconds.
  static constexpr int defaultHoldMs = 2000;

  // perception: shared, not owned; its game state must have a clock.
  // inner: not owned, must not be null (not checked). holdMs: game ms.
  skControllerNoTagBack(skPerception* perception, skController* inner, int holdMs = defaultHoldMs);
  ~skControllerNoTagBack() override;

  void calcAction() override;

  // The one I exchanged the tag with less than holdMs ago; null when none.
  const skCharacter* partner();

  skController* getController() const { return inner; }
  void setController(skController* c) { inner = c; }
  int getHoldMs() const { return holdMs; }
  void setHoldMs(int ms) { holdMs = ms; }

 private:
  skController* inner;
  int holdMs;
};

}  // namespace skivo
