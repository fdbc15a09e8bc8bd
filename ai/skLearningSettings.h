// skLearningSettings: how a learning controller learns. The defaults are the
// game's own: learning rate 0.1, discount 0.1, one decision in ten random, a
// decision at most every 250 ms of ticks. The arena takes others to train
// with, and opponents trained with them may play with others again.
#pragma once

#include <string>

#include "skMath.h"

namespace skivo {

struct skLearningSettings {
  skReal alpha = 0.1;    // learning rate, 0 to 1
  skReal gamma = 0.1;    // discount of the next state's value, 0 to 1
  skReal epsilon = 0.1;  // share of decisions that take a random move, 0 to 1
  int thinkMs = 250;     // milliseconds of ticks that must pass (exceeded) between decisions, >= 0

  bool operator==(const skLearningSettings& o) const {
    return alpha == o.alpha && gamma == o.gamma && epsilon == o.epsilon && thinkMs == o.thinkMs;
  }
};

}  // namespace skivo
