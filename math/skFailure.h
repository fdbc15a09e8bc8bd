// skFailure: what a failed check (skAssert, skAssertMsg) or a fatal error
// (skUtil::error) reports, handed to the failure handler. By default the
// handler prints the report to standard error and ends the process with
// status 1; a program that must outlive a broken controller (a training run
// trying many) installs its own with skUtil::setFailureHandler, which may
// throw. What failed is then left as it was at the check: a world whose step
// failed may be half-stepped, but it can still be destroyed.
#pragma once

#include <string>

namespace skivo {

struct skFailure {
  // The condition as written at the check; null for a fatal error.
  const char* expression = nullptr;
  // Where the check stands (the file without its folder); 0 and null for a
  // fatal error.
  int line = 0;
  const char* file = nullptr;
  // The message line (empty for a plain skAssert).
  std::string message;

  // The report as the default handler prints it: for a check, "assert
  // failed: <expression> (Line: <line>, file: <file>)" and a line end, then
  // the message and a line end; for a fatal error the message and a line end.
  std::string text() const;
};

// A failure handler. It may print, throw or end the process; if it returns,
// the default handler follows (report, exit status 1), as a failed check
// must not go on.
typedef void (*skFailureHandler)(const skFailure& failure);

}  // namespace skivo
