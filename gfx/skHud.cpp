#include "skHud.h"

#include <GL/gl.h>

#include <cmath>
#include <string>

#include "skCharacter.h"
#include "skFont.h"
#include "skGameState.h"
#include "skGui.h"
#include "skObstacleCircleRenderer.h"
#include "skScore.h"

namespace skivo {

namespace {

void ring(const skRealVec& centre, skReal radius) {
  glBegin(GL_LINE_LOOP);
  for (int k = 0; k < 32; ++k) {
    const skReal a = skMath::pi * k / 16;
    glVertex2f(static_cast<float>(centre[0] + radius * std::cos(a)),
               static_cast<float>(centre[1] + radius * std::sin(a)));
  }
  glEnd();
}

}  // namespace

void skHud::drawText(const std::string& text, skReal x, skReal y, skReal size) {
  skFont::layout(text, x, y, size,
                 [](skReal cx, skReal cy, skReal s) { skGui::fillRect(cx, cy, s, s); });
}

void skHud::drawScore(const skScore& score, skReal height) const {
  const skReal cell = 2, row = 14, left = 6;
  skGui::setColor(skGui::getColorFromName("white"));
  drawText(skScore::clock(score.getPlayedMs()), left, height - row, cell);
  const skReal played = score.getPlayedMs() > 0 ? score.getPlayedMs() : 1;
  for (int i = 0; i < score.getCharacterCount(); ++i) {
    const skReal y = height - row * (i + 2);
    skGui::setColor(colors[static_cast<size_t>(i) % colors.size()]);
    // The row carries its disk's mark, where the disk has one.
    const int m = mark(i);
    if (m >= 0) {
      drawText(std::to_string(m), left + 1, y - 1, cell);
    } else {
      skGui::fillRect(left, y, 8, 8);
    }
    skGui::fillRect(left + 12, y + 2, 100 * score.getItMs(i) / played, 4);
    const std::string figures =
        skScore::clock(score.getItMs(i)) + " " + std::to_string(score.getTags(i));
    drawText(figures, left + 118, y - 1, cell);
  }
}

void skHud::drawOnDisks(const skScore& score, skGameState& gs) const {
  skVec2 shifts[skObstacleCircleRenderer::maxShifts];
  // Each mark on the disk, in black, on both sides of an edge as the disk is.
  skGui::setColor(std::vector<skReal>{0, 0, 0, 1});
  for (int i = 0; i < gs.getCharacterCount(); ++i) {
    const int m = mark(i);
    if (m < 0) continue;
    const skCharacter* c = gs.getCharacter(i);
    const std::string text = std::to_string(m);
    const skReal cell = 2;
    const skVec2 corner = c->position() - skVec2(skFont::width(text, cell) / 2, 2.5 * cell);
    const int count =
        skObstacleCircleRenderer::wrappedShifts(gs, c->position(), c->getRadius(), shifts);
    for (int k = 0; k < count; ++k)
      drawText(text, corner.x + shifts[k].x, corner.y + shifts[k].y, cell);
  }
  const int it = score.getIt();
  if (it >= 0 && it < gs.getCharacterCount()) {
    skCharacter* c = gs.getCharacter(it);
    skGui::setColor(skGui::getColorFromName("yellow"));
    const skReal radius = c->getRadius() + 4;
    const int count = skObstacleCircleRenderer::wrappedShifts(gs, c->position(), radius, shifts);
    for (int k = 0; k < count; ++k) ring((c->position() + shifts[k]).toVec(), radius);
  }
}

}  // namespace skivo
