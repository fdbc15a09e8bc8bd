// skControllerPursue: run at the nearest other character at full speed.
// Needs at least one other character (fatal otherwise). On the exact position
// of the nearest one the direction is (0, 0).
#pragma once

#include "skController.h"
#include "skPerception.h"

namespace skivo {

class skCharacter;

class skControllerPursue : public skController {
 public:
  // perception: shared, not owned; bound to the character before calcAction.
  // measure: how "nearest" and the way there are measured; asSeen (the
  // default) as the perception sees them, shortestWay across the wrapped
  // edges whatever the edges.
  explicit skControllerPursue(skPerception* perception,
                              skPerception::Measure measure = skPerception::Measure::asSeen);
  ~skControllerPursue() override;

  // Uses neither calcWhoToChase nor the anger state.
  void calcAction() override;

 protected:
  // Whom to chase: the nearest character when it is the tagged one or nearer
  // than 10 world units (surface to surface), otherwise the tagged character
  // (fatal "tagged" when nobody is). Not owned.
  skCharacter* calcWhoToChase();
  // Updates the anger state: calm whenever this character is not "it"; once
  // angry it stays so while "it"; otherwise angry with a probability. Asking a
  // tagged, calm pursuer is fatal while recent tagging is not implemented.
  void calcIsAngry();

 private:
  skPerception::Measure measure;
  bool isAngry;
};

}  // namespace skivo
