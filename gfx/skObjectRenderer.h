// skObjectRenderer: knows how to draw one kind of object. Objects hold a
// non-owning pointer to their renderer; one renderer may serve many objects.
// This header draws nothing itself, so the core can call render() without GL.
#pragma once

#include "skRules.h"

namespace skivo {
inline namespace SKIVO_RULES {

class skGameState;
class skObject;

class skObjectRenderer {
 public:
  // gs: the world, read for its clock; not owned.
  explicit skObjectRenderer(skGameState* gs) : gs(gs) {}
  virtual ~skObjectRenderer() = default;
  virtual void render(const skObject* obj) = 0;

 protected:
  skGameState* gs;
};

}  // namespace SKIVO_RULES
}  // namespace skivo
