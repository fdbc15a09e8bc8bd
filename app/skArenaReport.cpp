#include "skArenaReport.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iomanip>
#include <sstream>

#include "skControllerRL.h"

namespace skivo {

namespace {

std::string directoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Creates an empty private temporary file beside path (refusing a path that
// is a directory); returns its descriptor and name, or -1 with a message.
int createBeside(const std::string& path, std::string& temp, std::string& error) {
  struct stat st;
  if (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
    error = "'" + path + "' is a directory";
    return -1;
  }
  std::string pattern = directoryOf(path) + "/.skivo-arena-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = mkstemp(name.data());
  if (fd < 0) {
    error = "cannot create a file in '" + directoryOf(path) + "': " + std::strerror(errno);
    return -1;
  }
  temp = name.data();
  return fd;
}

// Writes text to a temporary file beside path and renames it over path.
bool writeAtomically(const std::string& path, const std::string& text, std::string& error) {
  std::string temp;
  const int fd = createBeside(path, temp, error);
  if (fd < 0) return false;
  std::size_t done = 0;
  bool ok = true;
  while (ok && done < text.size()) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) done += static_cast<std::size_t>(n);
  }
  const int savedErrno = errno;
  ok = close(fd) == 0 && ok;
  // mkstemp makes the file private; give it the usual permissions.
  if (ok) chmod(temp.c_str(), 0644);
  if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
    error = "cannot write '" + path + "': " + std::strerror(ok ? errno : savedErrno);
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace

bool skArenaReport::checkWritable(const std::string& path, std::string& error) {
  std::string temp;
  const int fd = createBeside(path, temp, error);
  if (fd < 0) return false;
  close(fd);
  std::remove(temp.c_str());
  return true;
}

bool skArenaReport::writeCsv(const std::string& path, const std::vector<skArenaMinute>& minutes,
                             std::string& error) {
  std::ostringstream os;
  os << "minute,game_s";
  for (int i = 0; i < 3; ++i) os << ",it_s_" << i << ",tags_made_" << i << ",tags_received_" << i;
  os << ",table_change_1,table_change_2\n";
  for (const skArenaMinute& m : minutes) {
    os << m.minute << "," << m.gameMs / 1000.0;
    for (int i = 0; i < 3; ++i) {
      os << "," << m.itMs[i] / 1000.0 << "," << m.tagsMade[i] << "," << m.tagsReceived[i];
    }
    os << std::setprecision(17) << "," << m.tableChange[0] << "," << m.tableChange[1]
       << std::setprecision(6) << "\n";
  }
  return writeAtomically(path, os.str(), error);
}

void skArenaReport::printSummary(std::ostream& os, const skArenaOptions& options, skArena& arena,
                                 double wallSeconds) {
  long long itMs[3] = {0, 0, 0}, made[3] = {0, 0, 0}, received[3] = {0, 0, 0};
  double change[2] = {0.0, 0.0};
  for (const skArenaMinute& m : arena.getMinutes()) {
    for (int i = 0; i < 3; ++i) {
      itMs[i] += m.itMs[i];
      made[i] += m.tagsMade[i];
      received[i] += m.tagsReceived[i];
    }
    change[0] += m.tableChange[0];
    change[1] += m.tableChange[1];
  }
  const double gameSeconds = arena.getGameMs() / 1000.0;
  os << "skivo-arena: " << (options.classic ? "classic" : "full") << " rules, player "
     << skArenaOptions::playerName(options.player) << ", characters 1 and 2 "
     << skArenaOptions::npcName(options.npc) << ", " << gameSeconds / 60.0 << " game minutes in "
     << options.stepCount() << " steps of " << options.stepMs << " ms, seed "
     << (options.seeded ? std::to_string(options.seed) : std::string("none")) << "\n";
  os << "character  driven by   it (s)  it share  tags made  tags received  decisions  "
        "table change\n";
  for (int i = 0; i < 3; ++i) {
    const skControllerRL* learner = i > 0 ? arena.getLearner(i - 1) : nullptr;
    const char* who = i == 0 ? skArenaOptions::playerName(options.player)
                             : (learner ? skArenaOptions::npcName(options.npc) : "scripted");
    os << std::left << std::setw(11) << i << std::setw(10) << who << std::right << std::fixed
       << std::setprecision(1) << std::setw(8) << itMs[i] / 1000.0 << std::setw(9)
       << (gameSeconds > 0 ? 100.0 * itMs[i] / 1000.0 / gameSeconds : 0.0) << "%" << std::setw(11)
       << made[i] << std::setw(15) << received[i];
    if (learner) {
      os << std::setw(11) << learner->getDecisionCount() << std::setw(14) << std::setprecision(4)
         << change[i - 1];
    } else {
      os << std::setw(11) << "-" << std::setw(14) << "-";
    }
    os << "\n";
  }
  os << std::defaultfloat << std::setprecision(3) << "wall time " << wallSeconds << " s";
  if (wallSeconds > 0) {
    os << ", " << std::fixed << std::setprecision(0) << gameSeconds / wallSeconds << " x real time"
       << std::defaultfloat;
  }
  os << "\n";
}

void skArenaReport::drawProgress(long long done, long long total, void*) {
  const int width = 40;
  const int filled = total > 0 ? static_cast<int>(width * done / total) : width;
  std::fprintf(stderr, "\r[%.*s%*s] %3d%%", filled, "########################################",
               width - filled, "", total > 0 ? static_cast<int>(100 * done / total) : 100);
  if (done == total) std::fprintf(stderr, "\n");
  std::fflush(stderr);
}

}  // namespace skivo
