// The grid of fastest ways and the planner that shares it: over random
// layouts and a hand-made one, a fastest way never enters a blocked cell nor
// cuts past a blocked corner, and the times behave as times of travel do.
#include <random>

#include "skControllerEvadeTerritory.h"
#include "skControllerExpert.h"
#include "skControllerPursueFastest.h"
#include "skPlanner.h"
#include "skTestWorld.h"
#include "skTorusPaths.h"

using namespace sktest;

namespace {

using Paths = skTorusPaths;

int column(int cell) { return cell % Paths::side; }
int row(int cell) { return cell / Paths::side; }
// The step from a to its neighbour b across the edges, each of dx, dy in -1..1.
void stepBetween(int a, int b, int& dx, int& dy) {
  dx = (column(b) - column(a) + Paths::side + 1) % Paths::side - 1;
  dy = (row(b) - row(a) + Paths::side + 1) % Paths::side - 1;
}

// The least distance from circle centre c to the segment from p along way,
// measured across the edges of an arena of the given size.
skReal distanceToSegment(const skVec2& p, const skVec2& way, const skVec2& c, const skVec2& size) {
  skReal best = Inf;
  for (int wx = -1; wx <= 1; ++wx) {
    for (int wy = -1; wy <= 1; ++wy) {
      const skVec2 to = c + skVec2(wx * size.x, wy * size.y) - p;
      const skReal t = std::min<skReal>(1, std::max<skReal>(0, to.dot(way) / way.squaredLength()));
      best = std::min(best, (to - t * way).length());
    }
  }
  return best;
}

// Follows nextCell from a to b and checks every move: to a free neighbour,
// a diagonal only with both cells beside it free, the straight way between
// the centres clear of every circle grown by reach (no squeezing through a
// gap narrower than the mover), each move nearer in time.
// Returns the number of moves, or -1 when the way broke off.
int walk(const Paths& paths, int a, int b, skReal reach = 0, const skVec2& size = {}) {
  int cell = a, moves = 0;
  while (cell != b) {
    const int next = paths.nextCell(cell, b);
    if (next < 0 || moves > Paths::cellCount) {
      ADD_FAILURE() << "the way from " << a << " to " << b << " breaks off at " << cell;
      return -1;
    }
    int dx = 0, dy = 0;
    stepBetween(cell, next, dx, dy);
    EXPECT_TRUE(Paths::shifted(cell, dx, dy) == next && (dx != 0 || dy != 0))
        << cell << " to " << next << " is no move to a neighbour";
    EXPECT_FALSE(paths.blocked(next)) << "the way from " << a << " to " << b << " enters " << next;
    if (dx != 0 && dy != 0) {
      EXPECT_FALSE(paths.blocked(Paths::shifted(cell, dx, 0)) ||
                   paths.blocked(Paths::shifted(cell, 0, dy)))
          << "the diagonal from " << cell << " to " << next << " cuts past a blocked corner";
    }
    if (reach > 0) {
      const skVec2 from = paths.centre(cell), way = paths.offset(from, paths.centre(next));
      for (const Paths::Circle& o : paths.getCircles()) {
        EXPECT_GE(distanceToSegment(from, way, o.centre, size), o.radius + reach)
            << "the move from " << cell << " to " << next << " squeezes past " << o.centre.x << ","
            << o.centre.y;
      }
    }
    EXPECT_LT(paths.time(next, b), paths.time(cell, b)) << "no nearer to " << b << " at " << next;
    cell = next;
    ++moves;
  }
  return moves;
}

struct Layout {
  std::vector<Paths::Circle> circles;
  skVec2 size;
  skReal reach;
  Paths::Mover mover;
};

Layout randomLayout(std::mt19937& rng) {
  const auto uniform = [&rng](skReal lo, skReal hi) {
    return std::uniform_real_distribution<skReal>(lo, hi)(rng);
  };
  Layout l;
  l.size = {uniform(200, 700), uniform(200, 700)};
  for (int i = static_cast<int>(rng() % 60); i > 0; --i) {
    l.circles.push_back({{uniform(0, l.size.x), uniform(0, l.size.y)}, uniform(2, 30)});
  }
  l.reach = uniform(4, 16);
  // Every other layout under a pull along -y, as in the classic game.
  l.mover = {uniform(60, 120), rng() % 2 ? skVec2(0, -uniform(10, 50)) : skVec2()};
  return l;
}

}  // namespace

TEST(FastestWays, NeverEnterABlockedCellNorCutACornerAndTimesBehaveOverRandomLayouts) {
  std::mt19937 rng(2024);
  for (int layout = 0; layout < 12; ++layout) {
    SCOPED_TRACE("layout " + std::to_string(layout));
    const Layout l = randomLayout(rng);
    Paths paths;
    paths.build(l.circles, l.size, l.reach, l.mover);
    std::vector<int> free;
    for (int c = 0; c < Paths::cellCount; ++c) {
      if (!paths.blocked(c)) free.push_back(c);
    }
    if (free.empty()) continue;
    const auto anyFree = [&] { return free[rng() % free.size()]; };
    // Nothing reaches a blocked cell.
    for (int c = 0; c < Paths::cellCount; ++c) {
      if (paths.blocked(c)) {
        ASSERT_EQ(paths.time(anyFree(), c), Paths::unreachable) << c;
      }
    }
    for (int k = 0; k < 150; ++k) {
      const int a = anyFree(), b = anyFree(), c = anyFree();
      if (paths.time(a, b) == Paths::unreachable) {
        EXPECT_EQ(paths.nextCell(a, b), -1);
        continue;
      }
      walk(paths, a, b, l.reach, l.size);
      // Without a pull the way back takes as long (up to rounding).
      if (l.mover.pull.isAlmostZero()) {
        EXPECT_NEAR(paths.time(a, b), paths.time(b, a), 1) << a << " " << b;
      }
      // No detour through c is faster than the fastest way (up to rounding).
      if (paths.time(b, c) != Paths::unreachable) {
        EXPECT_LE(paths.time(a, c), paths.time(a, b) + paths.time(b, c) + 1) << a << b << c;
      }
    }
    if (HasFailure()) return;
  }
}

// One blocked cell in open ground: the ways round it go by its sides, and the
// way between two cells on either side of its corner takes two straight
// moves, not the diagonal past the corner.
TEST(FastestWays, GoRoundASingleBlockedCellAndNotPastItsCorners) {
  Paths paths;
  const skReal cell = 16;  // 512 / 32
  paths.build({{{10.5 * cell, 10.5 * cell}, 1}}, {512, 512}, 5, {80, {0, 0}});
  const int blocked = paths.cellOf({10.5 * cell, 10.5 * cell});
  for (int c = 0; c < Paths::cellCount; ++c) ASSERT_EQ(paths.blocked(c), c == blocked) << c;

  const int left = Paths::shifted(blocked, -1, 0), above = Paths::shifted(blocked, 0, 1);
  EXPECT_NEAR(paths.time(left, above), 2 * 1000 * cell / 80, 1);  // two straight moves
  EXPECT_EQ(walk(paths, left, above), 2);
  // From every neighbour of the blocked cell to every cell, and back.
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      const int from = Paths::shifted(blocked, dx, dy);
      if (from == blocked) continue;
      for (int to = 0; to < Paths::cellCount; ++to) {
        if (to == blocked) continue;
        const int moves = walk(paths, from, to);
        EXPECT_LE(moves, Paths::side);  // open ground: never more than across the arena
        walk(paths, to, from);
      }
      if (HasFailure()) return;
    }
  }
}

// Two rows of small circles whose gaps are narrower than the mover: the
// cells beside the gaps are free, but no way passes between the rows, so the
// band between them is cut off from the rest of the arena.
TEST(FastestWays, NeverSqueezeThroughAGapNarrowerThanTheMover) {
  std::vector<Paths::Circle> circles;
  for (skReal x = 0; x < 512; x += 14) {  // gaps of 6 between circles of radius 4
    circles.push_back({{x, 128}, 4});
    circles.push_back({{x, 384}, 4});
  }
  Paths paths;
  paths.build(circles, {512, 512}, 5, {80, {0, 0}});
  const int inside = paths.cellOf({100, 256}), outside = paths.cellOf({100, 20});
  // Some cells next to each row are free: without the rule the way is open.
  int freeBeside = 0;
  for (int x = 0; x < Paths::side; ++x) freeBeside += !paths.blocked(7 * Paths::side + x);
  ASSERT_GT(freeBeside, 0);
  EXPECT_EQ(paths.time(inside, outside), Paths::unreachable);
  EXPECT_EQ(paths.time(outside, inside), Paths::unreachable);
  EXPECT_EQ(paths.nextCell(inside, outside), -1);
  EXPECT_LE(paths.regionSize(inside), 16 * Paths::side);
  // Within the band, and across the side edges, the ways still run.
  walk(paths, inside, paths.cellOf({500, 300}), 5, {512, 512});
}

using Planning = WorldTest;

// Skills and the expert on one planner share one table, built at the first
// decision; a character of another size needs a table of its own.
TEST_F(Planning, OneTableServesEveryControllerOfOneKindOfCharacter) {
  for (int i = 0; i < 5; ++i) addCircle(100 + 60 * i, 300);
  skPlanner planner(&perception, skRules::full());
  skCharacter* it =
      addCharacter(100, 100, 0, 0, new skControllerPursueFastest(&perception, &planner));
  addCharacter(400, 400, 0, 0, new skControllerEvadeTerritory(&perception, &planner));
  addCharacter(250, 450, 0, 0, new skControllerExpert(&perception, skRules::full(), &planner));
  it->setTagged(0);
  EXPECT_EQ(planner.tableCount(), 0);
  for (int k = 0; k < 50; ++k) step();
  EXPECT_EQ(planner.tableCount(), 1);
  skCharacter* big =
      addCharacter(50, 50, 0, 0, new skControllerEvadeTerritory(&perception, &planner));
  big->setRadius(20);
  step();
  EXPECT_EQ(planner.tableCount(), 2);
}

// The expert plays the same moves with its own planner as with one it
// shares with the other characters' skills.
TEST(PlanningShared, TheExpertPlaysTheSameWithASharedPlannerAsWithItsOwn) {
  for (const skRules& rules : {skRules::full(), skRules::classic()}) {
    std::vector<skVec2> tracks[2];
    for (int shared = 0; shared < 2; ++shared) {
      World w(rules);
      for (int i = 0; i < 8; ++i) w.addCircle(60 + 50 * i, 200 + 20 * (i % 3));
      skPlanner planner(&w.perception, rules);
      auto* expert = shared ? new skControllerExpert(&w.perception, rules, &planner)
                            : new skControllerExpert(&w.perception, rules);
      skCharacter* me = w.addCharacter(250, 100, 0, 0, expert);
      w.addCharacter(250, 350, 0, 0, new skControllerPursueFastest(&w.perception, &planner));
      w.addCharacter(400, 100, 0, 0, new skControllerEvadeTerritory(&w.perception, &planner));
      me->setTagged(0);
      for (int k = 0; k < 1500; ++k) {
        w.step();
        tracks[shared].push_back(me->position());
      }
    }
    ASSERT_EQ(tracks[0], tracks[1]) << rules.name();
  }
}

// Across an edge when that is shorter, round a wall when it is in the way.
TEST_F(Planning, MeasuresAcrossTheEdgesAndRoundAWall) {
  for (int y = 0; y < 512; y += 16) {
    if (y < 200 || y > 300) addCircle(256, y + 8);  // a wall with a gap about y = 256
  }
  skCharacter* me = addCharacter(230, 100);
  skPlanner planner(&perception, skRules::full());
  // 48 units across the wall, some 300 round it through the gap; two cells
  // (32 units) across the left and right edges, at the pace of "it" (80).
  EXPECT_GT(planner.travelMs(*me, {230, 100}, {282, 100}), 1000 * 250 / 80.0);
  EXPECT_NEAR(planner.travelMs(*me, {8, 400}, {488, 400}), 1000 * 32 / 80.0, 1);
  // Heading for the far side of the wall: up towards the gap, not at the wall.
  const skVec2 way = planner.wayTo(*me, {282, 100});
  EXPECT_GT(way.normalized().y, 0.7) << way;
  EXPECT_TRUE(planner.inSight(*me, me->position(), way));
}

// Cups of circles under the classic pull, taken from matches where a chaser
// sat pressed in one for minutes: every cell around is blocked. In the first
// the one way out, a gap wider than the disk at the top, is too narrow for
// the grid; in the second a wide gap lies beyond a narrow one, towards the
// quarry, and only the gap at the side opens. The chaser climbs out of both.
TEST(PlanningPocket, ClimbsOutOfACupWhoseExitTheGridMisses) {
  struct Cup {
    std::vector<skVec2> circles;
    skVec2 start, quarry;
  };
  const Cup cups[] = {
      {{{35.1, 343.1}, {17.9, 405.0}, {61.0, 414.1}, {58.6, 381.2}, {37.8, 375.9}},
       {35.6, 395.8},
       {250, 150}},
      {{{3.3, 136.1},
        {38.9, 134.6},
        {41.7, 78.6},
        {15.6, 91.9},
        {24.2, 81.4},
        {39.5, 85.7},
        {28.7, 124.0}},
       {31.4, 104.2},
       {300, 380}},
  };
  for (const Cup& cup : cups) {
    World w(skRules::classic());
    for (const skVec2& c : cup.circles) w.addCircle(c.x, c.y);
    skPlanner planner(&w.perception, skRules::classic());
    skCharacter* me = w.addCharacter(cup.start.x, cup.start.y, 0, 0,
                                     new skControllerPursueFastest(&w.perception, &planner));
    w.addCharacter(cup.quarry.x, cup.quarry.y);
    me->setTagged(0);
    for (int k = 0; k < 250; ++k) w.step();  // 5 s
    EXPECT_GT(planner.offset(me->position(), cup.start).length(), 40) << me->position();
  }
}
