// skCommandLine: the one way skivo's programs read their options: a table of
// options over getopt_long. Options are "--name value", "--name=value" or, for
// those with one, a letter ("-h"); an unambiguous start of a long name is
// taken for the name, as getopt_long does. Parsing never prints and never
// exits: it returns false with a message, so that each program reports bad
// input once, clearly, with its own exit status.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace skivo {

class skCommandLine {
 public:
  struct Option {
    // The long name, without "--".
    const char* name;
    // The short letter, or 0.
    char letter;
    // Whether the option takes a value.
    bool hasValue;
    // Takes the value ("" for an option without one); false with error set,
    // naming the option and what is wrong, refuses it. It must not parse
    // another command line: getopt_long keeps its place in globals.
    std::function<bool(const std::string& value, std::string& error)> take;
    // For the help: the value's name ("N", "FILE"; empty for a flag), what
    // the option does (with its range and default, where it has them), and
    // the words it takes with their meanings (an empty meaning: an alias,
    // accepted and not shown).
    std::string value;
    std::string help;
    std::vector<std::pair<std::string, std::string>> words;
  };

  // Parses argv[1..argc-1] by table, in order. False with error set on the
  // first unknown option ("unknown option '--x' (see --help)"), missing value
  // ("option --x needs a value"), value given to an option without one
  // ("option --x takes no value"), argument that is no option ("unexpected
  // argument 'x' (see --help)"), or value refused by its option.
  static bool parse(int argc, char** argv, const std::vector<Option>& table, std::string& error);
  // The same for arguments without the program's name.
  static bool parse(const std::vector<std::string>& args, const std::vector<Option>& table,
                    std::string& error);
  // The options of table for --help, one paragraph each in table order:
  // "  --name VALUE" (with "-h, " before a letter), the help from column
  // (on the next line when the names reach it), each shown word below it,
  // every line at most width columns.
  static std::string help(const std::vector<Option>& table, int column = 24, int width = 80);
  // text broken into lines of at most width columns, each line after the
  // first indented by indent spaces (the first is the caller's to place).
  static std::string wrap(const std::string& text, int indent, int width);
};

}  // namespace skivo
