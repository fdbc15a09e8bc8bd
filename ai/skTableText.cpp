#include "skTableText.h"

#include <cmath>
#include <istream>
#include <locale>
#include <ostream>
#include <sstream>

#include "skUtil.h"

namespace skivo {

bool skTableText::read(std::istream& in, const char* kind, const char* owner, unsigned int rows,
                       unsigned int columns, skRealVec& table, std::string& reason) {
  const std::locale callers = in.imbue(std::locale::classic());
  std::string why;
  std::string header, word;
  std::getline(in, header);
  std::istringstream first(header);
  unsigned long gotRows = 0, gotColumns = 0;
  first >> word >> gotRows >> gotColumns;
  skRealVec read(rows * columns);
  unsigned int count = 0;
  if (word != kind) {
    why = std::string("it is not a table of ") + owner + " (its first line is not \"" + kind + " " +
          std::to_string(rows) + " " + std::to_string(columns) + "\")";
  } else if (gotRows != rows || gotColumns != columns) {
    why = "its table is " + std::to_string(gotRows) + " x " + std::to_string(gotColumns) +
          ", not " + std::to_string(rows) + " x " + std::to_string(columns);
  } else {
    for (skReal v; count < read.size() && in >> v && std::isfinite(v);) read[count++] = v;
    if (count < read.size()) {
      why = "read " + std::to_string(count) + " of " + std::to_string(read.size()) + " values";
    } else if (in >> word) {
      why = "it holds more than " + std::to_string(read.size()) + " values";
    }
  }
  in.imbue(callers);
  if (!why.empty()) {
    reason = why;
    return false;
  }
  table = read;
  return true;
}

bool skTableText::write(std::ostream& out, const char* kind, unsigned int rows,
                        unsigned int columns, const skRealVec& table) {
  out << kind << " " << rows << " " << columns << "\n";
  char number[32];  // the longest shortest form of a double has 24 characters
  for (skReal v : table) {
    char* end = skUtil::shortestForm(number, number + sizeof number, v);
    *end = '\n';
    out.write(number, end + 1 - number);
  }
  return static_cast<bool>(out);
}

}  // namespace skivo
