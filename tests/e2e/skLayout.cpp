#include "skLayout.h"

#include <algorithm>
#include <cmath>

#include "skCharacter.h"
#include "skControllerWander.h"
#include "skGameState.h"
#include "skObstacleCircle.h"
#include "skPerception.h"
#include "skScenario.h"
#include "skTimer.h"

namespace skivo {
namespace e2e {

skLayout skLayout::fromScenario(const skRules& rules) {
  skRealVec worldDim(2);
  worldDim.set(512.0);
  skTimer timer;
  skGameState gs(worldDim);
  gs.setTimer(&timer);
  skPerception perception(&gs);
  setupCharacters(gs, &perception, new skControllerWander(nullptr));
  setupObstacles(gs, rules);

  skLayout layout;
  layout.width = worldDim[0];
  layout.height = worldDim[1];
  for (unsigned int i = 0; i < gs.getObjectCount(); ++i) {
    skObject* object = gs.getObject(static_cast<int>(i));
    const skObstacleCircle* circle = dynamic_cast<const skObstacleCircle*>(object);
    if (!circle) continue;
    const skDisk disk{circle->getPosition()[0], circle->getPosition()[1], circle->getRadius()};
    if (dynamic_cast<const skCharacter*>(object)) {
      layout.characters.push_back(disk);
    } else {
      layout.obstacles.push_back(disk);
    }
  }
  return layout;
}

void skLayout::obstacleMasks(int imageWidth, int imageHeight, std::vector<char>& mustBeWhite,
                             std::vector<char>& mayBeWhite) const {
  const double slack = 0.25;
  // The polygon's edges come closest to the centre at its apothem.
  const double apothem = std::cos(3.141592653589793 / 20.0);
  const size_t n = static_cast<size_t>(imageWidth) * imageHeight;
  mustBeWhite.assign(n, 0);
  mayBeWhite.assign(n, 0);
  for (const skDisk& d : obstacles) {
    const double inner = d.radius * apothem - slack, outer = d.radius + slack;
    // Image row r holds world y from H - r - 1 to H - r.
    const double cx = d.x, cy = imageHeight - d.y;
    const int x0 = std::max(0, static_cast<int>(std::floor(cx - outer)));
    const int x1 = std::min(imageWidth - 1, static_cast<int>(std::ceil(cx + outer)));
    const int y0 = std::max(0, static_cast<int>(std::floor(cy - outer)));
    const int y1 = std::min(imageHeight - 1, static_cast<int>(std::ceil(cy + outer)));
    for (int y = y0; y <= y1; ++y) {
      for (int x = x0; x <= x1; ++x) {
        const double dist = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
        const size_t k = static_cast<size_t>(y) * imageWidth + x;
        if (dist <= inner) mustBeWhite[k] = 1;
        if (dist <= outer) mayBeWhite[k] = 1;
      }
    }
  }
}

}  // namespace e2e
}  // namespace skivo
