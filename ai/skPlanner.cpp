#include "skPlanner.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "skCharacter.h"
#include "skGameState.h"
#include "skObstacleCircle.h"
#include "skPerception.h"
#include "skTorusPaths.h"
#include "skUtil2D.h"

namespace skivo {

namespace {

// The game's rule: whoever is "it" runs at this share of the top speed.
const skReal itShare = 0.8;
// Room kept between a disk and a circle when planning, world units: a little
// more than rounding, so that paths do not graze.
const skReal gridMargin = 2.0;
const skReal sightMargin = 1.0;
// The slowest closing speed a meeting is judged by, as a share of the speed.
const skReal minClosing = 0.2;
// Cells of the way ahead that are looked down for the furthest in sight.
const int lookAhead = 8;
// Gaps between two circles to squeeze through when walled in: within this
// distance, and at least this many radii wide (the collision
// response lets a disk through a gap a little narrower than itself).
const skReal squeezeReach = 45;
const skReal squeezeGap = 1.5;
// How far ahead a threat is judged from, seconds.
const skReal threatLead = 0.2;
// Time gained on the threat that a cell of territory counts at most, ms.
const std::uint16_t gainCap = 1500;
// The weight of keeping the way run before: a share of the score.
const skReal keepBonus = 0.05;

}  // namespace

skPlanner::skPlanner(skPerception* p, const skRules& r) : perception(p), rules(r) {}

skPlanner::~skPlanner() = default;

skVec2 skPlanner::pullOf(const skCharacter& mover) const {
  return skVec2(0, -rules.pull * mover.getMaxForce() / mover.getMass());
}

const skTorusPaths& skPlanner::pathsOf(const skCharacter& mover) {
  // Chaser and quarry alike at the pace of whoever is "it".
  const skReal pace = mover.getIsTagged() ? mover.getMaxSpeed() : itShare * mover.getMaxSpeed();
  const skReal radius = mover.getRadius();
  const skVec2 pull = pullOf(mover);
  for (const Table& t : tables) {
    if (t.radius == radius && t.pace == pace && t.pull == pull.y) return *t.paths;
  }
  skGameState* gs = perception->getGameState();
  std::vector<skTorusPaths::Circle> circles;
  for (int j = 0; j < gs->getObstacleCount(); ++j) {
    const skObstacle* o = gs->getObstacle(j);
    const auto* circle = dynamic_cast<const skObstacleCircle*>(o);
    // Only immovable circles stay put; characters are judged as they move.
    if (!circle || o->getMass() < Inf || dynamic_cast<const skCharacter*>(o)) continue;
    circles.push_back({circle->position(), circle->getRadius()});
  }
  const skRealVec& dim = gs->getWorldDim();
  auto paths = std::make_unique<skTorusPaths>();
  paths->build(circles, skVec2(dim[0], dim[1]), radius + gridMargin, {pace, pull});
  tables.push_back({radius, pace, pull.y, std::move(paths)});
  return *tables.back().paths;
}

void skPlanner::prepare(const skCharacter& mover) { pathsOf(mover); }

skVec2 skPlanner::offset(const skVec2& a, const skVec2& b) const {
  const skRealVec& dim = perception->getGameState()->getWorldDim();
  return skUtil2D::shortestOffset(a, b, skVec2(dim[0], dim[1]));
}

bool skPlanner::inSight(const skCharacter& mover, const skVec2& from, const skVec2& way) {
  // A long way (the other way round) is looked down as far as the grid's
  // sight reaches: short of half the arena in each axis.
  const skRealVec& dim = perception->getGameState()->getWorldDim();
  const skReal reach = 0.45 * std::min(dim[0], dim[1]);
  const skReal longest = std::max(std::fabs(way.x), std::fabs(way.y));
  const skVec2 seen = longest > reach ? (reach / longest) * way : way;
  return pathsOf(mover).clear(from, seen, mover.getRadius() + sightMargin);
}

skReal skPlanner::travelMs(const skCharacter& mover, const skVec2& from, const skVec2& to) {
  const skTorusPaths& paths = pathsOf(mover);
  const int a = paths.freeCellNear(from), b = paths.freeCellNear(to);
  const unsigned int t = a >= 0 && b >= 0 ? paths.time(a, b) : skTorusPaths::unreachable;
  return t == skTorusPaths::unreachable ? Inf : t;
}

skReal skPlanner::meetMs(const skCharacter& mover, const skCharacter& c, bool* inSight) {
  const skTorusPaths& paths = pathsOf(mover);
  const skVec2 here = mover.position();
  const int from = paths.freeCellNear(here);
  const skReal speed = mover.getMaxSpeed();
  const skReal sight = mover.getRadius() + sightMargin;
  const skVec2 way = paths.offset(here, c.position());
  const skReal gap = std::max<skReal>(0, way.length() - mover.getRadius() - c.getRadius());
  const bool seen = paths.clear(here, way.withLength(gap), sight);
  const int to = paths.freeCellNear(c.position());
  // A target that runs away nearly as fast as the mover is hardly worth it.
  const skReal closing = speed - std::max<skReal>(0, c.velocity().dot(way.normalized()));
  skReal ms = 1000 * gap / std::max(closing, minClosing * speed);
  if (!seen) {
    const unsigned int t = from >= 0 && to >= 0 ? paths.time(from, to) : skTorusPaths::unreachable;
    // Not on the grid (a gap narrower than a cell): still worth a straight
    // try, but only when nobody else can be met.
    ms = t == skTorusPaths::unreachable ? 1e9 + ms : std::max<skReal>(ms, t);
  }
  if (inSight) *inSight = seen;
  return ms;
}

bool skPlanner::aimRound(const skCharacter& mover, const skVec2& to, skVec2& aim) {
  const skTorusPaths& paths = pathsOf(mover);
  const skVec2 here = mover.position();
  const int from = paths.freeCellNear(here);
  const int goal = paths.freeCellNear(to);
  if (from < 0 || goal < 0 || paths.time(from, goal) == skTorusPaths::unreachable) {
    const int mine = from < 0 ? 0 : paths.regionSize(from);
    return squeezeOut(paths, mover.getRadius(), here, to, mine, aim);
  }
  const skReal sight = mover.getRadius() + sightMargin;
  aim = paths.centre(from);
  // Cut off from the cell that stands for here (a cup of circles round it):
  // out through a gap into that cell's region, when there is one.
  if (!paths.clear(here, paths.offset(here, aim), sight) &&
      squeezeOut(paths, mover.getRadius(), here, to, paths.regionSize(from) - 1, aim)) {
    return true;
  }
  for (int cell = from, k = 0; k < lookAhead && cell != goal; ++k) {
    cell = paths.nextCell(cell, goal);
    if (cell < 0) break;
    const skVec2 c = paths.centre(cell);
    if (!paths.clear(here, paths.offset(here, c), sight)) {
      if (k == 0) aim = c;  // squeezed: at least move on along the way
      break;
    }
    aim = c;
  }
  return true;
}

skVec2 skPlanner::wayTo(const skCharacter& mover, const skVec2& to) {
  const skVec2 here = mover.position();
  const skVec2 way = offset(here, to);
  if (inSight(mover, here, way)) return way;
  skVec2 aim;
  return aimRound(mover, to, aim) ? offset(here, aim) : way;
}

bool skPlanner::squeezeOut(const skTorusPaths& paths, skReal r, const skVec2& here,
                           const skVec2& towards, int minRegion, skVec2& aim) const {
  const std::vector<skTorusPaths::Circle>& circles = paths.getCircles();
  const skVec2 goal = paths.offset(here, towards).normalized();
  skReal bestScore = -Inf;
  for (size_t i = 0; i < circles.size(); ++i) {
    const skVec2 a = paths.offset(here, circles[i].centre);
    if (a.length() > squeezeReach) continue;
    for (size_t j = i + 1; j < circles.size(); ++j) {
      const skVec2 b = paths.offset(here, circles[j].centre);
      if (b.length() > squeezeReach) continue;
      const skReal gap = (b - a).length() - circles[i].radius - circles[j].radius;
      // Too narrow to squeeze through. A gap wider than the disk counts too:
      // the grid, which keeps a margin and samples cell centres, may still
      // miss it.
      if (gap < squeezeGap * r) continue;
      const skVec2 middle = 0.5 * (a + b);
      // A gap beyond another, narrower one is no way out: its middle must be
      // in reach of a disk slim enough for the narrowest gap tried.
      if (!paths.clear(here, middle, 0.5 * squeezeGap * r)) continue;
      // Out through the gap: across the line of the two circles, away from here.
      skVec2 out = (b - a).turnedRight().normalized();
      if (out.dot(middle) < 0) out = -out;
      // Only into more room than there is here.
      const int beyond = paths.freeCellNear(here + middle + (2 * r) * out);
      if (beyond < 0 || paths.regionSize(beyond) <= minRegion) continue;
      const skReal score = gap + r * out.dot(goal);
      if (score > bestScore) {
        bestScore = score;
        aim = here + middle + (2 * r) * out;
      }
    }
  }
  return bestScore > -Inf;
}

skReal skPlanner::meetingSeconds(const skCharacter& mover, const skVec2& r, const skVec2& v) {
  const skReal s = mover.getMaxSpeed();
  const skReal a = v.dot(v) - s * s, b = 2 * r.dot(v), c = r.dot(r);
  skReal tau = std::sqrt(c) / s;
  if (std::fabs(a) > 1e-9) {
    const skReal disc = b * b - 4 * a * c;
    if (disc >= 0) {
      const skReal q = std::sqrt(disc);
      const skReal t1 = (-b - q) / (2 * a), t2 = (-b + q) / (2 * a);
      const skReal lo = std::min(t1, t2), hi = std::max(t1, t2);
      if (lo > 0)
        tau = lo;
      else if (hi > 0)
        tau = hi;
    }
  }
  return tau;
}

skVec2 skPlanner::meetingWay(const skCharacter& mover, const skVec2& p, const skVec2& v,
                             skReal maxLead) const {
  const skRealVec& dim = perception->getGameState()->getWorldDim();
  const skVec2 r0 = offset(mover.position(), p);
  const skReal s = mover.getMaxSpeed();
  skVec2 best = r0;
  skReal bestTau = Inf;
  // The point's nine nearest images, one per way round.
  for (int j = -1; j <= 1; ++j) {
    for (int i = -1; i <= 1; ++i) {
      const skVec2 r = r0 + skVec2(i * dim[0], j * dim[1]);
      const skReal tau = meetingSeconds(mover, r, v);
      // Only a true meeting counts: one that catches up with the point.
      if (std::fabs((r + tau * v).length() - s * tau) > 1e-6 * (1 + s * tau)) continue;
      if (tau < bestTau) {
        bestTau = tau;
        best = r;
      }
    }
  }
  if (bestTau == Inf) bestTau = meetingSeconds(mover, r0, v);
  return best + std::min(bestTau, maxLead) * v;
}

skVec2 skPlanner::leadWay(const skCharacter& mover, const skCharacter& t, skReal maxLead) {
  const skTorusPaths& paths = pathsOf(mover);
  const skVec2 here = mover.position();
  const skVec2 r = paths.offset(here, t.position());
  const skVec2 v = t.velocity();
  const skVec2 lead = r + std::min(meetingSeconds(mover, r, v), maxLead) * v;
  const skReal gap = std::max<skReal>(0, lead.length() - mover.getRadius() - t.getRadius());
  return paths.clear(here, lead.withLength(gap), mover.getRadius() + sightMargin) ? lead : r;
}

skReal skPlanner::reachMs(const skCharacter& mover, const skCharacter& threat) {
  return travelMs(mover, threat.position() + threatLead * threat.velocity(), mover.position());
}

skPlanner::Escape skPlanner::escape(const skCharacter& mover, const skCharacter& threat,
                                    const skVec2& before) {
  const skTorusPaths& paths = pathsOf(mover);
  const skVec2 here = mover.position();
  const skVec2 away = paths.offset(threat.position(), here);
  Escape e{here + away.withLength(100), Inf, false};  // until something better is found
  const int from = paths.freeCellNear(here);
  // Where the threat will be in a moment, at its pace.
  const int danger = paths.freeCellNear(threat.position() + threatLead * threat.velocity());
  if (from < 0 || danger < 0) return e;
  const unsigned int reach = paths.time(danger, from);
  e.reachMs = reach == skTorusPaths::unreachable ? Inf : reach;
  e.planned = true;

  // The refuge: a cell two steps away, in sight, from which the mover keeps
  // the most of the arena to itself, by the time it gains on the threat
  // there; the way it ran before is kept unless another is clearly better.
  const skReal sight = mover.getRadius() + sightMargin;
  const skVec2 last = before.normalized();
  // Every candidate is scored first, and the way is looked down only for the
  // best ones until one is in sight: the sight test costs more than a score.
  // Ties go to the earlier candidate, as a plain scan in order would.
  struct Candidate {
    skVec2 way;
    skReal score;
  };
  Candidate candidates[16];
  int count = 0;
  for (int dy = -2; dy <= 2; ++dy) {
    for (int dx = -2; dx <= 2; ++dx) {
      if (std::max(std::abs(dx), std::abs(dy)) != 2) continue;
      const int cell = skTorusPaths::shifted(from, dx, dy);
      if (paths.blocked(cell)) continue;
      const unsigned int there = paths.time(from, cell);
      if (there == skTorusPaths::unreachable) continue;
      const skVec2 way = paths.offset(here, paths.centre(cell));
      const skReal keep = 1.0 + keepBonus * std::max<skReal>(0, last.dot(way.normalized()));
      candidates[count++] = {way,
                             keep * static_cast<skReal>(territory(paths, cell, there, danger))};
    }
  }
  while (count > 0) {
    int best = 0;
    for (int k = 1; k < count; ++k) {
      if (candidates[k].score > candidates[best].score) best = k;
    }
    if (paths.clear(here, candidates[best].way, sight)) {
      e.aim = here + candidates[best].way;
      break;
    }
    // Out of sight: drop it, keeping the others in their order.
    std::copy(candidates + best + 1, candidates + count, candidates + best);
    --count;
  }
  return e;
}

long skPlanner::territory(const skTorusPaths& paths, int from, unsigned int extraMs, int threat) {
  const std::uint16_t* mine = paths.sampleRow(from);
  // The threat is taken to run as fast as the mover (both at its pace): then
  // every cell the mover reaches first lies on a way of cells it reaches
  // first, and no way leads past it.
  const std::uint16_t* theirs = paths.sampleRow(threat);
  // Each cell counts the time gained there, up to a cap: open ground far
  // from the threat weighs most. In 16 bits, floored at 0 (saturating), so
  // that eight cells go in one vector step; an unreachable cell of the
  // mover's gains nothing. At most gainCap per cell: 32 bits hold the sum.
  static_assert(skTorusPaths::sampleCount % 8 == 0, "whole vector steps");
  static_assert(skTorusPaths::sampleCount * std::uint64_t{gainCap} < 0x7FFFFFFFu, "sum fits");
  const std::uint16_t extra = static_cast<std::uint16_t>(std::min(extraMs, 0xFFFFu));
#if defined(__SSE2__)
  const __m128i lead = _mm_set1_epi16(static_cast<short>(extra));
  const __m128i cap = _mm_set1_epi16(static_cast<short>(gainCap));
  const __m128i ones = _mm_set1_epi16(1);
  __m128i sums = _mm_setzero_si128();
  for (int c = 0; c < skTorusPaths::sampleCount; c += 8) {
    const __m128i t = _mm_loadu_si128(reinterpret_cast<const __m128i*>(theirs + c));
    const __m128i m = _mm_loadu_si128(reinterpret_cast<const __m128i*>(mine + c));
    const __m128i gain = _mm_subs_epu16(_mm_subs_epu16(t, lead), m);
    const __m128i capped = _mm_sub_epi16(gain, _mm_subs_epu16(gain, cap));
    // Capped gains fit a signed 16-bit lane: pairwise into 32-bit lanes.
    sums = _mm_add_epi32(sums, _mm_madd_epi16(capped, ones));
  }
  std::int32_t lanes[4];
  _mm_storeu_si128(reinterpret_cast<__m128i*>(lanes), sums);
  return static_cast<long>(lanes[0]) + lanes[1] + lanes[2] + lanes[3];
#else
  long sum = 0;
  for (int c = 0; c < skTorusPaths::sampleCount; ++c) {
    const std::uint16_t limit = theirs[c] > extra ? theirs[c] - extra : 0;
    const std::uint16_t gain = limit > mine[c] ? limit - mine[c] : 0;
    sum += std::min(gain, gainCap);
  }
  return sum;
#endif
}

skVec2 skPlanner::heading(const skCharacter& mover, const skVec2& u) const {
  // The desired velocity at full speed whose part across u cancels the pull:
  // with the pull as fast as the top speed lets, against it slower.
  const skReal top = mover.getMaxSpeed();
  const skVec2 lean = -pullOf(mover);
  const skReal along = u.dot(lean);
  const skReal disc = along * along - lean.squaredLength() + top * top;
  const skReal s = disc > 0 ? -along + std::sqrt(disc) : 0;
  return s > 0 ? (s * u + lean).normalized() : u;
}

}  // namespace skivo
