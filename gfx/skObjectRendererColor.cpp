#include "skObjectRendererColor.h"

#include "skGameState.h"
#include "skGui.h"
#include "skTimer.h"

namespace skivo {

skObjectRendererColor::skObjectRendererColor(skGameState* g)
    : skObjectRenderer(g),
      color(4),
      colorAlternative(4),
      colorFlash(4),
      flash(false),
      alternative(false) {}

skObjectRendererColor::~skObjectRendererColor() = default;

const skRealVec& skObjectRendererColor::getCurrentColor() const {
  if (flash && gs->getTimer()->gameTime() % 2000 <= 999) return colorFlash;
  return alternative ? colorAlternative : color;
}

void skObjectRendererColor::render(const skObject*) { skGui::setColor(getCurrentColor()); }

}  // namespace skivo
