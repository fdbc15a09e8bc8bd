// skArenaReport: what skivo-arena writes: the per-minute CSV file, the summary
// table and the progress bar. Files are saved through skFileSaver: a regular
// file is replaced whole or not at all, a device, pipe or standard output
// ("-") is written as a stream.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "skArena.h"

namespace skivo {

class skArenaReport {
 public:
  // Whether path may be saved to (skFileSaver::check); checked before a long
  // run. Sets error to the reason otherwise.
  static bool checkWritable(const std::string& path, std::string& error);

  // The CSV: one header line, then one row per game minute: minute, game
  // seconds, then for characters 0..2 the seconds "it", tags made and tags
  // received, then each learner's table change; with grades, the adaptive
  // opponents' grade (--adaptive); last, the tags of the minute that handed
  // the tag straight back (skArenaReturns). Numbers are in the shortest form
  // that reads back to the same double.
  static std::string csvHeader(bool grades = false);
  // Appends the rows of minutes[first], minutes[first + 1], ... to text.
  static void appendCsvRows(std::string& text, const std::vector<skArenaMinute>& minutes,
                            std::size_t first, bool grades = false);

  // The stretches without a tag: a header line, then one row each: its start
  // and length in game seconds, who was "it", its main class, then the
  // seconds spent in each class (skArenaStalls).
  static std::string stallsCsv(const std::vector<skArenaStall>& stalls);

  // The summary table of a finished run; wallSeconds is the time the steps took.
  static void printSummary(std::ostream& os, const skArenaOptions& options, skArena& arena,
                           double wallSeconds);

  // Draws the bar on standard error (call only when it is a terminal).
  static void drawProgress(long long done, long long total, void* context);
};

}  // namespace skivo
