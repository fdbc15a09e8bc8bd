#include "skCommandLine.h"

#include <getopt.h>

#include <algorithm>

namespace skivo {

namespace {

// Values of the long options: past every letter.
const int firstIndex = 256;

const skCommandLine::Option* named(const std::vector<skCommandLine::Option>& table,
                                   const std::string& name) {
  for (const skCommandLine::Option& o : table) {
    if (name == std::string("--") + o.name) return &o;
  }
  return nullptr;
}

}  // namespace

bool skCommandLine::parse(int argc, char** argv, const std::vector<Option>& table,
                          std::string& error) {
  std::vector<option> longOptions;
  std::string letters = ":";  // a missing value is told apart from an unknown option
  for (std::size_t i = 0; i < table.size(); ++i) {
    const Option& o = table[i];
    const int has = o.hasValue ? required_argument : no_argument;
    longOptions.push_back({o.name, has, nullptr, firstIndex + static_cast<int>(i)});
    if (o.letter) letters += std::string(1, o.letter) + (o.hasValue ? ":" : "");
  }
  longOptions.push_back({nullptr, 0, nullptr, 0});
  opterr = 0;  // our own messages
  optind = 0;  // a fresh start, also after a parse that stopped half-way
  for (;;) {
    const int c = getopt_long(argc, argv, letters.c_str(), longOptions.data(), nullptr);
    if (c == -1) break;
    // The long option's text as given, up to any '='.
    const std::string given = optind > 0 && optind <= argc ? argv[optind - 1] : "";
    const std::string name = given.substr(0, given.find('='));
    if (c == ':') {
      error = "option " + name + " needs a value";
      return false;
    }
    if (c == '?') {
      const Option* o = given.compare(0, 2, "--") == 0 ? named(table, name) : nullptr;
      if (o && !o->hasValue && given.find('=') != std::string::npos) {
        error = "option " + name + " takes no value";
      } else if (given.compare(0, 2, "--") == 0) {
        error = "unknown option '" + name + "' (see --help)";
      } else {
        error = "unknown option '-" + std::string(1, static_cast<char>(optopt)) + "' (see --help)";
      }
      return false;
    }
    const Option* o = nullptr;
    if (c >= firstIndex) {
      o = &table[static_cast<std::size_t>(c - firstIndex)];
    } else {
      for (const Option& each : table) o = each.letter == c ? &each : o;
    }
    if (o && !o->take(optarg ? optarg : "", error)) return false;
  }
  if (optind < argc) {
    error = "unexpected argument '" + std::string(argv[optind]) + "' (see --help)";
    return false;
  }
  return true;
}

bool skCommandLine::parse(const std::vector<std::string>& args, const std::vector<Option>& table,
                          std::string& error) {
  std::vector<std::string> copies(1, "program");
  copies.insert(copies.end(), args.begin(), args.end());
  std::vector<char*> argv;
  argv.reserve(copies.size() + 1);
  for (std::string& a : copies) argv.push_back(&a[0]);
  argv.push_back(nullptr);
  return parse(static_cast<int>(copies.size()), argv.data(), table, error);
}

std::string skCommandLine::wrap(const std::string& text, int indent, int width) {
  std::string out, line;
  const std::size_t room = static_cast<std::size_t>(width - indent);
  std::size_t start = 0;
  for (;;) {
    const std::size_t space = text.find(' ', start);
    const std::string word = text.substr(start, space == std::string::npos ? space : space - start);
    if (!word.empty()) {
      if (!line.empty() && line.size() + 1 + word.size() > room) {
        out += line + "\n" + std::string(static_cast<std::size_t>(indent), ' ');
        line.clear();
      }
      line += (line.empty() ? "" : " ") + word;
    }
    if (space == std::string::npos) break;
    start = space + 1;
  }
  return out + line + "\n";
}

std::string skCommandLine::help(const std::vector<Option>& table, int column, int width) {
  const std::size_t at = static_cast<std::size_t>(column);
  std::string out;
  for (const Option& o : table) {
    std::string head = "  ";
    if (o.letter) head += std::string("-") + o.letter + ", ";
    head += std::string("--") + o.name + (o.value.empty() ? "" : " " + o.value);
    out += head.size() + 1 < at ? head + std::string(at - head.size(), ' ')
                                : head + "\n" + std::string(at, ' ');
    out += wrap(o.help, column, width);
    std::size_t longest = 0;
    for (const auto& w : o.words)
      longest = w.second.empty() ? longest : std::max(longest, w.first.size());
    for (const auto& w : o.words) {
      if (w.second.empty()) continue;
      const std::string word = std::string(at + 2, ' ') + w.first;
      const std::size_t to = at + 4 + longest;
      out +=
          word + std::string(to - word.size(), ' ') + wrap(w.second, static_cast<int>(to), width);
    }
  }
  return out;
}

}  // namespace skivo
