// skVec<T>: the numeric vector of the whole system (positions, velocities,
// headings, colours, learning tables). A std::vector of run-time length with
// in-place arithmetic that returns the vector itself, so that calls chain.
#pragma once

#include <algorithm>
#include <cmath>
#include <ostream>
#include <vector>

#include "skMath.h"

namespace skivo {

template <class T>
class skVec : public std::vector<T> {
 public:
  // Lets the checks below read "vector<T>::size()" as they are reported.
  template <class U>
  using vector = std::vector<U>;

  // size elements, all 0 (a default vector is empty).
  skVec(unsigned int size = 0) : std::vector<T>(size, T(0)) {}
  skVec(const std::vector<T>& v) : std::vector<T>(v) {}
  skVec(const skVec& v) = default;
  skVec& operator=(const skVec& v) = default;

  bool isAlmostEq(const skVec& v) const {
    if (vector<T>::size() != v.size()) return false;
    for (unsigned int i = 0; i < v.size(); ++i) {
      if (!skMath::isAlmostEq((*this)[i], v[i])) return false;
    }
    return true;
  }

  // True when every element is within 1e-5 of 0 (an empty vector too).
  bool isAlmostZero() const {
    for (unsigned int i = 0; i < vector<T>::size(); ++i) {
      if (!skMath::isAlmostZero((*this)[i])) return false;
    }
    return true;
  }

  // Every element followed by one space; no line end.
  std::ostream& output(std::ostream& os) const {
    for (unsigned int i = 0; i < vector<T>::size(); ++i) os << (*this)[i] << " ";
    return os;
  }

  skVec& set(T x) {
    for (unsigned int i = 0; i < vector<T>::size(); ++i) (*this)[i] = x;
    return *this;
  }

  // Precondition: equal lengths (checked).
  skVec& add(const skVec& v) {
    skAssert(vector<T>::size() == v.size());
    for (unsigned int i = 0; i < vector<T>::size(); ++i) (*this)[i] += v[i];
    return *this;
  }

  // Precondition: equal lengths (checked).
  skVec& subtract(const skVec& v) {
    skAssert(vector<T>::size() == v.size());
    for (unsigned int i = 0; i < vector<T>::size(); ++i) (*this)[i] -= v[i];
    return *this;
  }

  skVec& scale(T x) {
    for (unsigned int i = 0; i < vector<T>::size(); ++i) (*this)[i] = x * (*this)[i];
    return *this;
  }

  // Element-wise product; v must be at least as long (not checked).
  skVec& scale(const skVec& v) {
    for (unsigned int i = 0; i < vector<T>::size(); ++i) (*this)[i] = (*this)[i] * v[i];
    return *this;
  }

  T length() const { return std::sqrt(squaredLength()); }
  T squaredLength() const { return dot(*this); }

  T minElement() const { return *std::min_element(this->begin(), this->end()); }
  T maxElement() const { return *std::max_element(this->begin(), this->end()); }
  unsigned int argMax() const {
    return static_cast<unsigned int>(std::max_element(this->begin(), this->end()) - this->begin());
  }
  unsigned int argMin() const {
    return static_cast<unsigned int>(std::min_element(this->begin(), this->end()) - this->begin());
  }

  // Sum of products over this vector's indices; v must be at least as long.
  T dot(const skVec& v) const {
    T sum = 0.0;
    for (unsigned int i = 0; i < vector<T>::size(); ++i) sum += (*this)[i] * v[i];
    return sum;
  }

  T sum() const {
    T s = 0.0;
    for (unsigned int i = 0; i < vector<T>::size(); ++i) s += (*this)[i];
    return s;
  }

  skVec& normalize() { return setLength(1.0); }

  // A vector of length at most 1e-5 becomes all zeros, whatever x is.
  skVec& setLength(T x) {
    const T l = length();
    if (skMath::isAlmostZero(l)) return set(T(0));
    return scale(x / l);
  }

  skVec& clampMaxLength(T x) {
    if (x < length()) setLength(x);
    return *this;
  }

  // Fisher-Yates with the process-wide generator.
  skVec& shuffle() {
    for (unsigned int i = static_cast<unsigned int>(vector<T>::size()); i > 1; --i) {
      std::swap((*this)[i - 1], (*this)[skMath::uniform(static_cast<int>(i))]);
    }
    return *this;
  }

  // Every element a fresh uniform01() draw, element 0 first.
  skVec& randomize() {
    for (unsigned int i = 0; i < vector<T>::size(); ++i) (*this)[i] = skMath::uniform01();
    return *this;
  }

  // Folds element i into [0, v[i]] (both ends included), as skMath::wrap.
  // Preconditions: equal lengths and positive periods (checked).
  skVec& wrap(const skVec& v) {
    skAssert(vector<T>::size() == v.size());
    for (unsigned int i = 0; i < vector<T>::size(); ++i) {
      skAssert(0 < v[i]);
      (*this)[i] = skMath::wrap((*this)[i], v[i]);
    }
    return *this;
  }

  skVec& clamp(const skVec& lower, const skVec& upper) {
    for (unsigned int i = 0; i < vector<T>::size(); ++i) {
      (*this)[i] = skMath::clamp((*this)[i], lower[i], upper[i]);
    }
    return *this;
  }

  // A copy of this vector with v subtracted; this vector is unchanged.
  skVec relativeTo(const skVec& v) const {
    skVec r(*this);
    r.subtract(v);
    return r;
  }
};

template <class T>
std::ostream& operator<<(std::ostream& os, const skVec<T>& v) {
  return v.output(os);
}

typedef skVec<skReal> skRealVec;

}  // namespace skivo
