#include "skUtil2D.h"

#include <cmath>

namespace skivo {
namespace skUtil2D {

namespace {
const unsigned int dim = 2;
}

skRealVec vec2(skReal x, skReal y) {
  skRealVec v(2);
  v[0] = x;
  v[1] = y;
  return v;
}

skReal angle(const skRealVec& v) {
  skAssert(dim == v.size());
  return angle(skVec2(v));
}

skReal angle(const skVec2& v) {
  const skVec2 u = v.normalized();
  return skMath::radToDeg(std::atan2(u.y, u.x));
}

skRealVec randomPosition(const skRealVec& worldDim) {
  skRealVec p(2);
  p.randomize();
  p.scale(worldDim);
  return p;
}

skRealVec randomPosition(const skRealVec& worldDim, skRandom& random) {
  skRealVec p(2);
  for (skReal& e : p) e = random.uniform01();
  p.scale(worldDim);
  return p;
}

skRealVec dir(skReal t) { return unit(t).toVec(); }

skVec2 unit(skReal t) {
  const skReal r = skMath::degToRad(t);
  return {std::cos(r), std::sin(r)};
}

skRealVec normalDir(skReal mean, skReal std) { return dir(skMath::normalAngle(mean, std)); }

skRealVec uniformDir() { return dir(skMath::uniform01() * 360 - 180); }

skVec2 randomHeading(skRandom& random) { return unit(random.uniform01() * 360 - 180); }

skRealMatrix rotationMatrix(skReal t) {
  skRealMatrix m(2, 2);
  m.setRow(0, vec2(std::cos(t), -std::sin(t)));
  m.setRow(1, vec2(std::sin(t), std::cos(t)));
  return m;
}

skRealMatrix perpendicularTo(const skRealVec& v) {
  skAssert(dim == v.size());
  skRealMatrix m(2, 2);
  m.setRow(0, vec2(v[1], -v[0]));
  m.setRow(1, vec2(-v[1], v[0]));
  return m;
}

skRealVec perpendicularTo(const skRealVec& v, const skRealVec& d) {
  return perpendicularTo(skVec2(v), skVec2(d)).toVec();
}

skVec2 perpendicularTo(const skVec2& v, const skVec2& d) {
  // The reports quote these checks as written, without a space after the comma.
  // clang-format off
  skAssert(skMath::isAlmostEq(1,v.length()));
  skAssert(skMath::isAlmostEq(1,d.length()));
  // clang-format on
  // Turned by -90 degrees, or by +90 when d lies on that side.
  const skVec2 right = v.turnedRight();
  const skReal x = d.dot(right);
  if (skMath::isAlmostZero(x)) return right;
  return x > 0 ? right : -right;
}

skRealMatrix tagentLinePts(const skRealVec& p, const skRealVec& center, skReal radius) {
  const skRealVec dv = center.relativeTo(p);
  const skReal d = dv.length();
  // The report names the condition that was met, not the one that failed.
  if (d < radius) {
    skUtil::error("d < radius", __LINE__, skUtil::baseName(__FILE__),
                  "tangentLinePts: point is inside circle");
  }
  const skReal theta = std::atan2(dv[1], dv[0]);
  const skReal alpha = std::asin(radius / d);
  const skReal s = std::sqrt(d * d - radius * radius);
  skRealMatrix m(2, 2);
  m.setRow(0, vec2(p[0] + s * std::cos(theta + alpha), p[1] + s * std::sin(theta + alpha)));
  m.setRow(1, vec2(p[0] + s * std::cos(theta - alpha), p[1] + s * std::sin(theta - alpha)));
  return m;
}

skRealMatrix perpendicularLinePts(const skRealVec& p, const skRealVec& center, skReal radius) {
  const skRealVec dv = center.relativeTo(p);
  const skReal theta = std::atan2(dv[1], dv[0]);
  const skReal halfPi = 1.5707963267948966;
  skRealMatrix m(2, 2);
  m.setRow(0, vec2(center[0] + radius * std::cos(theta + halfPi),
                   center[1] + radius * std::sin(theta + halfPi)));
  m.setRow(1, vec2(center[0] + radius * std::cos(theta - halfPi),
                   center[1] + radius * std::sin(theta - halfPi)));
  return m;
}

}  // namespace skUtil2D
}  // namespace skivo
