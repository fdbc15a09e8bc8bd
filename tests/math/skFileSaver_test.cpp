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

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
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

// One line per entry of dir (recursively, links not followed): kind, mode,
// owner, group and the content of a regular file or a link's text.
std::map<std::string, std::string> snapshot(const std::string& dir) {
  std::map<std::string, std::string> entries;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(dir)) {
    struct stat st;
    lstat(e.path().c_str(), &st);
    std::ostringstream line;
    line << std::oct << st.st_mode << std::dec << " " << st.st_uid << ":" << st.st_gid << " ";
    if (S_ISREG(st.st_mode)) line << readAll(e.path());
    if (S_ISLNK(st.st_mode)) line << fs::read_symlink(e.path());
    entries[e.path().lexically_relative(dir)] = line.str();
  }
  return entries;
}

// What a case expects besides the save's answer: the entry that then holds
// the text (none for a refusal or a stream), its mode, owner and group.
struct Expect {
  std::string written;
  std::string content = text;
  mode_t mode = S_IFREG | 0644;
  uid_t uid = 0;
  gid_t gid = 0;
  int readEnd = -1;  // a pipe or socket end that must then deliver the text
};

class FileSaver : public ::testing::Test {
 public:
  void SetUp() override {
    char pattern[] = "/tmp/skivo-saver-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
    chmod(dir.c_str(), 0755);
    ASSERT_EQ(mkdir(at("open").c_str(), 0777), 0);
    chmod(at("open").c_str(), 0777);  // open to all, not sticky
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
  // A bound unix socket, listening when asked; returns its descriptor in fd.
  std::string socketAt(const std::string& name, bool listening, int& fd) const {
    fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un a = {};
    a.sun_family = AF_UNIX;
    std::strncpy(a.sun_path, at(name).c_str(), sizeof a.sun_path - 1);
    EXPECT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    if (listening) {
      EXPECT_EQ(listen(fd, 1), 0);
    }
    return at(name);
  }

  // Saves text to path in a child process, as root or as user nobody, under
  // a file-size limit when one is given (bytes). Returns the error, or "ok".
  static std::string saveAs(const std::string& path, bool asNobody, rlim_t sizeLimit = 0) {
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
      const std::string said =
          skFileSaver::save(path, text, error, 300) ? std::string("ok") : error;
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
};

struct Case {
  const char* what;
  bool asNobody;
  // Makes the target; returns the path to save to and fills in the expectations.
  std::function<std::string(FileSaver&, Expect&)> make;
  const char* answer;  // "ok", or a part of the refusal's reason
  rlim_t sizeLimit = 0;
};

TEST_F(FileSaver, EachKindOfTargetIsReplacedWrittenInPlaceOrRefusedLeavingAllElseAlone) {
  const Case cases[] = {
      {"a missing file in a writable folder is created", false,
       [](FileSaver& t, Expect& e) { return e.written = "new", t.at("new"); }, "ok"},
      {"another owner's file keeps its owner, group and mode", false,
       [](FileSaver& t, Expect& e) {
         e.written = "theirs", e.mode = S_IFREG | 0640, e.uid = 1234, e.gid = 1235;
         return t.file("theirs", 0640, 1234, 1235);
       },
       "ok"},
      {"a read-only file is refused even to root", false,
       [](FileSaver& t, Expect&) { return t.file("ro", 0444); }, "read-only (mode 0444)"},
      {"a link saves to its target and stays a link", false,
       [](FileSaver& t, Expect& e) {
         t.file("target", 0600);
         e.written = "target", e.mode = S_IFREG | 0600;
         return t.link("link", "target");
       },
       "ok"},
      {"a dangling link creates its target", false,
       [](FileSaver& t, Expect& e) { return e.written = "made", t.link("link", "made"); }, "ok"},
      {"a link to a read-only file is refused", false,
       [](FileSaver& t, Expect&) { return t.file("ro", 0444), t.link("link", t.at("ro")); },
       "read-only"},
      {"a loop of links is refused", false,
       [](FileSaver& t, Expect&) { return t.link("a", "b"), t.link("b", "a"); }, "symbolic links"},
      {"a character device is written in place, not replaced", false,
       [](FileSaver& t, Expect&) { return t.node("null", S_IFCHR, makedev(1, 3)); }, "ok"},
      {"a block device that does not answer is refused, not replaced", false,
       [](FileSaver& t, Expect&) { return t.node("disk", S_IFBLK, makedev(240, 0)); },
       "No such device"},
      {"a pipe with a reader gets the text", false,
       [](FileSaver& t, Expect& e) {
         const std::string fifo = t.node("fifo", S_IFIFO);
         e.readEnd = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
         return fifo;
       },
       "ok"},
      {"a pipe without a reader is refused after the wait", false,
       [](FileSaver& t, Expect&) { return t.node("fifo", S_IFIFO); }, "no process opened"},
      {"a listening socket gets the text", false,
       [](FileSaver& t, Expect& e) { return t.socketAt("socket", true, e.readEnd); }, "ok"},
      {"a socket nobody listens on is refused", false,
       [](FileSaver& t, Expect& e) { return t.socketAt("socket", false, e.readEnd); },
       "Connection refused"},
      {"a name of an open descriptor writes through it, not replacing the file", false,
       [](FileSaver& t, Expect& e) {
         e.written = "log", e.content = "old\n" + text;
         const int fd = open(t.file("log", 0644).c_str(), O_WRONLY | O_APPEND);
         return "/dev/fd/" + std::to_string(fd);
       },
       "ok"},
      {"a read-only folder is refused even to root", false,
       [](FileSaver& t, Expect&) {
         mkdir(t.at("shut").c_str(), 0555);
         return t.at("shut/t");
       },
       "folder is read-only (mode 0555)"},
      {"a folder is refused", false, [](FileSaver& t, Expect&) { return t.at("open"); },
       "is a directory"},
      {"a missing folder is refused", false, [](FileSaver& t, Expect&) { return t.at("none/t"); },
       "No such file or directory"},
      {"a full disk is refused and the old file kept", false,
       [](FileSaver& t, Expect&) { return t.file("full", 0644); }, "File too large", 8},
      {"a user may not replace root's file in a folder open to all", true,
       [](FileSaver& t, Expect&) { return t.file("open/root", 0644); }, "Permission denied"},
      {"a user may replace a file open to all, which becomes theirs", true,
       [](FileSaver& t, Expect& e) {
         e.written = "open/shared", e.mode = S_IFREG | 0666, e.uid = nobody, e.gid = nobody;
         return t.file("open/shared", 0666);
       },
       "ok"},
      {"a user's own file keeps its mode", true,
       [](FileSaver& t, Expect& e) {
         e.written = "open/mine", e.mode = S_IFREG | 0600, e.uid = nobody, e.gid = nobody;
         return t.file("open/mine", 0600, nobody, nobody);
       },
       "ok"},
      {"a user's own read-only file is refused", true,
       [](FileSaver& t, Expect&) { return t.file("open/mine", 0444, nobody, nobody); },
       "read-only"},
      {"a user's new file in a folder open to all is theirs", true,
       [](FileSaver& t, Expect& e) {
         e.written = "open/new", e.uid = nobody, e.gid = nobody;
         return t.at("open/new");
       },
       "ok"},
      {"a writable file in a folder the user may not write is refused", true,
       [](FileSaver& t, Expect&) { return t.file("writable", 0666); }, "Permission denied"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(dir);
    SetUp();
    Expect e;
    const std::string path = c.make(*this, e);
    std::map<std::string, std::string> expected = snapshot(dir);
    const std::string answer = saveAs(path, c.asNobody, c.sizeLimit);
    EXPECT_NE(answer.find(c.answer), std::string::npos) << answer;
    if (answer == "ok" && !e.written.empty()) {
      std::ostringstream line;
      line << std::oct << e.mode << std::dec << " " << e.uid << ":" << e.gid << " " << e.content;
      expected[e.written] = line.str();
    }
    EXPECT_EQ(snapshot(dir), expected) << "only the target changes; no leftovers";
    if (e.readEnd >= 0) {
      const int fd = answer == "ok" && path.find("socket") != std::string::npos
                         ? accept(e.readEnd, nullptr, nullptr)
                         : e.readEnd;
      char buffer[256];
      const ssize_t n = read(fd, buffer, sizeof buffer);
      EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(std::max<ssize_t>(n, 0))),
                answer == "ok" ? text : "");
      if (fd != e.readEnd) close(fd);
      close(e.readEnd);
    }
  }
}

TEST_F(FileSaver, ChecksAgreeWithSavesAndOnlyFilesAreReplaced) {
  std::string error;
  const std::string fifo = node("fifo", S_IFIFO);
  EXPECT_TRUE(skFileSaver::check(fifo, error)) << "a reader may come later";
  EXPECT_FALSE(skFileSaver::replaces(fifo));
  EXPECT_FALSE(skFileSaver::replaces("-"));
  EXPECT_TRUE(skFileSaver::replaces(at("new")));
  EXPECT_TRUE(skFileSaver::check(at("new"), error));
  EXPECT_FALSE(skFileSaver::check(file("ro", 0444), error));
  EXPECT_FALSE(skFileSaver::check(at("none/t"), error));
  EXPECT_EQ(snapshot(dir).size(), 3u) << "checks leave nothing behind";
}

// A save killed at a random moment leaves the previous file or the new one,
// whole, and at most one temporary file, which the next save removes.
TEST_F(FileSaver, ASaveKilledAtARandomMomentLeavesTheOldOrTheNewFileWhole) {
  const std::string path = at("table"), a(100000, 'a'), b(150000, 'b');
  std::string error;
  ASSERT_TRUE(skFileSaver::save(path, a, error)) << error;
  std::mt19937 random(14);
  int leftovers = 0, changed = 0;
  std::string last = a;
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
    changed += now != last;
    last = now;
    const std::size_t entries = snapshot(dir).size() - 2;  // beside "open" and the table
    ASSERT_LE(entries, 1u) << "after kill " << kill;
    leftovers += static_cast<int>(entries);
  }
  ASSERT_TRUE(skFileSaver::save(path, a, error)) << error;
  EXPECT_EQ(snapshot(dir).size(), 2u) << "the next save removes the leftover";
  std::cout << "200 kills: " << changed << " after a completed save, " << leftovers
            << " a temporary file\n";
}

}  // namespace
