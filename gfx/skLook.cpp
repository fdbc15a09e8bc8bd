#include "skLook.h"

#include "skCharacter.h"
#include "skGameState.h"
#include "skGui.h"

namespace skivo {

skLook::skLook(skGameState* gs) : player(gs), others(gs), secondPlayer(gs), circles(gs) {
  player.setColor(skGui::getColorFromName("blue"));
  player.setColorFlash(skGui::getColorFromName("red"));
  others.setColor(skGui::getColorFromName("green"));
  others.setColorFlash(skGui::getColorFromName("red"));
  circles.setColor(skGui::getColorFromName("white"));
  secondPlayer.setColor(skGui::getColorFromName("magenta"));
  secondPlayer.setColorFlash(skGui::getColorFromName("red"));
}

void skLook::dressSecondPlayer(skGameState& gs) {
  if (gs.getCharacterCount() > 1) gs.getCharacter(1)->setRenderer(&secondPlayer);
}

void skLook::dress(skGameState& gs) {
  for (int i = 0; i < gs.getCharacterCount(); ++i) {
    gs.getCharacter(i)->setRenderer(i == 0 ? &player : &others);
  }
  for (int j = 0; j < gs.getObstacleCount(); ++j) {
    skObstacle* o = gs.getObstacle(j);
    if (!o->getRenderer() && dynamic_cast<skObstacleCircle*>(o)) o->setRenderer(&circles);
  }
}

}  // namespace skivo
