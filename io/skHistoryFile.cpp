#include "skHistoryFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <sstream>

#include "skUserFolder.h"

namespace skivo {

namespace {

// A word of a line: no spaces or control characters, at most 32 bytes.
std::string word(const std::string& s) {
  std::string w;
  for (char c : s) {
    if (static_cast<unsigned char>(c) <= ' ' || w.size() == 32) break;
    w += c;
  }
  return w.empty() ? "-" : w;
}

bool isDate(const std::string& d) {
  // YYYY-MM-DDTHH:MM:SSZ
  static const char shape[] = "dddd-dd-ddTdd:dd:ddZ";
  if (d.size() != sizeof(shape) - 1) return false;
  for (std::size_t k = 0; k < d.size(); ++k) {
    if (shape[k] == 'd' ? !(d[k] >= '0' && d[k] <= '9') : d[k] != shape[k]) return false;
  }
  return true;
}

std::string fixed(double v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.1f", v);
  return buffer;
}

std::string reason() { return std::strerror(errno); }

// Writes all of data at the end of fd in one call; cut back to size when it
// fails or comes up short.
bool writeAll(int fd, const std::string& data, off_t size, std::string& error) {
  const ssize_t n = ::write(fd, data.data(), data.size());
  if (n == static_cast<ssize_t>(data.size()) && ::fsync(fd) == 0) return true;
  error = n < 0 ? reason() : n == static_cast<ssize_t>(data.size()) ? reason() : "short write";
  if (::ftruncate(fd, size) != 0) error += " (and it could not be cut back)";
  return false;
}

}  // namespace

std::string skHistoryFile::line(const skGameRecord& r) {
  return word(r.date) + " " + word(r.game) + " " + word(r.opponents) + " " + word(r.edges) + " " +
         fixed(r.seconds) + " " + fixed(r.share) + " " + std::to_string(r.tags);
}

bool skHistoryFile::parseLine(const std::string& text, skGameRecord& r) {
  std::istringstream in(text);
  skGameRecord read;
  std::string seconds, share, tags, extra;
  if (!(in >> read.date >> read.game >> read.opponents >> read.edges >> seconds >> share >> tags) ||
      (in >> extra) || !isDate(read.date)) {
    return false;
  }
  if (read.game != "full" && read.game != "classic") return false;
  if (read.edges != "plain" && read.edges != "seamless") return false;
  char* end = nullptr;
  read.seconds = std::strtod(seconds.c_str(), &end);
  if (*end || !std::isfinite(read.seconds) || read.seconds < 0) return false;
  read.share = std::strtod(share.c_str(), &end);
  if (*end || !(read.share >= 0 && read.share <= 100)) return false;
  const long t = std::strtol(tags.c_str(), &end, 10);
  if (*end || tags.empty() || t < 0 || t > 1000000000) return false;
  read.tags = static_cast<int>(t);
  r = read;
  return true;
}

bool skHistoryFile::parse(const std::string& text, std::vector<skGameRecord>& records, int& skipped,
                          std::string& error) {
  records.clear();
  skipped = 0;
  const std::size_t first = text.find('\n');
  if (text.compare(0, first, header) != 0 || first != std::strlen(header)) {
    error = "not a history of skivo (its first line is not \"" + std::string(header) + "\")";
    return false;
  }
  std::size_t start = first + 1;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    // A last line without its newline was torn: not a record.
    if (end == std::string::npos) {
      ++skipped;
      break;
    }
    skGameRecord r;
    if (end > start) {
      if (parseLine(text.substr(start, end - start), r)) {
        records.push_back(r);
      } else {
        ++skipped;
      }
    }
    start = end + 1;
  }
  return true;
}

bool skHistoryFile::read(const std::string& path, std::vector<skGameRecord>& records, int& skipped,
                         std::string& error) {
  records.clear();
  skipped = 0;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return true;
    error = reason();
    return false;
  }
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    error = "not a regular file";
    ::close(fd);
    return false;
  }
  std::string text;
  char buffer[65536];
  for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) != 0;) {
    if (n < 0) {
      if (errno == EINTR) continue;
      error = reason();
      ::close(fd);
      return false;
    }
    text.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  if (text.empty()) return true;
  return parse(text, records, skipped, error);
}

bool skHistoryFile::append(const std::string& path, const skGameRecord& record,
                           std::string& error) {
  const std::string entry = line(record) + "\n";
  const std::string folder = std::filesystem::path(path).parent_path().string();
  if (!folder.empty() && !skUtil::makeFolder(folder, error)) return false;
  // A new history: made whole with its first record, or not at all.
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd >= 0) {
    const bool written = writeAll(fd, std::string(header) + "\n" + entry, 0, error);
    ::close(fd);
    if (!written) ::unlink(path.c_str());
    return written;
  }
  if (errno != EEXIST) {
    error = reason();
    return false;
  }
  fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    error = reason();
    return false;
  }
  struct stat st;
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  if (!ok) error = "not a regular file";
  // One game at a time: two that end together take turns.
  if (ok && ::flock(fd, LOCK_EX) != 0) {
    ok = false;
    error = reason();
  }
  if (ok && ::fstat(fd, &st) != 0) {
    ok = false;
    error = reason();
  }
  const std::size_t headerSize = std::strlen(header) + 1;
  char start[32] = {};
  if (ok && (static_cast<std::size_t>(st.st_size) < headerSize ||
             ::pread(fd, start, headerSize, 0) != static_cast<ssize_t>(headerSize) ||
             std::string(start, headerSize) != std::string(header) + "\n")) {
    ok = false;
    error = "not a history of skivo (its first line is not \"" + std::string(header) + "\")";
  }
  char last = '\n';
  if (ok && ::pread(fd, &last, 1, st.st_size - 1) != 1) {
    ok = false;
    error = reason();
  }
  // A line torn by a stop mid-write is closed, and stays unreadable.
  if (ok) ok = writeAll(fd, last == '\n' ? entry : "\n" + entry, st.st_size, error);
  ::close(fd);
  return ok;
}

std::string skHistoryFile::now() {
  const std::time_t t = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&t, &utc);
  char buffer[32];
  std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return buffer;
}

}  // namespace skivo
