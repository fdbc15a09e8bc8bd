// skSettingsFile: the choices of the games' start screen, kept from one run
// to the next in a small text file:
//
//   skivo-settings 1
//   game full            (full or classic)
//   opponents adaptive   (easy, adaptive or learning)
//   edges plain          (plain or seamless)
//   players 1            (1 or 2)
//
// Lines may come in any order and any may be missing (its default stays).
// Anything else (another first line, an unknown key or value, a key twice, a
// file over 4 KiB) makes the whole file bad: it is reported and the defaults
// are used, never fatal. Saved whole or not at all (skFileSaver).
#pragma once

#include <string>

namespace skivo {

struct skSettings {
  std::string game = "full";
  std::string opponents = "adaptive";
  bool seamless = false;
  int players = 1;
  bool operator==(const skSettings& o) const {
    return game == o.game && opponents == o.opponents && seamless == o.seamless &&
           players == o.players;
  }
};

class skSettingsFile {
 public:
  static constexpr const char* header = "skivo-settings 1";
  static constexpr std::size_t maxBytes = 4096;

  // The file's text for settings.
  static std::string text(const skSettings& settings);
  // Reads text into settings; false with the reason (naming the line) when
  // it is bad, settings then left at their defaults.
  static bool parse(const std::string& text, skSettings& settings, std::string& error);
  // Reads the file at path; a missing file is no error (the defaults).
  static bool load(const std::string& path, skSettings& settings, std::string& error);
  // Saves settings to path, making its folder first.
  static bool save(const std::string& path, const skSettings& settings, std::string& error);
};

}  // namespace skivo
