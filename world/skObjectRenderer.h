// skObjectRenderer: the interface of whatever draws one kind of object.
// Objects hold a non-owning pointer to their renderer and hand themselves to
// it (skObject::render); one renderer may serve many objects. The drawing
// renderers live in gfx/; the world knows only this interface.
#pragma once

namespace skivo {

class skGameState;
class skObject;

class skObjectRenderer {
 public:
  // gs: the world, read for its clock; not owned.
  explicit skObjectRenderer(skGameState* gs) : gs(gs) {}
  virtual ~skObjectRenderer() = default;
  skObjectRenderer(const skObjectRenderer&) = delete;
  skObjectRenderer& operator=(const skObjectRenderer&) = delete;
  virtual void render(const skObject* obj) = 0;

 protected:
  skGameState* gs;
};

}  // namespace skivo
