#include "skUtil.h"

#include <atomic>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>

namespace skivo {

std::string skFailure::text() const {
  if (!expression) return message + "\n";
  return "assert failed: " + std::string(expression) + " (Line: " + std::to_string(line) +
         ", file: " + (file ? file : "") + ")\n" + message + "\n";
}

namespace skUtil {

namespace {

[[noreturn]] void reportAndExit(const skFailure& failure) {
  std::cerr << failure.text() << std::flush;
  std::exit(1);
}

std::atomic<skFailureHandler> handler{nullptr};

[[noreturn]] void fail(const skFailure& failure) {
  if (skFailureHandler h = handler.load()) h(failure);
  reportAndExit(failure);
}

}  // namespace

skFailureHandler setFailureHandler(skFailureHandler h) { return handler.exchange(h); }

void warn(const std::string& message) { std::cerr << message << std::endl; }

void warn(bool condition, const std::string& message) {
  if (!condition) warn(message);
}

void error(const std::string& message) {
  skFailure failure;
  failure.message = message;
  fail(failure);
}

void error(const std::string& errorStr, int line, const std::string& filename,
           const std::string& message) {
  skFailure failure;
  failure.expression = errorStr.c_str();
  failure.line = line;
  failure.file = filename.c_str();
  failure.message = message;
  fail(failure);
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

}  // namespace skUtil
}  // namespace skivo
