#include "skSimulator.h"

#include <algorithm>
#include <cmath>

#include "skCharacter.h"
#include "skController.h"
#include "skGameState.h"
#include "skTimer.h"

namespace skivo {

// The arithmetic below works on vector components held in scalars, so that a
// step allocates nothing; each formula keeps the operations and their order of
// the skVec operations it stands for, so the results are the same bit for bit.
namespace {

const skReal restitution = 0.75;
const skReal impulseFactor = 1.0 + restitution;
// The tag cannot pass again within this many milliseconds of game time.
const long long tagGuardMs = 300;

const skReal sprintThreshold = 0.95;
const skReal sprintCostPerSecond = 10.0;
const skReal sprintForceFactor = 10.0;
const skReal recoveryThreshold = 0.1;
const skReal recoveryFloor = 5.0;

// skVec::dot of two 2-vectors: summed from 0.0 in index order.
inline skReal dot(skReal ax, skReal ay, skReal bx, skReal by) { return 0.0 + ax * bx + ay * by; }

// skVec::clampMaxLength on (x, y).
inline void clampMaxLength(skReal& x, skReal& y, skReal maxLength) {
  const skReal l = std::sqrt(dot(x, y, x, y));
  if (!(maxLength < l)) return;
  if (skMath::isAlmostZero(l)) {
    x = 0.0;
    y = 0.0;
    return;
  }
  const skReal s = maxLength / l;
  x = s * x;
  y = s * y;
}

// a x s + b x t, for 2-vectors a and b.
inline void scaleAndAdd(const skReal a[2], skReal s, const skReal b[2], skReal t, skReal out[2]) {
  out[0] = s * a[0] + t * b[0];
  out[1] = s * a[1] + t * b[1];
}

}  // namespace

skSimulator::skSimulator(skGameState* g, const skRules& r)
    : gs(g), rules(r), lastCollisionPasses(0), nextPosition(2) {}

void skSimulator::simulate(skReal dt) {
  generateActions();
  processActions(dt);
  resolveCollisions();
  updateGameState(dt);
}

void skSimulator::generateActions() {
  for (int i = 0; i < gs->getCharacterCount(); ++i) {
    skCharacter* c = gs->getCharacter(i);
    skController* controller = c->getController();
    skAssert(controller);
    // One perception may serve every controller: bind it to this character
    // before it decides.
    controller->bindPerception(c);
    c->calcAction();
  }
}

void skSimulator::processActions(skReal dt) {
  for (int i = 0; i < gs->getCharacterCount(); ++i) {
    skCharacter* c = gs->getCharacter(i);
    const skAction& action = c->getAction();
    const skRealVec& direction = action.getDesiredDirection();
    skAssert(direction.size() == 2);
    const skReal desiredSpeed = action.getDesiredSpeed();
    const skReal maxSpeed = c->getMaxSpeed();
    const skReal mass = c->getMass();

    // The direction is not normalised: its length scales the desired velocity.
    const skReal want = desiredSpeed * maxSpeed;
    skReal vx, vy;
    c->getVelocity(vx, vy);
    skReal fx = mass * (want * direction[0] - vx);
    skReal fy = mass * (want * direction[1] - vy);
    clampMaxLength(fx, fy, c->getMaxForce());

    // Sprinting multiplies the clamped force, so it raises the acceleration
    // but never the top speed. The energy may end below zero.
    if (rules.sprint && c->getSprintEnergy() > 0 && desiredSpeed > sprintThreshold) {
      c->setSprintEnergy(c->getSprintEnergy() - sprintCostPerSecond * dt);
      fx = sprintForceFactor * fx;
      fy = sprintForceFactor * fy;
    }
    // Added after the clamp: the total force may exceed the maximum force.
    if (rules.pull != 0.0) fy = fy + -rules.pull * c->getMaxForce();

    const skReal inverseMass = 1 / mass;
    skReal nx = vx + dt * (inverseMass * fx);
    skReal ny = vy + dt * (inverseMass * fy);
    clampMaxLength(nx, ny, maxSpeed);
    c->setVelocity(nx, ny);
  }
}

void skSimulator::resolveCollisions() {
  const int now = gs->getTimer()->gameTime();
  lastCollisionPasses = 0;
  while (lastCollisionPasses < maxCollisionPasses && gs->calcColliders() > 0) {
    ++lastCollisionPasses;
    // Nothing in a pass adds characters, so the flags cover every index.
    handled.assign(static_cast<size_t>(gs->getCharacterCount()), 0);
    for (int i = 0; i < gs->getCharacterCount(); ++i) {
      if (handled[i]) continue;
      handled[i] = 1;
      skCharacter* c = gs->getCharacter(i);
      skAssert(c);
      if (!gs->isColliding(i)) continue;

      skObstacle* o = gs->getObstacle(gs->getCollider(i));
      skAssert(o);
      skReal n[2];
      c->calcNormalTo(*o, n);
      // The tangent: n turned by -90 degrees.
      const skReal t[2] = {n[1], -n[0]};
      skReal vx, vy;
      c->getVelocity(vx, vy);
      const skReal vn = dot(vx, vy, n[0], n[1]);
      const skReal vt = dot(vx, vy, t[0], t[1]);
      const skReal mc = c->getMass();
      const skReal mo = o->getMass();
      skReal out[2];

      // Whatever cannot be given a speed (mass not below Inf) is immovable.
      if (!(mo < Inf)) {
        scaleAndAdd(n, -restitution * vn, t, vt, out);
        c->setVelocity(out[0], out[1]);
        // A bounce off an immovable obstacle ends the resolution of this step.
        return;
      }

      // Only characters have a finite mass; this is fatal for anything else.
      const int k = gs->getCharacterIndex(o->getGSIndex());
      skCharacter* other = gs->getCharacter(k);
      skReal ox, oy;
      other->getVelocity(ox, oy);
      const skReal un = dot(ox, oy, n[0], n[1]);
      const skReal ut = dot(ox, oy, t[0], t[1]);
      // Momentum along n is conserved; the relative normal speed is reversed
      // and scaled by the restitution; tangential parts are untouched.
      const skReal x = (vn - un) / (mc + mo);
      const skReal vn2 = vn - impulseFactor * mo * x;
      const skReal un2 = un + impulseFactor * mc * x;
      scaleAndAdd(n, vn2, t, vt, out);
      c->setVelocity(out[0], out[1]);
      scaleAndAdd(n, un2, t, ut, out);
      other->setVelocity(out[0], out[1]);

      // The pair decides, not who moved. In 64 bits: no overflow near INT_MAX.
      const bool guardPassed = static_cast<long long>(now) - gs->getLastTaggedTime() > tagGuardMs;
      if (other->getIsTagged() && guardPassed) {
        c->setTagged(now);
        other->setTagged(-1);
        gs->setTagged();
      } else if (c->getIsTagged() && guardPassed) {
        other->setTagged(now);
        c->setTagged(-1);
        gs->setTagged();
      }

      handled[k] = 1;
    }
  }
}

void skSimulator::updateGameState(skReal dt) {
  for (int i = 0; i < gs->getCharacterCount(); ++i) updateCharacter(dt, i);
}

void skSimulator::updateCharacter(skReal dt, int i) {
  skCharacter* c = gs->getCharacter(i);
  skReal vx, vy;
  c->getVelocity(vx, vy);
  const skRealVec& position = c->getPosition();
  skAssert(position.size() == 2);
  nextPosition[0] = position[0] + dt * vx;
  nextPosition[1] = position[1] + dt * vy;
  // Both ends belong to the arena: a coordinate equal to the size stays.
  nextPosition.wrap(gs->getWorldDim());
  c->setPosition(nextPosition);

  // 5.0 is a floor, not a cap: the first slow step restores it at once and
  // every further slow step adds dt without bound.
  if (rules.sprint && c->getAction().getDesiredSpeed() < recoveryThreshold) {
    c->setSprintEnergy(std::max(recoveryFloor, c->getSprintEnergy() + dt));
  }
}

}  // namespace skivo
