// skVec2: the engine's 2-D vector, a plain value of two doubles (x, y) that
// never allocates. The simulation, the collider search, the perception and
// the steering behaviours compute with it; the public API keeps skRealVec
// (skVec<skReal>) and converts at its edge with skVec2(v) and toVec().
// Lengths follow skVec's rule: a vector of length at most 1e-5 counts as zero.
#pragma once

#include <cmath>
#include <ostream>

#include "skMath.h"
#include "skVec.h"

namespace skivo {

struct skVec2 {
  skReal x = 0.0;
  skReal y = 0.0;

  constexpr skVec2() = default;
  constexpr skVec2(skReal x, skReal y) : x(x), y(y) {}
  // From a public vector. Precondition: 2 elements (checked).
  explicit skVec2(const skRealVec& v) : x(0.0), y(0.0) {
    skAssert(v.size() == 2);
    x = v[0];
    y = v[1];
  }
  // The public form: a new 2-element skRealVec.
  skRealVec toVec() const {
    skRealVec v(2);
    v[0] = x;
    v[1] = y;
    return v;
  }

  skVec2 operator+(const skVec2& o) const { return {x + o.x, y + o.y}; }
  skVec2 operator-(const skVec2& o) const { return {x - o.x, y - o.y}; }
  skVec2 operator-() const { return {-x, -y}; }
  friend skVec2 operator*(skReal s, const skVec2& v) { return {s * v.x, s * v.y}; }
  bool operator==(const skVec2& o) const { return x == o.x && y == o.y; }
  bool operator!=(const skVec2& o) const { return !(*this == o); }

  skReal dot(const skVec2& o) const { return x * o.x + y * o.y; }
  skReal squaredLength() const { return dot(*this); }
  skReal length() const { return std::sqrt(squaredLength()); }
  // Both components within 1e-5 of 0.
  bool isAlmostZero() const { return skMath::isAlmostZero(x) && skMath::isAlmostZero(y); }
  bool isFinite() const { return std::isfinite(x) && std::isfinite(y); }

  // This vector at length l; (0, 0) when its own length is at most 1e-5.
  skVec2 withLength(skReal l) const {
    const skReal current = length();
    if (skMath::isAlmostZero(current)) return {};
    return (l / current) * *this;
  }
  // Of length 1, or (0, 0) as above.
  skVec2 normalized() const { return withLength(1.0); }
  // Shortened to maxLength when longer (as withLength(maxLength), measuring once).
  skVec2 clampedTo(skReal maxLength) const {
    const skReal current = length();
    if (!(maxLength < current)) return *this;
    if (skMath::isAlmostZero(current)) return {};
    return (maxLength / current) * *this;
  }
  // Turned by -90 degrees: (y, -x).
  skVec2 turnedRight() const { return {y, -x}; }
};

// "x y " as skVec prints, with no line end.
inline std::ostream& operator<<(std::ostream& os, const skVec2& v) {
  return os << v.x << " " << v.y << " ";
}

}  // namespace skivo
