// Plane geometry on 2-element skRealVec values (x, y). Angles are in degrees,
// measured from +x towards +y, except rotationMatrix, which takes radians.
// Functions that return two vectors return a 2 x 2 matrix, one per row.
#pragma once

#include <cmath>

#include "skMatrix.h"
#include "skRandom.h"
#include "skVec.h"
#include "skVec2.h"

namespace skivo {
namespace skUtil2D {

// The 2-vector (x, y).
skRealVec vec2(skReal x, skReal y);

// Heading of v in degrees, in (-180, 180]. Precondition: 2 elements (checked).
skReal angle(const skRealVec& v);
skReal angle(const skVec2& v);
// The offset from `from` to `to` by the shortest way on an arena of the given
// size (world units) whose edges wrap: each axis is folded into
// [-size/2, size/2). Precondition: size components above 0 (not checked).
// Inline: the collider search of seamless edges measures every near pair.
inline skVec2 shortestOffset(const skVec2& from, const skVec2& to, const skVec2& size) {
  const auto fold = [](skReal d, skReal period) {
    // Within one period fmod would return d itself: skip the call.
    if (!(std::fabs(d) < period)) d = std::fmod(d, period);
    if (d < -period / 2) return d + period;
    if (d >= period / 2) return d - period;
    return d;
  };
  return {fold(to.x - from.x, size.x), fold(to.y - from.y, size.y)};
}
// Uniform in [0, worldDim[0]] x [0, worldDim[1]]; two draws, x first, from
// the process-wide generator or from random.
skRealVec randomPosition(const skRealVec& worldDim);
skRealVec randomPosition(const skRealVec& worldDim, skRandom& random);
// Unit vector at t degrees.
skRealVec dir(skReal t);
skVec2 unit(skReal t);
// Unit vector at a normally distributed angle (degrees), folded into [-180, 180).
skRealVec normalDir(skReal mean, skReal std);
// Unit vector at an angle uniform in [-180, 180]; one draw, from the
// process-wide generator or from random.
skRealVec uniformDir();
skVec2 randomHeading(skRandom& random);
// Rotation by t radians: rows (cos t, -sin t) and (sin t, cos t).
skRealMatrix rotationMatrix(skReal t);
// Row 0 = v turned by -90 degrees (v.y, -v.x), row 1 = by +90 degrees (-v.y, v.x).
skRealMatrix perpendicularTo(const skRealVec& v);
// The unit perpendicular of v on the side of d (row 0 when d is parallel to v).
// Preconditions: v and d of unit length (checked).
skRealVec perpendicularTo(const skRealVec& v, const skRealVec& d);
skVec2 perpendicularTo(const skVec2& v, const skVec2& d);
// The two points where the tangents from p touch the circle (center, radius):
// row 0 turning towards +90 degrees, row 1 towards -90 degrees.
// Precondition: p not inside the circle (checked).
skRealMatrix tagentLinePts(const skRealVec& p, const skRealVec& center, skReal radius);
// The two points of the circle on the line through center perpendicular to
// the direction from p to center.
skRealMatrix perpendicularLinePts(const skRealVec& p, const skRealVec& center, skReal radius);

}  // namespace skUtil2D
}  // namespace skivo
