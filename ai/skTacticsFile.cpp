#include "skTacticsFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "skControllerRL.h"
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

}  // namespace

bool skTacticsFile::load(skControllerRL& learner, const std::string& file, std::string& error) {
  const unsigned int expected = static_cast<unsigned int>(learner.getQTable().size());
  const std::string what = "cannot load tactics file '" + file + "': ";
  std::string why;
  if (!readableFile(file, why)) {
    error = what + why + " (read 0 of " + std::to_string(expected) + " values)";
    return false;
  }
  // Read once and judged before the learner takes it: a file replaced in
  // between cannot slip past the checks.
  std::ostringstream text;
  text << std::ifstream(file).rdbuf();
  std::istringstream in(text.str());
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
  std::istringstream again(text.str());
  learner.read_tactics(again);
  return true;
}

bool skTacticsFile::save(const skControllerRL& learner, const std::string& file, std::string& why) {
  std::ostringstream text;
  learner.write_tactics(text);
  return skFileSaver::save(file, text.str(), why);
}

}  // namespace skivo
