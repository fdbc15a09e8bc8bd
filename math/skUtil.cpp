#include "skUtil.h"

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

}  // namespace skUtil
}  // namespace skivo
