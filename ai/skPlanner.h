// skPlanner: plans ways over the wrapped arena for the controllers of one
// world: the fastest way round the fixed circles and across the edges, how
// soon one character meets another, and the refuge that keeps the most of
// the arena out of a threat's reach. Several controllers (two teammates,
// several skills, the expert) share one planner, and with it one table of
// travel times per kind of mover, instead of building about 3 MB each.
//
// The planner lays a coarse grid over the arena (32 x 32 cells) with the
// fastest time between every pair of cells. A table is built on the first
// question about a kind of mover (radius, top speed, force and mass), from
// the fixed circles of the perception's world (immovable, not characters),
// which must all be in place by then; that question allocates, no later one
// does. The times are those of a mover at the pace of whoever is "it" (80 %
// of its top speed) leaning against the rules' pull: a careful measure for a
// chaser and its quarry alike. A question about two characters measures both
// by the table of the first one named, the mover.
//
// Lengths in world units, speeds in world units per second, times in
// milliseconds of game time.
#pragma once

#include <memory>
#include <vector>

#include "skRules.h"
#include "skVec2.h"

namespace skivo {

class skCharacter;
class skPerception;
class skTorusPaths;

class skPlanner {
 public:
  // Game milliseconds between two plans of a controller while the one to
  // meet or to flee is near (calmFactor times that otherwise), and how near
  // that is.
  static constexpr int planPeriod = 48;
  static constexpr int calmFactor = 4;
  static constexpr skReal calmMs = 2000;

  // perception: the world's, shared, not owned; only its game state is read.
  // rules: those of that world (the pull is read), copied.
  skPlanner(skPerception* perception, const skRules& rules);
  ~skPlanner();
  skPlanner(const skPlanner&) = delete;
  skPlanner& operator=(const skPlanner&) = delete;

  skPerception* getPerception() const { return perception; }
  const skRules& getRules() const { return rules; }
  // Builds the table of mover's kind now unless it exists (allocates a few MB
  // the first time); every question below does so too.
  void prepare(const skCharacter& mover);
  // The tables built so far, one per kind of mover.
  int tableCount() const { return static_cast<int>(tables.size()); }

  // The offset from a to b by the shortest way across the edges.
  skVec2 offset(const skVec2& a, const skVec2& b) const;
  // Whether mover's disk, a little grown, runs from `from` along way without
  // touching a fixed circle; a long way (one way round the arena or the
  // other) only as far as 0.45 of the arena's narrower side.
  bool inSight(const skCharacter& mover, const skVec2& from, const skVec2& way);
  // The fastest time from `from` to `to` round the circles and across the
  // edges, ms; Inf when the grid has no way (an end walled in).
  skReal travelMs(const skCharacter& mover, const skVec2& from, const skVec2& to);
  // How soon mover meets c, ms: at the speed it closes in when c is in sight
  // (a target that runs away counts at no less than a fifth of mover's speed),
  // otherwise never sooner than the fastest way; when the grid has no way,
  // 1e9 more than the straight guess. inSight, when not null, tells which.
  skReal meetMs(const skCharacter& mover, const skCharacter& c, bool* inSight = nullptr);

  // Where mover heads for `to` out of sight: the furthest cell of the
  // fastest way that is in sight, a few cells ahead at most; when either end
  // is walled in on the grid, the far side of the widest gap between two
  // circles near mover that leads into more room. False (aim untouched) when
  // there is neither: then only the straight way is left.
  bool aimRound(const skCharacter& mover, const skVec2& to, skVec2& aim);
  // The way from mover to `to`: straight when in sight, else to aimRound's
  // aim, else straight anyway.
  skVec2 wayTo(const skCharacter& mover, const skVec2& to);
  // The way from mover at t in sight: ahead of t by the time mover needs to
  // meet it at t's velocity (at most maxLead seconds) when that point is in
  // sight too, otherwise straight at t.
  skVec2 leadWay(const skCharacter& mover, const skCharacter& t, skReal maxLead);
  // The time mover, at its top speed, needs to meet a point at offset r from
  // it that moves at v, seconds: the smaller positive root of |r + v tau| =
  // speed tau, or without one (the point runs away faster) |r| / speed.
  static skReal meetingSeconds(const skCharacter& mover, const skVec2& r, const skVec2& v);
  // The way from mover, at its top speed, to meet a point now at p that
  // moves at v, by whichever way round across the edges meets it soonest
  // (catching it up, or going the other way round to meet it head on):
  // the way to where they meet, or to where the point will be after maxLead
  // seconds when they meet later than that. Not wrapped into the arena.
  skVec2 meetingWay(const skCharacter& mover, const skVec2& p, const skVec2& v,
                    skReal maxLead) const;
  // How soon threat, from where it will be in a moment at its velocity, can
  // be where mover is, by mover's table, ms; Inf when the grid has no way.
  skReal reachMs(const skCharacter& mover, const skCharacter& threat);

  // A refuge: where mover runs to keep the most of the arena to itself.
  struct Escape {
    // A point two cells away, in sight, from which mover reaches first the
    // most of the arena, weighted by the time it gains there; straight away
    // from the threat when the grid cannot tell.
    skVec2 aim;
    // How soon the threat, from where it will be in a moment, can be where
    // mover is (ms; Inf when it cannot, or when the grid cannot tell).
    skReal reachMs;
    // False when mover or the threat stands walled in on the grid.
    bool planned;
  };
  // mover's refuge from threat (not mover); the way mover ran before (any
  // length, (0, 0) for none) is kept unless another is clearly better.
  Escape escape(const skCharacter& mover, const skCharacter& threat, const skVec2& before);

  // The desired direction that makes mover, at full speed, run along the unit
  // vector u: leaning against the pull so that its velocity settles along u.
  skVec2 heading(const skCharacter& mover, const skVec2& u) const;
  // The rules' pull on mover as an acceleration (world units per second
  // squared; (0, 0) without one).
  skVec2 pullOf(const skCharacter& mover) const;

 private:
  // One table per kind of mover.
  struct Table {
    skReal radius, pace, pull;
    std::unique_ptr<skTorusPaths> paths;
  };

  skPerception* perception;
  skRules rules;
  std::vector<Table> tables;

  // The table of mover's kind, built when first asked for.
  const skTorusPaths& pathsOf(const skCharacter& mover);
  // The far side of the widest gap near `here` facing `towards`, into a
  // region of more than minRegion free cells; false when none.
  bool squeezeOut(const skTorusPaths& paths, skReal radius, const skVec2& here,
                  const skVec2& towards, int minRegion, skVec2& aim) const;
  // How much of the arena one keeps, starting from cell from after extraMs,
  // against another starting from cell threat: the time it gains, summed over
  // the sample cells it reaches first.
  static long territory(const skTorusPaths& paths, int from, unsigned int extraMs, int threat);
};

}  // namespace skivo
