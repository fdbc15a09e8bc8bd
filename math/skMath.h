// The scalar type of all geometry and timing, and scalar helpers: tolerant
// comparison, clamping, angle folding and the process-wide random sources.
// Angles are in degrees unless a name says radians.
#pragma once

#include <cmath>
#include <cstdlib>
#include <limits>

#include "skUtil.h"

namespace skivo {

typedef double skReal;

// Positive infinity: the mass of immovable objects, a missing intersection.
const skReal Inf = std::numeric_limits<skReal>::infinity();

namespace skMath {

const skReal pi = 3.141592653589793;

// |x - y| <= 1e-5, or both above the largest finite double.
inline bool isAlmostEq(skReal x, skReal y) {
  const skReal largest = std::numeric_limits<skReal>::max();
  if (x > largest && y > largest) return true;
  return std::fabs(x - y) <= 0.00001;
}

inline bool isAlmostZero(skReal x) { return isAlmostEq(x, 0.0); }

inline skReal degToRad(skReal x) { return x * pi / 180.0; }
inline skReal radToDeg(skReal x) { return x * 180.0 / pi; }

// -1 for negative x, +1 otherwise (sgn(0) is +1).
inline int sgn(skReal x) { return x < 0 ? -1 : 1; }

// Precondition: lower <= upper (checked; fatal otherwise).
inline skReal clamp(skReal x, skReal lower, skReal upper) {
  skAssert(lower <= upper);
  if (x < lower) return lower;
  if (x > upper) return upper;
  return x;
}

// Uniform on [0, 1], both ends possible: one rand() draw.
inline skReal uniform01() { return rand() / 2147483647.0; }

// Uniform integer in [0, n - 1]; precondition n > 0.
inline int uniform(int n) { return rand() % n; }

// Folds e into [0, period] (both ends included) one period at a time, as on
// the wrapping arena: -0.5 becomes period - 0.5, period itself stays. Far
// outside it takes the exact remainder instead, landing where the stepwise
// fold would (a positive multiple at the period, a negative at 0), so it
// never loops for long. An infinite or NaN e has no place in the arena: fatal
// ("cannot wrap the coordinate <e> into [0, <period>]"), so that a broken
// value is reported where it arises instead of travelling on as NaN.
// Precondition: period > 0 (not checked here).
inline skReal wrap(skReal e, skReal period) {
  // Already in the arena (nearly always): what the folds below would leave.
  if (e >= 0 && e <= period) return e;
  if (!std::isfinite(e)) {
    skUtil::error("cannot wrap the coordinate " + skUtil::dtos(e) + " into [0, " +
                  skUtil::dtos(period) + "]");
  }
  if (std::fabs(e) > 1024 * period) {
    const skReal r = std::fmod(e, period);
    e = r != 0 ? r : (e > 0 ? period : 0.0);
  }
  while (e < 0) e += period;
  while (period < e) e -= period;
  return e;
}

// Folds an angle in degrees into [-180, 180).
inline skReal angleClamp(skReal t) {
  skReal x = sgn(t) * std::fmod(std::fabs(t), 360.0);
  skAssert(skReal(-360) <= x && x < skReal(360));
  if (x < -180) return x + 360;
  if (x >= 180) return x - 360;
  return x;
}

// One Box-Muller pair from the two uniform draws u0 and r1 (both in [0, 1]):
// the standard normal samples rho cos(2 pi r1) and rho sin(2 pi r1), with
// rho = sqrt(-2 ln(1 - u0)). Always finite: u0 = 1, the generator's maximum,
// would make ln(0), so it counts as the draw just below it.
inline void boxMuller(skReal u0, skReal r1, skReal& cosSample, skReal& sinSample) {
  skReal tail = 1.0 - u0;
  if (tail <= 0.0) tail = 1.0 / 2147483647.0;
  const skReal rho = std::sqrt(-2.0 * std::log(tail));
  cosSample = std::cos(6.283185307179586 * r1) * rho;
  sinSample = std::sin(6.283185307179586 * r1) * rho;
}

// Normally distributed with mean and standard deviation std. Calls come in
// pairs sharing two draws: the first of a pair uses the cosine sample, the
// second the sine sample (with its own mean and std), whoever made the first.
inline skReal normal(skReal mean, skReal std) {
  static bool validCache = false;
  static skReal sinSample = 0.0;
  if (!validCache) {
    const skReal u0 = uniform01();
    const skReal r1 = uniform01();
    skReal cosSample;
    boxMuller(u0, r1, cosSample, sinSample);
    validCache = true;
    return cosSample * std + mean;
  }
  validCache = false;
  return sinSample * std + mean;
}

// A normally distributed angle in degrees, folded into [-180, 180).
inline skReal normalAngle(skReal mean, skReal std) { return angleClamp(normal(mean, std)); }

}  // namespace skMath
}  // namespace skivo
