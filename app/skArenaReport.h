// skArenaReport: what skivo-arena writes: the per-minute CSV file, the summary
// table and the progress bar. Files are written to a temporary file beside the
// target and renamed over it only when complete, so a failure never leaves a
// half-written file or loses the previous one.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "skArena.h"

namespace skivo {

class skArenaReport {
 public:
  // Whether a file can be created at path (its directory exists and is
  // writable, and path is not a directory); checked before a long run.
  static bool checkWritable(const std::string& path, std::string& error);

  // One header line, then one row per game minute: minute, game seconds, then
  // for characters 0..2 the seconds "it", tags made and tags received, then
  // each learner's table change. False with a message when it cannot be written.
  static bool writeCsv(const std::string& path, const std::vector<skArenaMinute>& minutes,
                       std::string& error);

  // The summary table of a finished run; wallSeconds is the time the steps took.
  static void printSummary(std::ostream& os, const skArenaOptions& options, skArena& arena,
                           double wallSeconds);

  // Draws the bar on standard error (call only when it is a terminal).
  static void drawProgress(long long done, long long total, void* context);
};

}  // namespace skivo
