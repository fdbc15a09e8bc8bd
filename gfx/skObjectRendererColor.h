// skObjectRendererColor: a renderer that picks the drawing colour of its
// object: the normal colour, or an alternative one, and while flashing the
// flash colour for the first 1000 ms of every 2000 ms of game time (all
// flashing objects blink in step with the game clock). Colours are 4-element
// vectors (red, green, blue, alpha in 0..1), copied in.
#pragma once

#include "skObjectRenderer.h"
#include "skVec.h"

namespace skivo {

class skObjectRendererColor : public skObjectRenderer {
 public:
  // All colours (0, 0, 0, 0), flash and alternative off. gs must have a clock
  // when a flashing object is drawn.
  explicit skObjectRendererColor(skGameState* gs);
  ~skObjectRendererColor() override;

  // Makes getCurrentColor() the drawing colour.
  void render(const skObject* obj) override;

  // The colour render sets at the game clock's present time.
  const skRealVec& getCurrentColor() const;

  const skRealVec& getColor() const { return color; }
  const skRealVec& getColorAlternative() const { return colorAlternative; }
  const skRealVec& getColorFlash() const { return colorFlash; }
  void setColor(const skRealVec& c) { color = c; }
  void setColorAlternative(const skRealVec& c) { colorAlternative = c; }
  void setColorFlash(const skRealVec& c) { colorFlash = c; }
  void flashingOn() { flash = true; }
  void flashingOff() { flash = false; }
  void alternativeOn() { alternative = true; }
  void alternativeOff() { alternative = false; }

 private:
  skRealVec color;
  skRealVec colorAlternative;
  skRealVec colorFlash;
  bool flash;
  bool alternative;
};

}  // namespace skivo
