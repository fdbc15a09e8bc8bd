// skTableText: a learner's table as text, headed by what it is: a first line
// "<kind> <rows> <columns>", then one number per line in the shortest form
// that reads back to the same double. Shared by the learners whose files name
// their kind.
#pragma once

#include <iosfwd>
#include <string>

#include "skVec.h"

namespace skivo {

class skTableText {
 public:
  // Reads a whole table of rows x columns finite numbers headed by kind into
  // table, or nothing: false with why set (the header's kind, naming owner,
  // e.g. "the view learner", or its size; the count of numbers read; more
  // numbers than the table holds), table then as it was.
  static bool read(std::istream& in, const char* kind, const char* owner, unsigned int rows,
                   unsigned int columns, skRealVec& table, std::string& why);
  // Writes table (rows x columns values) headed by kind; whether the stream
  // took all of it.
  static bool write(std::ostream& out, const char* kind, unsigned int rows, unsigned int columns,
                    const skRealVec& table);
};

}  // namespace skivo
