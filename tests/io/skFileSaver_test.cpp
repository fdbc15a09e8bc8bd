// What a save does to each kind of target, as root and as an unprivileged
// user, and what a save killed at a random moment leaves. Everything happens
// in a fresh temporary folder; device nodes are made there with mknod.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "skFileSaver.h"

namespace {

using skivo::skFileSaver;
namespace fs = std::filesystem;

const uid_t nobody = 65534;
const std::string text = "0.1\n-2.5\n1e-05\n";

std::string readAll(const std::string& path) {
  std::ostringstream s;
  s << std::ifstream(path, std::ios::binary).rdbuf();
  return s.str();
}

std::string describe(mode_t mode, uid_t uid, gid_t gid, const std::string& content) {
  std::ostringstream line;
  line << std::oct << mode << std::dec << " " << uid << ":" << gid << " " << content;
  return line.str();
}

// Every entry of dir (links not followed): mode, owner, group and the content
// of a file or the text of a link.
std::map<std::string, std::string> snapshot(const std::string& dir) {
  std::map<std::string, std::string> entries;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(dir)) {
    struct stat st;
    lstat(e.path().c_str(), &st);
    const std::string content = S_ISREG(st.st_mode)   ? readAll(e.path())
                                : S_ISLNK(st.st_mode) ? fs::read_symlink(e.path()).string()
                                                      : "";
    entries[e.path().lexically_relative(dir)] = describe(st.st_mode, st.st_uid, st.st_gid, content);
  }
  return entries;
}

class FileSaver : public ::testing::Test {
 public:
  void SetUp() override {
    char pattern[] = "/tmp/skivo-saver-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
    chmod(dir.c_str(), 0755);
    mkdir(at("open").c_str(), 0777);
    chmod(at("open").c_str(), 0777);  // open to all, not sticky
    readEnd = -1;
  }
  void TearDown() override { fs::remove_all(dir); }

  std::string at(const std::string& name) const { return dir + "/" + name; }
  std::string file(const std::string& name, mode_t mode, uid_t uid = 0, gid_t gid = 0) const {
    std::ofstream(at(name)) << "old\n";
    EXPECT_EQ(chown(at(name).c_str(), uid, gid) | chmod(at(name).c_str(), mode), 0);
    return at(name);
  }
  std::string node(const std::string& name, mode_t kind, dev_t device = 0) const {
    EXPECT_EQ(mknod(at(name).c_str(), kind | 0666, device), 0) << std::strerror(errno);
    return at(name);
  }
  std::string link(const std::string& name, const std::string& target) const {
    EXPECT_EQ(symlink(target.c_str(), at(name).c_str()), 0);
    return at(name);
  }
  std::string socketAt(const std::string& name, bool listening) {  // its end in readEnd
    readEnd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un a = {};
    a.sun_family = AF_UNIX;
    std::strncpy(a.sun_path, at(name).c_str(), sizeof a.sun_path - 1);
    EXPECT_EQ(bind(readEnd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    EXPECT_EQ(listening ? listen(readEnd, 1) : 0, 0);
    return at(name);
  }
  std::string fifo(bool reader) {  // a reader's end in readEnd
    node("fifo", S_IFIFO);
    if (reader) readEnd = open(at("fifo").c_str(), O_RDONLY | O_NONBLOCK);
    return at("fifo");
  }

  // Saves text to path in a child process, as root or as user nobody, under
  // a file-size limit when one is given (bytes). Returns the error, or "ok".
  static std::string saveAs(const std::string& path, bool asNobody, rlim_t sizeLimit) {
    int answer[2];
    if (pipe(answer) != 0) return "no pipe";
    const pid_t pid = fork();
    if (pid == 0) {
      umask(022);
      if (asNobody && (setgroups(0, nullptr) != 0 || setresgid(nobody, nobody, nobody) != 0 ||
                       setresuid(nobody, nobody, nobody) != 0)) {
        _exit(1);
      }
      const rlimit limit = {sizeLimit, sizeLimit};
      if (sizeLimit > 0) setrlimit(RLIMIT_FSIZE, &limit);
      std::string error;
      const std::string said = skFileSaver::save(path, text, error, 300) ? "ok" : error;
      _exit(write(answer[1], said.data(), said.size()) < 0 ? 1 : 0);
    }
    close(answer[1]);
    int status = 0;
    waitpid(pid, &status, 0);
    char buffer[512];
    const ssize_t n = read(answer[0], buffer, sizeof buffer);
    close(answer[0]);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "child died or failed";
    return std::string(buffer, static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
  }

  std::string dir;
  int readEnd;  // a pipe or socket end that must then deliver the text
};

struct Case {
  const char* what;
  bool asNobody;
  const char* answer;               // "ok", or a part of the refusal's reason
  const char* written;              // the file that a save changes, if any
  std::string (*make)(FileSaver&);  // makes the target; returns the path to save to
  rlim_t sizeLimit = 0;
};
using T = FileSaver;

TEST_F(FileSaver, EachKindOfTargetIsReplacedWrittenInPlaceOrRefusedLeavingAllElseAlone) {
  const Case cases[] = {
      {"a missing file in a writable folder is created", 0, "ok", "new",
       [](T& t) { return t.at("new"); }},
      {"another owner's file keeps its owner, group and mode", 0, "ok", "theirs",
       [](T& t) { return t.file("theirs", 0640, 1234, 1235); }},
      {"a read-only file is refused even to root", 0, "read-only (mode 0444)", nullptr,
       [](T& t) { return t.file("ro", 0444); }},
      {"a link saves to its target and stays a link", 0, "ok", "target",
       [](T& t) { return t.file("target", 0600), t.link("link", "target"); }},
      {"a dangling link creates its target", 0, "ok", "made",
       [](T& t) { return t.link("link", "made"); }},
      {"a link to a read-only file is refused", 0, "read-only", nullptr,
       [](T& t) { return t.file("ro", 0444), t.link("link", t.at("ro")); }},
      {"a loop of links is refused", 0, "symbolic links", nullptr,
       [](T& t) { return t.link("a", "b"), t.link("b", "a"); }},
      {"a character device is written in place, not replaced", 0, "ok", nullptr,
       [](T& t) { return t.node("null", S_IFCHR, makedev(1, 3)); }},
      {"a block device that does not answer is refused, not replaced", 0, "No such device", nullptr,
       [](T& t) { return t.node("disk", S_IFBLK, makedev(240, 0)); }},
      {"a pipe with a reader gets the text", 0, "ok", nullptr, [](T& t) { return t.fifo(true); }},
      {"a pipe without a reader is refused after the wait", 0, "no process opened", nullptr,
       [](T& t) { return t.fifo(false); }},
      {"a listening socket gets the text", 0, "ok", nullptr,
       [](T& t) { return t.socketAt("socket", true); }},
      {"a socket nobody listens on is refused", 0, "Connection refused", nullptr,
       [](T& t) { return t.socketAt("socket", false); }},
      {"a name of an open descriptor writes through it, not replacing the file", 0, "ok", "log",
       [](T& t) {
         return "/dev/fd/" + std::to_string(open(t.file("log", 0644).c_str(), O_WRONLY | O_APPEND));
       }},
      {"a thread's name of an open descriptor writes through it too", 0, "ok", "log",
       [](T& t) {
         const int fd = open(t.file("log", 0644).c_str(), O_WRONLY | O_APPEND);
         return "/proc/thread-self/fd/" + std::to_string(fd);
       }},
      {"a read-only folder is refused even to root", 0, "folder is read-only (mode 0555)", nullptr,
       [](T& t) { return mkdir(t.at("shut").c_str(), 0555), t.at("shut/t"); }},
      {"a folder is refused", 0, "is a directory", nullptr, [](T& t) { return t.at("open"); }},
      {"a missing folder is refused", 0, "No such file or directory", nullptr,
       [](T& t) { return t.at("none/t"); }},
      {"a full disk is refused and the old file kept", 0, "File too large", nullptr,
       [](T& t) { return t.file("full", 0644); }, 8},
      {"a user may not replace root's file in a folder open to all", 1, "Permission denied",
       nullptr, [](T& t) { return t.file("open/root", 0644); }},
      {"a user may replace a file open to all, which becomes theirs", 1, "ok", "open/all",
       [](T& t) { return t.file("open/all", 0666); }},
      {"a user's own file keeps its mode", 1, "ok", "open/mine",
       [](T& t) { return t.file("open/mine", 0600, nobody, nobody); }},
      {"a user's own read-only file is refused", 1, "read-only", nullptr,
       [](T& t) { return t.file("open/mine", 0444, nobody, nobody); }},
      {"a user's new file in a folder open to all is theirs", 1, "ok", "open/new",
       [](T& t) { return t.at("open/new"); }},
      {"a writable file in a folder the user may not write is refused", 1, "Permission denied",
       nullptr, [](T& t) { return t.file("writable", 0666); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(dir);
    SetUp();
    const std::string path = c.make(*this);
    std::map<std::string, std::string> after = snapshot(dir);
    const std::string answer = saveAs(path, c.asNobody, c.sizeLimit);
    EXPECT_NE(answer.find(c.answer), std::string::npos) << answer;
    if (answer == "ok" && c.written) {
      // A replaced file keeps its mode, and its owner when root saves; a new
      // one is 0644; what a user saves is theirs; a descriptor appends.
      std::string& e = after[c.written];
      std::string mode = "100644", owner = "0:0";
      if (!e.empty()) std::istringstream(e) >> mode >> owner;
      const bool appends = path.find("/fd/") != std::string::npos;
      e = mode + " " + (c.asNobody ? "65534:65534" : owner) + " " +
          (appends ? e.substr(mode.size() + owner.size() + 2) : "") + text;
    }
    EXPECT_EQ(snapshot(dir), after) << "only the target changes; no leftovers";
    if (readEnd < 0) continue;
    const bool listening = answer == "ok" && path.find("socket") != std::string::npos;
    const int fd = listening ? accept(readEnd, nullptr, nullptr) : readEnd;
    char buffer[256];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    EXPECT_EQ(std::string(buffer, std::max<ssize_t>(n, 0)), answer == "ok" ? text : "");
    if (fd != readEnd) close(fd);
    close(readEnd);
  }
}

// A save killed at a random moment leaves the previous file or the new one,
// whole, and at most one temporary file, which the next save removes.
TEST_F(FileSaver, ASaveKilledAtARandomMomentLeavesTheOldOrTheNewFileWhole) {
  const std::string path = at("table"), a(100000, 'a'), b(150000, 'b');
  std::string error;
  ASSERT_TRUE(skFileSaver::save(path, a, error)) << error;
  std::mt19937 random(14);
  for (int kill = 0; kill < 200; ++kill) {
    const pid_t pid = fork();
    if (pid == 0) {
      for (;;) skFileSaver::save(path, readAll(path) == a ? b : a, error);
    }
    usleep(std::uniform_int_distribution<useconds_t>(0, 20000)(random));
    ::kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    const std::string now = readAll(path);
    ASSERT_TRUE(now == a || now == b) << "a mix of " << now.size() << " bytes after kill " << kill;
    ASSERT_LE(snapshot(dir).size(), 3u) << "after kill " << kill;  // "open", the table, a temporary
  }
  ASSERT_TRUE(skFileSaver::save(path, a, error)) << error;
  EXPECT_EQ(snapshot(dir).size(), 2u) << "the next save removes the leftover";
}

}  // namespace
