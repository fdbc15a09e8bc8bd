// Diagnostics (warnings, fatal errors and the assertion report) and the few
// conversions and lookups every layer needs.
// A fatal diagnostic goes to the failure handler (skFailure.h), which by
// default prints its report to standard error and ends the process with exit
// status 1, so that a failure is never mistaken for a normal quit.
#pragma once

#include <string>

#include "skFailure.h"

namespace skivo {
namespace skUtil {

// Writes message and a line end to standard error, then flushes it.
void warn(const std::string& message);
// warn(message) when condition is false; nothing when it is true.
void warn(bool condition, const std::string& message);
// A fatal error: by default prints message on its own line and ends the
// process with status 1.
[[noreturn]] void error(const std::string& message);
// The assertion report: by default "assert failed: <errorStr> (Line: <line>,
// file: <filename>)", then message on its own line (empty for a plain
// skAssert); exit status 1.
[[noreturn]] void error(const std::string& errorStr, int line, const std::string& filename,
                        const std::string& message);
// Installs the handler every failure goes to from now on, in every thread,
// and returns the one before; null restores the default (print, exit 1).
skFailureHandler setFailureHandler(skFailureHandler handler);
// n in decimal, as an output string stream writes it.
std::string itos(int n);
// x as an output string stream writes it (six significant digits; "nan", "inf").
std::string dtos(double x);
// Writes the shortest text that reads back to exactly x into [first, last),
// which must hold 24 characters; returns the end of what it wrote.
char* shortestForm(char* first, char* last, double x);

// The part of a path after its last '/' (the file name without its directory).
constexpr const char* baseName(const char* path) {
  const char* name = path;
  for (const char* p = path; *p != '\0'; ++p) {
    if (*p == '/' || *p == '\\') name = p + 1;
  }
  return name;
}

}  // namespace skUtil
}  // namespace skivo

// Fatal checks, compiled into every build. The report quotes the condition
// exactly as written at the call site.
#define skAssertMsg(cond, msg)                                                             \
  do {                                                                                     \
    if (!(cond))                                                                           \
      ::skivo::skUtil::error(#cond, __LINE__, ::skivo::skUtil::baseName(__FILE__), (msg)); \
  } while (0)

#define skAssert(cond)                                                                             \
  do {                                                                                             \
    if (!(cond))                                                                                   \
      ::skivo::skUtil::error(#cond, __LINE__, ::skivo::skUtil::baseName(__FILE__), std::string()); \
  } while (0)
