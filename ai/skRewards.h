// skRewards: what a learning controller of the view kind (skControllerRLView)
// is rewarded for. The tag rewards are the game's learner's: +1 for passing
// the tag on, -1 for receiving it. Two shapings speed the learning without
// changing what is best: a cost for each second spent "it", so that a long
// chase is worse than a short one, and a reward for closing in on the target
// while "it" and for opening the distance to "it" otherwise (the change of a
// potential: the distance in world units times distance / 512, which sums to
// nothing over a whole chase and so cannot be farmed).
#pragma once

#include "skMath.h"

namespace skivo {

struct skRewards {
  skReal passed = 1.0;        // on passing the tag on
  skReal received = -1.0;     // on becoming "it"
  skReal itPerSecond = -0.2;  // each second of game ticks spent "it"
  skReal distance = 0.5;      // weight of the distance potential (0: none)

  bool operator==(const skRewards& o) const {
    return passed == o.passed && received == o.received && itPerSecond == o.itPerSecond &&
           distance == o.distance;
  }
};

}  // namespace skivo
