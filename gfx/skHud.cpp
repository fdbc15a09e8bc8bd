#include "skHud.h"

#include <GL/gl.h>

#include <cmath>
#include <string>

#include "skCharacter.h"
#include "skGameState.h"
#include "skGui.h"
#include "skObstacleCircleRenderer.h"
#include "skScore.h"

namespace skivo {

namespace {

// 3 x 5 glyphs, row by row from the top, a bit a cell (the highest bit the
// top left): the digits, then the colon.
const unsigned short glyphs[11] = {0x7B6F, 0x2C97, 0x73E7, 0x73CF, 0x5BC9, 0x79CF,
                                   0x79EF, 0x7249, 0x7BEF, 0x7BCF, 0x0410};

void fillRect(skReal x, skReal y, skReal w, skReal h) {
  glBegin(GL_QUADS);
  glVertex2f(static_cast<float>(x), static_cast<float>(y));
  glVertex2f(static_cast<float>(x + w), static_cast<float>(y));
  glVertex2f(static_cast<float>(x + w), static_cast<float>(y + h));
  glVertex2f(static_cast<float>(x), static_cast<float>(y + h));
  glEnd();
}

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

void skHud::drawText(const char* text, skReal x, skReal y, skReal size) {
  for (const char* c = text; *c; ++c, x += 4 * size) {
    const int g = *c >= '0' && *c <= '9' ? *c - '0' : *c == ':' ? 10 : -1;
    if (g < 0) continue;
    for (int cell = 0; cell < 15; ++cell) {
      if (glyphs[g] & (0x4000 >> cell)) {
        fillRect(x + (cell % 3) * size, y + (4 - cell / 3) * size, size, size);
      }
    }
  }
}

void skHud::draw(const skScore& score, skGameState& gs, skReal height) const {
  const int it = score.getIt();
  if (it >= 0 && it < gs.getCharacterCount()) {
    skCharacter* c = gs.getCharacter(it);
    skGui::setColor(skGui::getColorFromName("yellow"));
    // On both sides of an edge, as the disk is, when the edges are seamless.
    skVec2 shifts[skObstacleCircleRenderer::maxShifts];
    const skReal radius = c->getRadius() + 4;
    const int count = skObstacleCircleRenderer::wrappedShifts(gs, c->position(), radius, shifts);
    for (int k = 0; k < count; ++k) ring((c->position() + shifts[k]).toVec(), radius);
  }
  const skReal cell = 2, row = 14, left = 6;
  skGui::setColor(skGui::getColorFromName("white"));
  drawText(skScore::clock(score.getPlayedMs()).c_str(), left, height - row, cell);
  const skReal played = score.getPlayedMs() > 0 ? score.getPlayedMs() : 1;
  for (int i = 0; i < score.getCharacterCount(); ++i) {
    const skReal y = height - row * (i + 2);
    skGui::setColor(colors[static_cast<size_t>(i) % colors.size()]);
    fillRect(left, y, 8, 8);
    fillRect(left + 12, y + 2, 100 * score.getItMs(i) / played, 4);
    const std::string figures =
        skScore::clock(score.getItMs(i)) + " " + std::to_string(score.getTags(i));
    drawText(figures.c_str(), left + 118, y - 1, cell);
  }
}

}  // namespace skivo
