// skObject: everything that exists in the arena. A point with a position, a
// heading (unit vector) and a speed; the velocity is always heading x speed.
// Positions are in world units, speeds in world units per second.
#pragma once

#include "skVec.h"

namespace skivo {

class skGameState;
class skObjectRenderer;

class skObject {
 public:
  // gs: the world the object belongs to (not owned). Defaults: position (0, 0),
  // heading (1, 0), speed 0, infinite mass (immovable), index -1, no renderer.
  explicit skObject(skGameState* gs);
  virtual ~skObject();

  const skRealVec& getPosition() const { return position; }
  // Copies; no wrapping here (the simulator wraps).
  void setPosition(const skRealVec& p);

  skReal getSpeed() const { return speed; }
  // Precondition: finite mass (checked, "mass < Inf"). Stored unchanged.
  void setSpeed(skReal s);

  const skReal& getMass() const { return mass; }
  void setMass(skReal m) { mass = m; }

  // The renderer is not owned and may be shared by many objects; may be null.
  void setRenderer(skObjectRenderer* r) { renderer = r; }
  skObjectRenderer* getRenderer() const { return renderer; }

  // Heading x speed, as a new vector.
  skRealVec getVelocity() const;
  // The same without allocating: x and y of heading x speed.
  void getVelocity(skReal& vx, skReal& vy) const {
    vx = speed * orientation[0];
    vy = speed * orientation[1];
  }
  // Speed = |v| and heading = v / |v|; a v of length at most 1e-5 stops the
  // object and keeps its heading. Precondition: finite mass, 2-element v.
  void setVelocity(const skRealVec& v);
  // The same from components, without allocating.
  void setVelocity(skReal vx, skReal vy);

  const skRealVec& getOrientation() const { return orientation; }
  // Precondition: a unit vector (checked within 1e-5).
  void setOrientation(const skRealVec& orientation);

  void setGSIndex(int index) { gsIndex = index; }
  int getGSIndex() const { return gsIndex; }

  bool getIsColliding() const { return isColliding; }
  void setIsColliding(bool c) { isColliding = c; }

  // Hands this object to its renderer, if it has one.
  void render();

 protected:
  skGameState* gs;
  skObjectRenderer* renderer;
  skRealVec position;
  skReal speed;
  skReal mass;
  int gsIndex;
  skRealVec orientation;
  bool isColliding;
};

}  // namespace skivo
