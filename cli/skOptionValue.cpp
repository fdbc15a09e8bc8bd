#include "skOptionValue.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace skivo {

namespace {

std::string dashed(const char* name) { return std::string("--") + name; }

bool digit(char c) { return c >= '0' && c <= '9'; }

// The help with what the value may be and its default, in parentheses.
std::string withRange(std::string help, const std::string& range, const std::string& byDefault) {
  return help + (help.empty() ? "(" : " (") + range +
         (byDefault.empty() ? "" : "; default " + byDefault) + ")";
}

}  // namespace

bool skOptionValue::readWhole(const std::string& text, long long& out) {
  std::size_t i = text.empty() || (text[0] != '+' && text[0] != '-') ? 0 : 1;
  if (i == text.size()) return false;
  const bool negative = text[0] == '-';
  unsigned long long v = 0;
  const unsigned long long limit = negative ? 0ULL + LLONG_MAX + 1 : LLONG_MAX;
  for (; i < text.size(); ++i) {
    if (!digit(text[i])) return false;
    const unsigned long long d = static_cast<unsigned long long>(text[i] - '0');
    v = v > (limit - d) / 10 ? limit : v * 10 + d;
  }
  out =
      negative ? (v == limit ? LLONG_MIN : -static_cast<long long>(v)) : static_cast<long long>(v);
  return true;
}

bool skOptionValue::readNumber(const std::string& text, double& out) {
  std::size_t i = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
  int digits = 0, points = 0;
  for (; i < text.size() && (digit(text[i]) || text[i] == '.'); ++i) {
    text[i] == '.' ? ++points : ++digits;
  }
  if (digits == 0 || points > 1) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    i += i + 1 < text.size() && (text[i + 1] == '+' || text[i + 1] == '-') ? 2 : 1;
    const std::size_t start = i;
    while (i < text.size() && digit(text[i])) ++i;
    if (i == start) return false;
  }
  if (i != text.size()) return false;
  errno = 0;
  const double v = std::strtod(text.c_str(), nullptr);
  // Beyond double (an underflow to 0 or a denormal is a number still).
  if (!std::isfinite(v) || (errno == ERANGE && std::fabs(v) > 1)) return false;
  out = v;
  return true;
}

bool skOptionValue::readBand(const std::string& text, double& low, double& high) {
  const std::size_t comma = text.find(',');
  double l = 0, h = 0;
  if (comma == std::string::npos || !readNumber(text.substr(0, comma), l) ||
      !readNumber(text.substr(comma + 1), h) || !(l >= 0 && l <= h && h <= 100)) {
    return false;
  }
  low = l / 100;
  high = h / 100;
  return true;
}

std::string skOptionValue::shown(double x) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", x);
  return text;
}

std::string skOptionValue::rangeText(Range range) {
  if (range.lowOpen) return "above " + shown(range.low) + ", at most " + shown(range.high);
  return "from " + shown(range.low) + " to " + shown(range.high);
}

std::string skOptionValue::listed(const std::vector<Word>& words) {
  std::vector<std::string> shownWords;
  for (const Word& w : words) {
    if (!w.second.empty()) shownWords.push_back(w.first);
  }
  if (shownWords.empty()) {
    for (const Word& w : words) shownWords.push_back(w.first);
  }
  std::string text;
  for (std::size_t i = 0; i < shownWords.size(); ++i) {
    text += (i == 0 ? "" : i + 1 == shownWords.size() ? " or " : ", ") + shownWords[i];
  }
  return text;
}

skOptionValue::Option skOptionValue::flag(const char* name, std::string help, bool& target,
                                          char letter) {
  Option o = flag(name, std::move(help), [&target] { target = true; });
  o.letter = letter;
  return o;
}

skOptionValue::Option skOptionValue::flag(const char* name, std::string help,
                                          std::function<void()> set) {
  return {name,
          0,
          false,
          [set](const std::string&, std::string&) {
            set();
            return true;
          },
          "",
          std::move(help),
          {}};
}

skOptionValue::Option skOptionValue::whole(const char* name, const char* value, std::string help,
                                           long long low, long long high,
                                           std::function<bool(long long, std::string&)> set,
                                           std::vector<Word> words, std::string byDefault) {
  std::string range = "from " + std::to_string(low) + " to " + std::to_string(high);
  const std::string others = listed(words);
  if (!others.empty()) range += ", or " + others;
  Option o{name, 0, true, nullptr, value, withRange(std::move(help), range, byDefault), words};
  o.take = [=](const std::string& text, std::string& error) {
    for (std::size_t i = 0; i < words.size(); ++i) {
      if (text == words[i].first) return set(low - 1 - static_cast<long long>(i), error);
    }
    long long v = 0;
    if (!readWhole(text, v)) {
      error = dashed(name) + ": '" + text + "' is not a whole number" +
              (others.empty() ? "" : ", nor " + others);
      return false;
    }
    if (v < low || v > high) {
      error = dashed(name) + ": '" + text + "' is out of range (" + range + ")";
      return false;
    }
    return set(v, error);
  };
  return o;
}

skOptionValue::Option skOptionValue::whole(const char* name, const char* value, std::string help,
                                           long long low, long long high, int& target) {
  return whole(
      name, value, std::move(help), low, high,
      [&target](long long v, std::string&) {
        target = static_cast<int>(v);
        return true;
      },
      {}, std::to_string(target));
}

skOptionValue::Option skOptionValue::number(const char* name, const char* value, std::string help,
                                            Range range,
                                            std::function<bool(double, std::string&)> set,
                                            std::string byDefault) {
  const std::string limits = rangeText(range);
  Option o{name, 0, true, nullptr, value, withRange(std::move(help), limits, byDefault), {}};
  o.take = [=](const std::string& text, std::string& error) {
    double v = 0;
    if (!readNumber(text, v)) {
      error = dashed(name) + ": '" + text + "' is not a number";
      return false;
    }
    if (!((range.lowOpen ? v > range.low : v >= range.low) && v <= range.high)) {
      error = dashed(name) + ": '" + text + "' is out of range (" + limits + ")";
      return false;
    }
    return set(v, error);
  };
  return o;
}

skOptionValue::Option skOptionValue::number(const char* name, const char* value, std::string help,
                                            Range range, double& target) {
  return number(
      name, value, std::move(help), range,
      [&target](double v, std::string&) {
        target = v;
        return true;
      },
      shown(target));
}

skOptionValue::Option skOptionValue::share(const char* name, const char* value, std::string help,
                                           double& target) {
  return number(name, value, std::move(help), {0, 1, false}, target);
}

skOptionValue::Option skOptionValue::band(const char* name, const char* value, std::string help,
                                          std::function<void(double, double)> set) {
  Option o{name, 0, true, nullptr, value, std::move(help), {}};
  o.take = [=](const std::string& text, std::string& error) {
    double low = 0, high = 0;
    if (!readBand(text, low, high)) {
      error = dashed(name) + ": '" + text +
              "' is not a band LOW,HIGH of percents (0 <= LOW <= HIGH <= 100)";
      return false;
    }
    set(low, high);
    return true;
  };
  return o;
}

skOptionValue::Option skOptionValue::file(const char* name, const char* value, std::string help,
                                          std::function<void(const std::string&)> set) {
  const std::string what = std::string(value) == "DIR" ? "folder" : "file";
  Option o{name, 0, true, nullptr, value, std::move(help), {}};
  o.take = [=](const std::string& text, std::string& error) {
    if (text.empty()) {
      error = "option " + dashed(name) + " needs a " + what + " name";
      return false;
    }
    set(text);
    return true;
  };
  return o;
}

skOptionValue::Option skOptionValue::file(const char* name, const char* value, std::string help,
                                          std::string& target) {
  return file(name, value, std::move(help), [&target](const std::string& v) { target = v; });
}

skOptionValue::Option skOptionValue::choice(
    const char* name, const char* value, std::string help, std::vector<Word> words,
    std::function<bool(const std::string&, std::string&)> set) {
  Option o{name, 0, true, nullptr, value, std::move(help), words};
  o.take = [=](const std::string& text, std::string& error) {
    for (const Word& w : words) {
      if (text == w.first) return set(w.first, error);
    }
    error = dashed(name) + ": '" + text + "' is not " + listed(words);
    return false;
  };
  return o;
}

skOptionValue::Option skOptionValue::text(
    const char* name, const char* value, std::string help, std::vector<Word> words,
    std::function<bool(const std::string&, std::string&)> take) {
  return {name, 0, true, std::move(take), value, std::move(help), std::move(words)};
}

}  // namespace skivo
