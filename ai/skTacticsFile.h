// skTacticsFile: a learner's table loaded whole from a file or not at all,
// and saved with the reason of a failure, for programs that keep learners in
// files a user names (the arena, the games). Unlike
// skControllerRL::load_tactics, which takes what it can, a file that is not
// exactly one table is refused with the reason.
#pragma once

#include <string>

namespace skivo {

class skControllerRL;
class skControllerRLView;
class skControllerSkillLearner;

class skTacticsFile {
 public:
  // Whether file is a readable regular file that starts as a view learner's
  // table does (never waits on a pipe).
  static bool holdsViewTable(const std::string& file);
  // Loads the table in file into learner when the file is a readable regular
  // file (not a folder, not a pipe, which could block for ever) holding
  // exactly the table's 80 finite numbers. Otherwise returns false, sets
  // error to "cannot load tactics file '<file>': <reason>" and leaves the
  // table as it was.
  static bool load(skControllerRL& learner, const std::string& file, std::string& error);
  // Saves learner's table to file through skFileSaver; on failure returns
  // false with why set to the reason alone (the caller names the file).
  static bool save(const skControllerRL& learner, const std::string& file, std::string& why);
  // The same for a view learner's table (skControllerRLView::readTable):
  // a file of the wrong kind or size is refused with a message naming the
  // file, the kind and the size expected.
  static bool load(skControllerRLView& learner, const std::string& file, std::string& error);
  static bool save(const skControllerRLView& learner, const std::string& file, std::string& why);
  // The same for a skill learner's table (skControllerSkillLearner).
  static bool load(skControllerSkillLearner& learner, const std::string& file, std::string& error);
  static bool save(const skControllerSkillLearner& learner, const std::string& file,
                   std::string& why);
  // The first word of file when it is a readable regular file (a table's
  // kind, e.g. skControllerRLView::kind); empty otherwise.
  static std::string kindOf(const std::string& file);
};

}  // namespace skivo
