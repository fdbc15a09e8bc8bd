// skPanelInterval: the mean of a sample and the half-width of its 95 %
// interval, by Student's t with n - 1 degrees of freedom (the normal's 1.96
// beyond 30), as the panel reports its figures. The panel's own; not
// installed.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace skivo {

class skPanelInterval {
 public:
  // The interval of values (any count; none or one has a half-width of 0).
  static skPanelInterval of(const std::vector<double>& values);
  // The two-sided 95 % quantile of Student's t with degrees (1 or more)
  // degrees of freedom; 1.96 beyond 30.
  static double t95(int degrees);

  std::size_t count = 0;
  double mean = 0, half = 0;

  // The values read as shares: "M ± H" in %, one decimal each; "-" for none.
  std::string percent() const;
};

}  // namespace skivo
