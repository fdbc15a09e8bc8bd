// skObject: everything that exists in the arena. A point with a position, a
// heading (unit vector) and a speed; the velocity is always heading x speed.
// Positions are in world units, speeds in world units per second.
//
// Vector values come in two forms: the get.../set... operations take and give
// skRealVec (allocated), for callers of the public API; position(),
// orientation() and velocity() and the skVec2 setters are the engine's
// allocation-free forms of the same values.
#pragma once

#include <cmath>

#include "skVec.h"
#include "skVec2.h"

namespace skivo {

class skGameState;
class skObjectRenderer;

class skObject {
 public:
  // gs: the world the object belongs to (not owned). Defaults: position (0, 0),
  // heading (1, 0), speed 0, infinite mass (immovable), index -1, no renderer.
  explicit skObject(skGameState* gs);
  virtual ~skObject();
  // An object belongs to one world at one index; a copy would be neither.
  skObject(const skObject&) = delete;
  skObject& operator=(const skObject&) = delete;

  skRealVec getPosition() const { return pos.toVec(); }
  const skVec2& position() const { return pos; }
  // Copies; no wrapping here (the simulator wraps). Precondition: 2 elements.
  void setPosition(const skRealVec& p) { setPosition(skVec2(p)); }
  void setPosition(const skVec2& p);

  skReal getSpeed() const { return speed; }
  // Precondition: finite mass (checked, "mass < Inf"). Stored unchanged.
  void setSpeed(skReal s) {
    skAssert(mass < Inf);
    speed = s;
  }

  const skReal& getMass() const { return mass; }
  void setMass(skReal m) { mass = m; }

  // The renderer is not owned and may be shared by many objects; may be null.
  void setRenderer(skObjectRenderer* r) { renderer = r; }
  skObjectRenderer* getRenderer() const { return renderer; }

  // Heading x speed.
  skRealVec getVelocity() const { return velocity().toVec(); }
  skVec2 velocity() const { return speed * heading; }
  // Speed = |v| and heading = v / |v|; a v of length at most 1e-5 stops the
  // object and keeps its heading. Preconditions: finite mass, 2-element v.
  void setVelocity(const skRealVec& v) { setVelocity(skVec2(v)); }
  void setVelocity(const skVec2& v) { setVelocity(v, v.length()); }
  // As setVelocity(v) for a v whose length() the caller has measured as l,
  // so that a step measures each velocity once.
  void setVelocity(const skVec2& v, skReal l) {
    if (skMath::isAlmostZero(l)) {
      setSpeed(0);
      return;
    }
    setSpeed(l);
    // v normalised. For a finite length that is a unit vector whatever the
    // rounding; only an infinite one (which gives (0, 0)) needs the check.
    const skVec2 unit = (1.0 / l) * v;
    if (std::isfinite(l)) {
      heading = unit;
    } else {
      setOrientation(unit);
    }
  }

  skRealVec getOrientation() const { return heading.toVec(); }
  const skVec2& orientation() const { return heading; }
  // Precondition: a unit vector (checked within 1e-5).
  void setOrientation(const skRealVec& orientation) { setOrientation(skVec2(orientation)); }
  void setOrientation(const skVec2& orientation);

  void setGSIndex(int index) { gsIndex = index; }
  int getGSIndex() const { return gsIndex; }

  bool getIsColliding() const { return isColliding; }
  void setIsColliding(bool c) { isColliding = c; }

  // Hands this object to its renderer, if it has one.
  void render();

 protected:
  skGameState* gs;
  skObjectRenderer* renderer;
  skVec2 pos;
  skReal speed;
  skReal mass;
  int gsIndex;
  skVec2 heading;
  bool isColliding;
  // Set by the game state while the object stands in its grid of fixed
  // obstacles, which must then hear of any change of place or size.
  bool inGrid = false;
  friend class skGameState;

  // Tells the game state that this fixed obstacle changed place or size.
  void movedInGrid();
};

}  // namespace skivo
