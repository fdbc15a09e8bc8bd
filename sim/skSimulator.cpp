#include "skSimulator.h"

#include <algorithm>
#include <cmath>

#include "skCharacter.h"
#include "skController.h"
#include "skGameState.h"
#include "skTimer.h"

namespace skivo {

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

}  // namespace

skSimulator::skSimulator(skGameState* g, const skRules& r)
    : gs(g), rules(r), lastCollisionPasses(0) {}

void skSimulator::simulate(skReal dt) {
  // Sized on the first step (and when characters are added), not when the
  // first collision comes.
  handled.resize(static_cast<size_t>(gs->getCharacterCount()));
  generateActions();
  processActions(dt);
  resolveCollisions();
  updateGameState(dt);
}

void skSimulator::simulateFrame(skReal dt) {
  if (!(dt > maxStep) || !std::isfinite(dt)) {
    simulate(dt);
    return;
  }
  // A stall of more than about a quarter of an hour (a machine asleep) is
  // caught up in longer steps rather than in ever more of them.
  const skReal steps = std::min(std::ceil(dt / maxStep), skReal(maxFrameSteps));
  for (int k = 0; k < static_cast<int>(steps); ++k) simulate(dt / steps);
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
  const int count = gs->getCharacterCount();
  const bool sprint = rules.sprint;
  const skReal pull = rules.pull;
  for (int i = 0; i < count; ++i) {
    skCharacter* c = gs->getCharacter(i);
    const skAction& action = c->getAction();
    const skReal desiredSpeed = action.getDesiredSpeed();
    const skReal maxSpeed = c->getMaxSpeed();
    const skReal mass = c->getMass();
    const skReal maxForce = c->getMaxForce();
    // Read once: nothing below changes it before the new one is set.
    const skVec2 velocity = c->velocity();

    // The direction is not normalised: its length scales the desired velocity.
    const skVec2 desired = (desiredSpeed * maxSpeed) * action.direction();
    skVec2 force = (mass * (desired - velocity)).clampedTo(maxForce);
    // Sprinting multiplies the clamped force, so it raises the acceleration
    // but never the top speed. The energy may end below zero.
    if (sprint && c->getSprintEnergy() > 0 && desiredSpeed > sprintThreshold) {
      c->setSprintEnergy(c->getSprintEnergy() - sprintCostPerSecond * dt);
      force = sprintForceFactor * force;
    }
    // Added after the clamp: the total force may exceed the maximum force.
    if (pull != 0.0) force.y = force.y + -pull * maxForce;

    const skVec2 dv = dt * ((1 / mass) * force);
    // As setVelocity(v.clampedTo(maxSpeed)), measuring v once when it stays.
    const skVec2 v = velocity + dv;
    const skReal length = v.length();
    if (!(maxSpeed < length)) {
      c->setVelocity(v, length);
    } else {
      c->setVelocity(v.clampedTo(maxSpeed));
    }
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
      // Across an edge, when it is seamless.
      const skVec2 n = gs->contactNormal(*c, *o);
      const skVec2 t = n.turnedRight();
      const skVec2 vc = c->velocity();
      const skReal vn = vc.dot(n);
      const skReal vt = vc.dot(t);
      const skReal mc = c->getMass();
      const skReal mo = o->getMass();

      // Whatever cannot be given a speed (mass not below Inf) is immovable.
      if (!(mo < Inf)) {
        c->setVelocity((-restitution * vn) * n + vt * t);
        // A bounce off an immovable obstacle ends the resolution of this step.
        return;
      }

      // Only characters have a finite mass; this is fatal for anything else.
      const int k = gs->getCharacterIndex(o->getGSIndex());
      skCharacter* other = gs->getCharacter(k);
      const skVec2 vo = other->velocity();
      const skReal un = vo.dot(n);
      const skReal ut = vo.dot(t);
      // Momentum along n is conserved; the relative normal speed is reversed
      // and scaled by the restitution; tangential parts are untouched.
      const skReal x = (vn - un) / (mc + mo);
      const skReal vn2 = vn - impulseFactor * mo * x;
      const skReal un2 = un + impulseFactor * mc * x;
      c->setVelocity(vn2 * n + vt * t);
      other->setVelocity(un2 * n + ut * t);

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
  const skRealVec& size = gs->getWorldDim();
  skAssert(size.size() == 2 && 0 < size[0] && 0 < size[1]);
  const skVec2 worldSize(size[0], size[1]);
  const int count = gs->getCharacterCount();
  for (int i = 0; i < count; ++i) updateCharacter(dt, i, worldSize);
}

void skSimulator::updateCharacter(skReal dt, int i, const skVec2& worldSize) {
  skCharacter* c = gs->getCharacter(i);
  const skVec2 p = c->position() + dt * c->velocity();
  // Both ends belong to the arena: a coordinate equal to the size stays.
  c->setPosition(skVec2(skMath::wrap(p.x, worldSize.x), skMath::wrap(p.y, worldSize.y)));

  // 5.0 is a floor, not a cap: the first slow step restores it at once and
  // every further slow step adds dt without bound.
  if (rules.sprint && c->getAction().getDesiredSpeed() < recoveryThreshold) {
    c->setSprintEnergy(std::max(recoveryFloor, c->getSprintEnergy() + dt));
  }
}

}  // namespace skivo
