// skMatrix<T>: a small dense matrix stored as a list of row vectors. The
// system uses 2 x 2 rotations and returns pairs of 2-vectors as two rows.
#pragma once

#include <vector>

#include "skVec.h"

namespace skivo {

template <class T>
class skMatrix : public std::vector<skVec<T>> {
 public:
  skMatrix(unsigned int rowCount, unsigned int colCount)
      : std::vector<skVec<T>>(rowCount, skVec<T>(colCount)),
        cols(colCount, skVec<T>(rowCount)),
        colsValid(colCount, true) {}

  skMatrix(const std::vector<skVec<T>>& rows) : std::vector<skVec<T>>(rows) {
    const unsigned int n = rows.empty() ? 0 : static_cast<unsigned int>(rows[0].size());
    cols.assign(n, skVec<T>(getRowCount()));
    colsValid.assign(n, false);
  }

  skMatrix(const skMatrix&) = default;
  skMatrix& operator=(const skMatrix&) = default;
  ~skMatrix() = default;

  bool operator==(const skMatrix& m) const {
    return static_cast<const std::vector<skVec<T>>&>(*this) ==
           static_cast<const std::vector<skVec<T>>&>(m);
  }

  unsigned int getRowCount() const { return static_cast<unsigned int>(this->size()); }
  unsigned int getColCount() const { return static_cast<unsigned int>(cols.size()); }

  void setRowColCount(unsigned int rows, unsigned int colCount) {
    this->assign(rows, skVec<T>(colCount));
    cols.assign(colCount, skVec<T>(rows));
    colsValid.assign(colCount, true);
  }

// The checks quote "0 <= i" on an unsigned index as they are reported.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wtype-limits"
  // Precondition: i < getRowCount() (checked).
  const skVec<T>& getRow(unsigned int i) const {
    skAssert(0 <= i && i < getRowCount());
    return (*this)[i];
  }

  // Preconditions: i < getRowCount() and v as long as the row (checked).
  skMatrix& setRow(unsigned int i, const skVec<T>& v) {
    skAssert(0 <= i && i < getRowCount());
    skAssert((*this)[i].size() == v.size());
    (*this)[i] = v;
    invalidateCols();
    return *this;
  }
#pragma GCC diagnostic pop

  const skVec<T>& getCol(unsigned int j) const {
    skAssert(j < getColCount());
    // Rows are public (element access of the base), so the cache cannot know
    // of every change: refresh the column on every read.
    computeCol(j);
    return cols[j];
  }

  skMatrix& setCol(unsigned int j, const skVec<T>& v) {
    skAssert(j < getColCount());
    skAssert(getRowCount() == v.size());
    for (unsigned int i = 0; i < getRowCount(); ++i) (*this)[i][j] = v[i];
    cols[j] = v;
    colsValid[j] = true;
    return *this;
  }

  const std::vector<skVec<T>>& getRows() const { return *this; }
  const std::vector<skVec<T>>& getCols() const {
    for (unsigned int j = 0; j < getColCount(); ++j) getCol(j);
    return cols;
  }

  bool isAlmostEq(const skMatrix& m) const {
    if (getRowCount() != m.getRowCount()) return false;
    for (unsigned int i = 0; i < getRowCount(); ++i) {
      if (!(*this)[i].isAlmostEq(m[i])) return false;
    }
    return true;
  }

  bool isAlmostZero() const {
    for (unsigned int i = 0; i < getRowCount(); ++i) {
      if (!(*this)[i].isAlmostZero()) return false;
    }
    return true;
  }

  skMatrix& set(T x) {
    return forEachRow([x](skVec<T>& r) { r.set(x); });
  }
  skMatrix& add(const skMatrix& m) {
    skAssert(getRowCount() == m.getRowCount());
    for (unsigned int i = 0; i < getRowCount(); ++i) (*this)[i].add(m[i]);
    invalidateCols();
    return *this;
  }
  skMatrix& subtract(const skMatrix& m) {
    skAssert(getRowCount() == m.getRowCount());
    for (unsigned int i = 0; i < getRowCount(); ++i) (*this)[i].subtract(m[i]);
    invalidateCols();
    return *this;
  }
  skMatrix& scale(T x) {
    return forEachRow([x](skVec<T>& r) { r.scale(x); });
  }
  skMatrix& randomize() {
    return forEachRow([](skVec<T>& r) { r.randomize(); });
  }

  // this = this * m. Precondition: getColCount() == m.getRowCount() (checked).
  skMatrix& multiply(const skMatrix& m) {
    skAssert(getColCount() == m.getRowCount());
    skMatrix r(getRowCount(), m.getColCount());
    for (unsigned int i = 0; i < getRowCount(); ++i) {
      for (unsigned int j = 0; j < m.getColCount(); ++j) r[i][j] = (*this)[i].dot(m.getCol(j));
    }
    return *this = r;
  }

  // Precondition: getColCount() == v.size() (checked).
  skVec<T> multiply(const skVec<T>& v) const {
    skAssert(getColCount() == v.size());
    skVec<T> r(getRowCount());
    for (unsigned int i = 0; i < getRowCount(); ++i) r[i] = (*this)[i].dot(v);
    return r;
  }

  skMatrix& transpose() {
    skMatrix r(getColCount(), getRowCount());
    for (unsigned int i = 0; i < getRowCount(); ++i) {
      for (unsigned int j = 0; j < getColCount(); ++j) r[j][i] = (*this)[i][j];
    }
    return *this = r;
  }

  // Gauss-Jordan with partial pivoting; a singular matrix is fatal.
  skMatrix& invert() {
    const unsigned int n = getRowCount();
    skAssert(n == getColCount());
    skMatrix a(*this);
    skMatrix inv(n, n);
    for (unsigned int i = 0; i < n; ++i) inv[i][i] = 1;
    for (unsigned int c = 0; c < n; ++c) {
      unsigned int p = c;
      for (unsigned int r = c + 1; r < n; ++r) {
        if (std::fabs(a[r][c]) > std::fabs(a[p][c])) p = r;
      }
      skAssertMsg(!skMath::isAlmostZero(a[p][c]), "skMatrix::invert: singular matrix");
      std::swap(a[c], a[p]);
      std::swap(inv[c], inv[p]);
      const T d = a[c][c];
      a[c].scale(1 / d);
      inv[c].scale(1 / d);
      for (unsigned int r = 0; r < n; ++r) {
        if (r == c) continue;
        const T f = a[r][c];
        for (unsigned int k = 0; k < n; ++k) {
          a[r][k] -= f * a[c][k];
          inv[r][k] -= f * inv[c][k];
        }
      }
    }
    return *this = inv;
  }

  T minElement() const {
    return extreme([](T a, T b) { return a < b; });
  }
  T maxElement() const {
    return extreme([](T a, T b) { return a > b; });
  }
  // Index of the extreme element in row-major order.
  unsigned int argMax() const {
    return argExtreme([](T a, T b) { return a > b; });
  }
  unsigned int argMin() const {
    return argExtreme([](T a, T b) { return a < b; });
  }

  skMatrix& shuffle() {
    skVec<T> all;
    for (const skVec<T>& r : *this) all.insert(all.end(), r.begin(), r.end());
    all.shuffle();
    unsigned int k = 0;
    for (skVec<T>& r : *this) {
      for (T& e : r) e = all[k++];
    }
    invalidateCols();
    return *this;
  }

 private:
  // A cache, refreshed by const reads of columns.
  mutable std::vector<skVec<T>> cols;
  mutable std::vector<bool> colsValid;

  void invalidateCols() { colsValid.assign(colsValid.size(), false); }

  template <class F>
  skMatrix& forEachRow(F f) {
    for (skVec<T>& r : *this) f(r);
    invalidateCols();
    return *this;
  }

  template <class Better>
  unsigned int argExtreme(Better better) const {
    unsigned int best = 0, k = 0;
    T value = T(0);
    for (const skVec<T>& r : *this) {
      for (const T& e : r) {
        if (k == 0 || better(e, value)) {
          value = e;
          best = k;
        }
        ++k;
      }
    }
    return best;
  }

  template <class Better>
  T extreme(Better better) const {
    const unsigned int k = argExtreme(better);
    return (*this)[k / getColCount()][k % getColCount()];
  }

  // Brings the cached column j up to date from the rows.
  void computeCol(unsigned int j) const {
    skVec<T>& c = cols[j];
    c.resize(getRowCount());
    for (unsigned int i = 0; i < getRowCount(); ++i) c[i] = (*this)[i][j];
    colsValid[j] = true;
  }
};

typedef skMatrix<skReal> skRealMatrix;

}  // namespace skivo
