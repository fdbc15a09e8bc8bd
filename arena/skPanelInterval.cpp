#include "skPanelInterval.h"

#include <cmath>
#include <cstdio>

namespace skivo {

double skPanelInterval::t95(int degrees) {
  // Index d - 1 holds d degrees of freedom.
  static const double t[] = {12.706, 4.303, 3.182, 2.776, 2.571, 2.447, 2.365, 2.306, 2.262, 2.228,
                             2.201,  2.179, 2.160, 2.145, 2.131, 2.120, 2.110, 2.101, 2.093, 2.086,
                             2.080,  2.074, 2.069, 2.064, 2.060, 2.056, 2.052, 2.048, 2.045, 2.042};
  return degrees <= 30 ? t[degrees - 1] : 1.96;
}

skPanelInterval skPanelInterval::of(const std::vector<double>& values) {
  skPanelInterval interval;
  const std::size_t n = interval.count = values.size();
  if (n == 0) return interval;
  double sum = 0, squares = 0;
  for (double v : values) sum += v;
  interval.mean = sum / n;
  for (double v : values) squares += (v - interval.mean) * (v - interval.mean);
  if (n >= 2) {
    interval.half = t95(static_cast<int>(n - 1)) * std::sqrt(squares / (n - 1) / n);
  }
  return interval;
}

std::string skPanelInterval::percent() const {
  if (count == 0) return "-";
  char text[48];
  std::snprintf(text, sizeof text, "%.1f ± %.1f", 100 * mean, 100 * half);
  return text;
}

}  // namespace skivo
