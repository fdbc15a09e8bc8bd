#include "skUtil.h"

#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>

namespace skivo {
namespace skUtil {

void warn(const std::string& message) { std::cerr << message << std::endl; }

void warn(bool condition, const std::string& message) {
  if (!condition) warn(message);
}

void error(const std::string& message) {
  warn(message);
  std::exit(1);
}

void error(const std::string& errorStr, int line, const std::string& filename,
           const std::string& message) {
  std::cerr << "assert failed: " << errorStr << " (Line: " << line << ", file: " << filename << ")"
            << std::endl;
  error(message);
}

std::string itos(int n) {
  std::ostringstream os;
  os << n;
  return os.str();
}

std::string dtos(double x) {
  std::ostringstream os;
  os << x;
  return os.str();
}

char* shortestForm(char* first, char* last, double x) {
#ifndef __EMSCRIPTEN__
  return std::to_chars(first, last, x).ptr;
#else
  // The browser build's standard library lacks to_chars for doubles: the
  // fewest significant digits that read back to x.
  for (int digits = 1;; ++digits) {
    const int n = std::snprintf(first, static_cast<size_t>(last - first), "%.*g", digits, x);
    if (digits >= 17 || std::strtod(first, nullptr) == x) return first + n;
  }
#endif
}

std::string programFolder() {
  char path[4096];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return "";
  const std::string exe(path, static_cast<size_t>(n));
  return exe.substr(0, exe.rfind('/'));
}

}  // namespace skUtil
}  // namespace skivo
