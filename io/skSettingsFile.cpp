#include "skSettingsFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "skFileSaver.h"
#include "skUserFolder.h"

namespace skivo {

std::string skSettingsFile::text(const skSettings& s) {
  return std::string(header) + "\ngame " + s.game + "\nopponents " + s.opponents + "\nedges " +
         (s.seamless ? "seamless" : "plain") + "\nplayers " + std::to_string(s.players) + "\n";
}

bool skSettingsFile::parse(const std::string& text, skSettings& settings, std::string& error) {
  settings = skSettings();
  if (text.size() > maxBytes) {
    error = "longer than " + std::to_string(maxBytes) + " bytes";
    return false;
  }
  std::istringstream in(text);
  std::string line;
  if (!std::getline(in, line) || line != header) {
    error = "not a settings file of skivo (its first line is not \"" + std::string(header) + "\")";
    return false;
  }
  skSettings read;
  bool seen[4] = {false, false, false, false};
  for (int number = 2; std::getline(in, line); ++number) {
    if (line.empty()) continue;
    const std::size_t space = line.find(' ');
    const std::string key = line.substr(0, space);
    const std::string value = space == std::string::npos ? "" : line.substr(space + 1);
    const auto bad = [&](const std::string& why) {
      error = "line " + std::to_string(number) + ": " + why;
      return false;
    };
    int k = -1;
    if (key == "game" && (value == "full" || value == "classic")) {
      k = 0;
      read.game = value;
    } else if (key == "opponents" &&
               (value == "easy" || value == "adaptive" || value == "learning")) {
      k = 1;
      read.opponents = value;
    } else if (key == "edges" && (value == "plain" || value == "seamless")) {
      k = 2;
      read.seamless = value == "seamless";
    } else if (key == "players" && (value == "1" || value == "2")) {
      k = 3;
      read.players = value[0] - '0';
    } else {
      return bad("unknown setting \"" + line.substr(0, 40) + "\"");
    }
    if (seen[k]) return bad(key + " given twice");
    seen[k] = true;
  }
  settings = read;
  return true;
}

bool skSettingsFile::load(const std::string& path, skSettings& settings, std::string& error) {
  settings = skSettings();
  std::error_code failed;
  if (!std::filesystem::exists(path, failed) && !failed) return true;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = std::strerror(errno);
    return false;
  }
  // One byte more than allowed tells a file that is too long.
  std::string text(maxBytes + 1, '\0');
  in.read(&text[0], static_cast<std::streamsize>(text.size()));
  if (in.bad()) {
    error = "cannot be read";
    return false;
  }
  text.resize(static_cast<std::size_t>(in.gcount()));
  return parse(text, settings, error);
}

bool skSettingsFile::save(const std::string& path, const skSettings& settings, std::string& error) {
  const std::string folder = std::filesystem::path(path).parent_path().string();
  if (!folder.empty() && !skUtil::makeFolder(folder, error)) return false;
  return skFileSaver::save(path, text(settings), error);
}

}  // namespace skivo
