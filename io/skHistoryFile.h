// skHistoryFile: the record of the games a person played, a line a game:
//
//   skivo-history 1
//   2026-12-08T12:34:56Z full adaptive plain 312.4 46.1 7
//
// (the date in UTC, the game, the opponents, the edges, the game seconds
// played, the player's share of the time "it" in %, the tags the player
// made). Appends are whole lines or nothing: a line is written by one call,
// a failed or short write is cut off again, and a line torn by a machine
// that stopped mid-write is closed before the next one, so that a killed
// game loses at most its own line. A file whose first line is not ours, or
// that is not a regular file, is refused and left alone. Readers skip lines
// they cannot read (counted), never fail on them.
#pragma once

#include <string>
#include <vector>

namespace skivo {

struct skGameRecord {
  std::string date;       // "YYYY-MM-DDTHH:MM:SSZ"
  std::string game;       // "full" or "classic"
  std::string opponents;  // a word, e.g. "adaptive"
  std::string edges;      // "plain" or "seamless"
  double seconds = 0;     // game seconds played, at least 0
  double share = 0;       // % of them the player was "it", 0 to 100
  int tags = 0;           // tags the player made, at least 0
};

class skHistoryFile {
 public:
  static constexpr const char* header = "skivo-history 1";

  // The record's line, without its newline. Words are cut at the first space.
  static std::string line(const skGameRecord& record);
  // Reads one line (without its newline); false when it is not a record.
  static bool parseLine(const std::string& line, skGameRecord& record);
  // Reads a history's text: false with the reason when it is not ours;
  // otherwise every readable record in order, and how many lines were not.
  static bool parse(const std::string& text, std::vector<skGameRecord>& records, int& skipped,
                    std::string& error);

  // Reads the file at path as parse does; a missing file is an empty history.
  static bool read(const std::string& path, std::vector<skGameRecord>& records, int& skipped,
                   std::string& error);
  // Appends record to the history at path, making the file (and its folder)
  // when missing. False with the reason, the file then as it was.
  static bool append(const std::string& path, const skGameRecord& record, std::string& error);

  // The current time as a record's date.
  static std::string now();
};

}  // namespace skivo
