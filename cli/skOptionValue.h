// skOptionValue: the kinds of value skivo's programs take, each with one
// grammar, one form of message and its own line of help, so that every
// program reads "5", "0.1" or a file name alike and its --help cannot drift
// from what it accepts.
//
// Grammars (no spaces anywhere, nothing after the value):
//   whole number  an optional sign, then decimal digits: "5", "+5", "007";
//                 not " 5", "0x10", "5k"; beyond the range (even beyond any
//                 integer) is "out of range".
//   number        an optional sign, decimal digits with at most one point and
//                 at least one digit, an optional exponent ("e-3"): "0.5",
//                 ".5", "1e3"; not "nan", "inf", "0x1p3", "1,5".
//   share         a number from 0 to 1 (0.25 is a quarter).
//   band          two numbers LOW,HIGH, percents, 0 <= LOW <= HIGH <= 100.
//   file, folder  any name but the empty one.
//   word          one of a list, as written (case matters).
// Messages: "--NAME: 'VALUE' is not a whole number", "--NAME: 'VALUE' is out
// of range (from 1 to 60000)", "--NAME: 'VALUE' is not a, b or c", "option
// --NAME needs a file name".
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "skCommandLine.h"

namespace skivo {

class skOptionValue {
 public:
  using Option = skCommandLine::Option;
  // A word of a choice and its meaning for the help; an alias (accepted,
  // not shown) has an empty meaning.
  using Word = std::pair<std::string, std::string>;

  // The grammars alone. readWhole saturates a value beyond long long (so
  // that it reads as out of range); readNumber refuses one beyond double.
  static bool readWhole(const std::string& text, long long& out);
  static bool readNumber(const std::string& text, double& out);
  // "LOW,HIGH" in percents, as shares (0 to 1).
  static bool readBand(const std::string& text, double& low, double& high);

  // A flag: sets target to true (or calls set).
  static Option flag(const char* name, std::string help, bool& target, char letter = 0);
  static Option flag(const char* name, std::string help, std::function<void()> set);

  // A whole number from low to high; the help gains the range and the
  // default (for a target, its value now). words are other values the
  // option takes (fps: "display"); set gets the number or, for a word,
  // low - 1 - its index.
  static Option whole(const char* name, const char* value, std::string help, long long low,
                      long long high, std::function<bool(long long, std::string&)> set,
                      std::vector<Word> words = {}, std::string byDefault = "");
  static Option whole(const char* name, const char* value, std::string help, long long low,
                      long long high, int& target);
  // A number from low to high (above low when lowOpen).
  struct Range {
    double low, high;
    bool lowOpen;
  };
  static Option number(const char* name, const char* value, std::string help, Range range,
                       std::function<bool(double, std::string&)> set, std::string byDefault = "");
  static Option number(const char* name, const char* value, std::string help, Range range,
                       double& target);
  // A share (0 to 1) for target, shown as its default.
  static Option share(const char* name, const char* value, std::string help, double& target);
  // LOW,HIGH percents, as shares.
  static Option band(const char* name, const char* value, std::string help,
                     std::function<void(double, double)> set);
  // A file (value "FILE", "F") or, with value "DIR", a folder: any name but "".
  static Option file(const char* name, const char* value, std::string help,
                     std::function<void(const std::string&)> set);
  static Option file(const char* name, const char* value, std::string help, std::string& target);
  // One of words; set gets the word as listed (an alias too).
  static Option choice(const char* name, const char* value, std::string help,
                       std::vector<Word> words,
                       std::function<bool(const std::string&, std::string&)> set);
  // A value of a vocabulary of its own, read by take (which names the
  // option and the value when it refuses one); words are shown in the help.
  static Option text(const char* name, const char* value, std::string help, std::vector<Word> words,
                     std::function<bool(const std::string&, std::string&)> take);
  // "a, b or c" of the words shown (aliases left out; all when none is shown).
  static std::string listed(const std::vector<Word>& words);
  // "from 1 to 60000", "above 0, at most 30000".
  static std::string rangeText(Range range);
  // A number as the help shows it ("0.1", "30000").
  static std::string shown(double x);
};

}  // namespace skivo
