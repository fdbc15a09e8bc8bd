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

bool skTacticsFile::holdsViewTable(const std::string& file) {
  std::string why;
  if (!readableFile(file, why)) return false;  // a pipe must not hold it up
  std::ifstream in(file);
  std::string word;
  return static_cast<bool>(in >> word) && word == skControllerRLView::kind;
}

bool skTacticsFile::load(skControllerRLView& learner, const std::string& file, std::string& error) {
  std::string text, why;
  std::istringstream in;
  if (readWhole(file, text, why)) {
    in.str(text);
    if (learner.readTable(in, why)) return true;
  }
  error = "cannot load tactics file '" + file + "': " + why +
          " (a view learner's table: " + expectedView() + ")";
  return false;
}

bool skTacticsFile::save(const skControllerRLView& learner, const std::string& file,
                         std::string& why) {
  std::ostringstream text;
  learner.writeTable(text);
  return skFileSaver::save(file, text.str(), why);
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
