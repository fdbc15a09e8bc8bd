#include "skTacticsFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "skControllerRL.h"
#include "skControllerRLView.h"
#include "skControllerSkillLearner.h"
#include "skFileSaver.h"

namespace skivo {

namespace {

// Whether path names something a table can be read from; why says what is
// wrong otherwise. Opened without blocking, so that a pipe nobody writes to
// is refused instead of hanging.
bool readableFile(const std::string& path, std::string& why) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    why = std::strerror(errno);
    return false;
  }
  struct stat st;
  if (fstat(fd, &st) != 0)
    why = std::strerror(errno);
  else if (S_ISDIR(st.st_mode))
    why = "it is a directory";
  else if (S_ISFIFO(st.st_mode))
    why = "it is a pipe, not a file";
  close(fd);
  return why.empty();
}

// The whole text of a readable regular file, read once, so that a file
// replaced while it is judged cannot slip past the checks.
bool readWhole(const std::string& file, std::string& text, std::string& why) {
  if (!readableFile(file, why)) return false;
  std::ostringstream all;
  all << std::ifstream(file).rdbuf();
  text = all.str();
  return true;
}

std::string expectedView() {
  return std::string(skControllerRLView::kind) + " " +
         std::to_string(skControllerRLView::stateCount) + " x " +
         std::to_string(skControllerRLView::moveCount) + " values";
}

}  // namespace

std::string skTacticsFile::kindOf(const std::string& file) {
  std::string why, word;
  if (!readableFile(file, why)) return word;  // a pipe must not hold it up
  std::ifstream in(file);
  in >> word;
  return word;
}

bool skTacticsFile::holdsViewTable(const std::string& file) {
  return kindOf(file) == skControllerRLView::kind;
}

namespace {

// Loads a table whose file names its kind through read(in, why); error
// names the file, the reason and what was expected.
template <class Learner>
bool loadHeaded(Learner& learner, const std::string& file, const std::string& expected,
                std::string& error) {
  std::string text, why;
  std::istringstream in;
  if (readWhole(file, text, why)) {
    in.str(text);
    if (learner.readTable(in, why)) return true;
  }
  error = "cannot load tactics file '" + file + "': " + why + " (" + expected + ")";
  return false;
}

template <class Learner>
bool saveHeaded(const Learner& learner, const std::string& file, std::string& why) {
  std::ostringstream text;
  learner.writeTable(text);
  return skFileSaver::save(file, text.str(), why);
}

}  // namespace

bool skTacticsFile::load(skControllerRLView& learner, const std::string& file, std::string& error) {
  return loadHeaded(learner, file, "a view learner's table: " + expectedView(), error);
}

bool skTacticsFile::save(const skControllerRLView& learner, const std::string& file,
                         std::string& why) {
  return saveHeaded(learner, file, why);
}

bool skTacticsFile::load(skControllerSkillLearner& learner, const std::string& file,
                         std::string& error) {
  const std::string expected = std::string("a skill learner's table: ") +
                               skControllerSkillLearner::kind + " " +
                               std::to_string(skControllerSkillLearner::stateCount) + " x " +
                               std::to_string(learner.getSkills().size()) + " values";
  return loadHeaded(learner, file, expected, error);
}

bool skTacticsFile::save(const skControllerSkillLearner& learner, const std::string& file,
                         std::string& why) {
  return saveHeaded(learner, file, why);
}

bool skTacticsFile::load(skControllerRL& learner, const std::string& file, std::string& error) {
  const unsigned int expected = static_cast<unsigned int>(learner.getQTable().size());
  const std::string what = "cannot load tactics file '" + file + "': ";
  std::string why, text;
  if (!readWhole(file, text, why)) {
    error = what + why + " (read 0 of " + std::to_string(expected) + " values)";
    return false;
  }
  std::istringstream in(text);
  if (text.compare(0, std::string(skControllerRLView::kind).size(), skControllerRLView::kind) ==
      0) {
    error = what + "it is a view learner's table (" + expectedView() + "), not the game's " +
            "learner's " + std::to_string(expected) + " numbers";
    return false;
  }
  skControllerRL probe(nullptr);
  const unsigned int read = probe.read_tactics(in);
  std::string more;
  if (read != expected) {
    error = what + "read " + std::to_string(read) + " of " + std::to_string(expected) +
            " values (" +
            (read == 0 ? "the file is empty or does not start with a finite number"
                       : "the file ends there or holds something that is not a finite number") +
            ")";
    return false;
  }
  if (in >> more) {
    error = what + "it holds more than " + std::to_string(expected) + " values (a strategy file?)";
    return false;
  }
  std::istringstream again(text);
  learner.read_tactics(again);
  return true;
}

bool skTacticsFile::save(const skControllerRL& learner, const std::string& file, std::string& why) {
  std::ostringstream text;
  learner.write_tactics(text);
  return skFileSaver::save(file, text.str(), why);
}

}  // namespace skivo
