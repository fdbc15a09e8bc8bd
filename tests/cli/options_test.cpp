// The kinds of option value every program shares, and the help written from
// the same tables: what each grammar takes and refuses, what a refusal says,
// and that --help names every option, within 80 columns, with the figures of
// the code.
#include <gtest/gtest.h>

#include <climits>
#include <sstream>

#include "skArenaOptions.h"
#include "skControllerRL.h"
#include "skControllerRLView.h"
#include "skGameOptions.h"
#include "skOptionValue.h"
#include "skPanelOptions.h"

using namespace skivo;

TEST(OptionValue, AWholeNumberIsDecimalDigitsWithAnOptionalSignAndNothingElse) {
  const std::pair<const char*, long long> taken[] = {
      {"5", 5}, {"+5", 5}, {"007", 7}, {"-12", -12}, {"0", 0}, {"9223372036854775807", LLONG_MAX}};
  for (const auto& t : taken) {
    long long v = 0;
    EXPECT_TRUE(skOptionValue::readWhole(t.first, v)) << t.first;
    EXPECT_EQ(v, t.second) << t.first;
  }
  for (const char* text : {"", "+", "-", " 5", "5 ", "0x10", "5k", "1e3", "1.0", "++5", "5-"}) {
    long long v = 0;
    EXPECT_FALSE(skOptionValue::readWhole(text, v)) << "'" << text << "'";
  }
  // Beyond any integer: still a whole number, so that it reads as out of range.
  long long big = 0, small = 0;
  EXPECT_TRUE(skOptionValue::readWhole("99999999999999999999", big));
  EXPECT_TRUE(skOptionValue::readWhole("-99999999999999999999", small));
  EXPECT_EQ(big, LLONG_MAX);
  EXPECT_EQ(small, LLONG_MIN);
}

TEST(OptionValue, ANumberIsPlainDecimalNotationWithinADouble) {
  const std::pair<const char*, double> taken[] = {{"0.5", 0.5},   {".5", 0.5},      {"5.", 5},
                                                  {"+1e3", 1000}, {"-2E-2", -0.02}, {"1e-400", 0}};
  for (const auto& t : taken) {
    double v = -1;
    EXPECT_TRUE(skOptionValue::readNumber(t.first, v)) << t.first;
    EXPECT_DOUBLE_EQ(v, t.second) << t.first;
  }
  for (const char* text : {"", ".", "nan", "inf", "-inf", "0x1p3", "1,5", " 1", "1 ", "1e", "1e+",
                           "1.2.3", "1e999", "e5", "--1"}) {
    double v = 0;
    EXPECT_FALSE(skOptionValue::readNumber(text, v)) << "'" << text << "'";
  }
  double low = 0, high = 0;
  EXPECT_TRUE(skOptionValue::readBand("25,75.5", low, high));
  EXPECT_DOUBLE_EQ(low, 0.25);
  EXPECT_DOUBLE_EQ(high, 0.755);
  for (const char* text : {"60,40", "-1,5", "5,101", "5", "5,", ",5", "5;6", "5,6,7"}) {
    EXPECT_FALSE(skOptionValue::readBand(text, low, high)) << text;
  }
}

// Every refusal names the option and the value as given, whichever program.
TEST(OptionValue, EveryRefusalNamesTheOptionAndTheValueInOneFormAcrossPrograms) {
  const struct {
    std::vector<std::string> args;
    const char* message;
  } arena[] = {{{"--step-ms", "0x10"}, "--step-ms: '0x10' is not a whole number"},
               {{"--step-ms", "+16"}, ""},
               {{"--step-ms", "99999999999999999999"},
                "--step-ms: '99999999999999999999' is out of range (from 1 to 60000)"},
               {{"--minutes", "0"}, "--minutes: '0' is out of range (above 0, at most 30000)"},
               {{"--alpha", "1,5"}, "--alpha: '1,5' is not a number"},
               {{"--player", "ghost"}, "--player: 'ghost' is not chaser, shortest, wander, still"},
               {{"--band", "60,40"}, "--band: '60,40' is not a band LOW,HIGH"},
               {{"--csv="}, "option --csv needs a file name"}};
  for (const auto& c : arena) {
    skArenaOptions o;
    std::string error;
    EXPECT_EQ(o.parse(c.args, error), *c.message == '\0') << c.args[0];
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
  }
  const struct {
    std::vector<std::string> args;
    const char* message;
  } panel[] = {{{"--seeds", " 5"}, "--seeds: ' 5' is not a whole number"},
               {{"--minutes", "0x10"}, "--minutes: '0x10' is not a number"},
               {{"--jobs", "0"}, "--jobs: '0' is out of range (from 1 to 256)"},
               {{"--windows", "5,2"}, "--windows: the ends must grow"},
               {{"--rules", "half"}, "--rules: 'half' is not full, classic or both"},
               {{"--players", "still,ghost"}, "--players: 'ghost' is not chaser"}};
  for (const auto& c : panel) {
    skPanelOptions o;
    std::string error;
    EXPECT_FALSE(o.parse(c.args, error)) << c.args[0];
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
  }
  skGameOptions game;
  std::string error;
  std::vector<std::string> args = {"skivo", "--fps", "+30"};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(&a[0]);
  ASSERT_TRUE(game.parse(3, argv.data(), error)) << error;
  EXPECT_EQ(game.fps, 30);
  args[2] = " 30";
  argv = {&args[0][0], &args[1][0], &args[2][0]};
  EXPECT_FALSE(game.parse(3, argv.data(), error));
  EXPECT_EQ(error, "--fps: ' 30' is not a whole number, nor display");
}

namespace {

struct Program {
  const char* name;
  std::string usage;
  std::vector<skCommandLine::Option> table;
};

std::vector<Program> programs() {
  static skArenaOptions arena;
  static skGameOptions game;
  static skPanelOptions panel;
  return {{"skivo-arena", skArenaOptions::usage(), arena.table()},
          {"skivo", skGameOptions::usage("skivo"), game.table()},
          {"skivo-panel", skPanelOptions::usage(), panel.table()}};
}

}  // namespace

// Each option starts a line of its own (a paragraph that ran into the next
// option would hide it), and no line is wider than a terminal.
TEST(Help, EveryProgramsHelpStartsALineForEachOptionWithin80Columns) {
  for (const Program& p : programs()) {
    std::vector<std::string> lines;
    std::istringstream in(p.usage);
    for (std::string line; std::getline(in, line);) {
      EXPECT_LE(line.size(), 80u) << p.name << ": " << line;
      // The help's words are single-spaced: after words, two spaces and "--"
      // are an option run into a paragraph.
      const std::size_t dashes = line.find("  --", 1);
      EXPECT_TRUE(dashes == std::string::npos || dashes < line.find_first_not_of(' '))
          << p.name << ": run-on line: " << line;
      lines.push_back(line);
    }
    EXPECT_EQ(p.usage.find(std::string("usage: ") + p.name + " "), 0u);
    for (const skCommandLine::Option& o : p.table) {
      const std::string head = std::string(o.letter ? std::string("  -") + o.letter + ", " : "  ") +
                               "--" + o.name + (o.value.empty() ? "" : " " + o.value);
      int starts = 0;
      for (const std::string& line : lines) {
        starts += line.compare(0, head.size(), head) == 0 &&
                  (line.size() == head.size() || line[head.size()] == ' ');
      }
      EXPECT_EQ(starts, 1) << p.name << " --" << o.name;
      EXPECT_FALSE(o.help.empty()) << p.name << " --" << o.name;
    }
  }
}

// The sizes and grades the help quotes are the code's, not copies of them.
TEST(Help, TheFiguresItQuotesComeFromTheCode) {
  // The text as one line: a figure may fall at a line's end.
  const auto flat = [](const std::string& text) {
    std::string one;
    for (char c : text) {
      if ((c == ' ' || c == '\n') && !one.empty() && one.back() == ' ') continue;
      one += c == '\n' ? ' ' : c;
    }
    return one;
  };
  const std::string arena = flat(skArenaOptions::usage()),
                    game = flat(skGameOptions::usage("skivo"));
  const std::string view = std::to_string(skControllerRLView::stateCount) + " situations";
  const std::string table =
      std::to_string(skControllerRL::stateCount * skControllerRL::moveCount) + " numbers";
  EXPECT_NE(arena.find(view), std::string::npos);
  EXPECT_NE(arena.find(std::to_string(skControllerRLView::moveCount) + " moves"),
            std::string::npos);
  EXPECT_NE(arena.find(table), std::string::npos);
  EXPECT_NE(game.find(table), std::string::npos);
  EXPECT_NE(arena.find("from 0 to " + std::to_string(skAdaptiveOpponents::gradeCount - 1) +
                       "; default " + std::to_string(skAdaptiveOpponents::startGrade)),
            std::string::npos);
  EXPECT_NE(arena.find("from 1 to " + std::to_string(skArenaOptions::maxStepMs)),
            std::string::npos);
  // The defaults shown are those a program starts from.
  EXPECT_NE(arena.find("default " + skOptionValue::shown(skLearningSettings().alpha) + ")"),
            std::string::npos);
}

TEST(Help, WrappingKeepsEveryWordAndBreaksOnlyAtSpaces) {
  const std::string text = "one two three four five six seven eight nine ten";
  const std::string wrapped = skCommandLine::wrap(text, 4, 20);
  EXPECT_EQ(wrapped, "one two three\n    four five six\n    seven eight nine\n    ten\n");
  EXPECT_EQ(skCommandLine::wrap("", 2, 10), "\n");
}
