// skRules: the rules a world is played by, chosen at run time and handed to
// the simulator and the scenario. The full game sprints and lays its circles
// on an arc; the classic game pulls everyone along -y and scatters 50 circles.
// Either may have seamless edges.
#pragma once

#include "skMath.h"

namespace skivo {

struct skRules {
  // How the scenario places the circular obstacles.
  enum class Layout {
    arc,       // on an open elliptic arc, one random step of 0 to 9 degrees apart
    scattered  // 50 circles scattered over [0, W/2] x [0, W/1.2]
  };

  // A character that sets off at full speed with energy left pushes ten times
  // harder (its top speed stays the same); the energy refills while it is slow.
  bool sprint = true;
  // A constant force along -y on every character, as a fraction of its maximum
  // force, added after the force limit (0: none).
  skReal pull = 0.0;
  Layout layout = Layout::arc;
  // Seamless edges: collisions, tags and what controllers see measure the
  // shortest way across the wrapped edges, and a disk crossing an edge is
  // drawn on both sides. Off: positions are compared by plain differences.
  bool seamless = false;

  // skivo: sprint, no pull, the arc.
  static skRules full() { return skRules(); }
  // skivo-classic: no sprint, a pull of 0.33, scattered circles.
  static skRules classic() {
    skRules r;
    r.sprint = false;
    r.pull = 0.33;
    r.layout = Layout::scattered;
    return r;
  }

  // "full", "classic", or "custom" for any other combination, whatever the
  // edges: the name picks table files, which fit either kind of edge.
  const char* name() const {
    skRules plain = *this;
    plain.seamless = false;
    if (plain == full()) return "full";
    if (plain == classic()) return "classic";
    return "custom";
  }
  bool operator==(const skRules& o) const {
    return sprint == o.sprint && pull == o.pull && layout == o.layout && seamless == o.seamless;
  }
  bool operator!=(const skRules& o) const { return !(*this == o); }
};

}  // namespace skivo
