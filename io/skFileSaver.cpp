#include "skFileSaver.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace skivo {

namespace {

enum class Kind { refused, replace, stream, socket, descriptor };

// What stands at a path, once its links are followed.
struct Target {
  Kind kind = Kind::refused;
  std::string path;  // the resolved path (not for a descriptor)
  int fd = -1;       // Kind::descriptor: this process's descriptor
  bool exists = false;
  struct stat st = {};  // when exists
  std::string error;    // Kind::refused: why
};

std::string dirOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

bool allDigits(const std::string& s) {
  return !s.empty() && s.size() < 10 && s.find_first_not_of("0123456789") == std::string::npos;
}

// Whether path names one of this process's descriptors (/proc/self/fd/N and
// the names that lead there): writing goes to that descriptor itself, at its
// offset, instead of opening or replacing the file behind it.
bool ownDescriptor(const std::string& path, int& fd) {
  const std::string name = baseOf(path);
  if (!allDigits(name)) return false;
  char* real = realpath(dirOf(path).c_str(), nullptr);
  if (real == nullptr) return false;
  const std::string dir = real;
  std::free(real);
  const std::string self = "/proc/" + std::to_string(getpid()) + "/";
  bool ours = dir == self + "fd";
  const std::string task = self + "task/";
  if (!ours && dir.compare(0, task.size(), task) == 0 && dir.size() > task.size() + 3 &&
      dir.compare(dir.size() - 3, 3, "/fd") == 0) {
    ours = allDigits(dir.substr(task.size(), dir.size() - task.size() - 3));
  }
  if (ours) fd = std::atoi(name.c_str());
  return ours;
}

Target refuse(Target t, const std::string& why) {
  t.kind = Kind::refused;
  t.error = why;
  return t;
}

// Something without any write permission bit was made read-only on purpose:
// refused to root as well. what: "it" or "its folder".
Target refuseReadOnly(Target t, const char* what, mode_t mode) {
  char why[96];
  std::snprintf(why, sizeof why, "%s is read-only (mode %04o)", what,
                static_cast<unsigned int>(mode & 07777));
  return refuse(t, why);
}

// What stands at path, its links followed.
Target resolveLinks(const std::string& path) {
  Target t;
  if (path.empty()) return refuse(t, "no file name");
  if (path == "-") {
    t.kind = Kind::descriptor;
    t.fd = STDOUT_FILENO;
    return t;
  }
  std::string p = path;
  for (int hops = 0; hops <= 40; ++hops) {
    if (ownDescriptor(p, t.fd)) {
      t.kind = Kind::descriptor;
      return t;
    }
    t.path = p;
    if (lstat(p.c_str(), &t.st) != 0) {
      // A missing file is created; a missing folder is found when the
      // temporary file cannot be made in it.
      if (errno != ENOENT) return refuse(t, std::strerror(errno));
      t.kind = Kind::replace;
      return t;
    }
    if (S_ISLNK(t.st.st_mode)) {
      std::string link(4096, '\0');
      const ssize_t n = readlink(p.c_str(), &link[0], link.size());
      if (n < 0 || static_cast<std::size_t>(n) >= link.size()) {
        return refuse(t, "cannot read the link '" + p + "'");
      }
      link.resize(static_cast<std::size_t>(n));
      p = link[0] == '/' ? link : dirOf(p) + "/" + link;
      continue;
    }
    if (S_ISDIR(t.st.st_mode)) return refuse(t, "it is a directory");
    t.exists = true;
    t.kind = S_ISREG(t.st.st_mode)    ? Kind::replace
             : S_ISSOCK(t.st.st_mode) ? Kind::socket
                                      : Kind::stream;
    // Root may write anything else.
    if ((t.st.st_mode & 0222) == 0) return refuseReadOnly(t, "it", t.st.st_mode);
    if (faccessat(AT_FDCWD, p.c_str(), W_OK, AT_EACCESS) != 0) {
      return refuse(t, std::strerror(errno));
    }
    return t;
  }
  return refuse(t, std::strerror(ELOOP));
}

// A replacement is made in the folder, which must not be read-only either.
Target resolve(const std::string& path) {
  Target t = resolveLinks(path);
  struct stat folder;
  if (t.kind == Kind::replace && stat(dirOf(t.path).c_str(), &folder) == 0 &&
      S_ISDIR(folder.st_mode) && (folder.st_mode & 0222) == 0) {
    return refuseReadOnly(t, "its folder", folder.st_mode);
  }
  return t;
}

// While it lives, SIGPIPE and SIGXFSZ of this thread are held back, so that a
// write to a closed pipe or past the file-size limit fails with EPIPE or
// EFBIG instead of ending the process; the signals it caused are dropped.
class HeldSignals {
 public:
  HeldSignals() {
    sigemptyset(&held);
    sigaddset(&held, SIGPIPE);
    sigaddset(&held, SIGXFSZ);
    pthread_sigmask(SIG_BLOCK, &held, &previous);
    sigpending(&pendingBefore);
  }
  ~HeldSignals() {
    sigset_t pending;
    sigpending(&pending);
    for (int sig : {SIGPIPE, SIGXFSZ}) {
      if (sigismember(&pending, sig) && !sigismember(&pendingBefore, sig) &&
          !sigismember(&previous, sig)) {
        sigset_t one;
        sigemptyset(&one);
        sigaddset(&one, sig);
        const timespec now = {0, 0};
        sigtimedwait(&one, nullptr, &now);
      }
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  }
  HeldSignals(const HeldSignals&) = delete;
  HeldSignals& operator=(const HeldSignals&) = delete;

 private:
  sigset_t held, previous, pendingBefore;
};

bool writeAll(int fd, const std::string& text, std::string& error) {
  HeldSignals held;
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error = std::strerror(n < 0 ? errno : EIO);
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// The temporary files of saves to NAME start with this prefix; a long NAME
// is cut so that the temporary name stays a legal file name.
std::string temporaryPrefix(const std::string& path) {
  return "." + baseOf(path).substr(0, 200) + ".skivo-save-";
}

// Removes the temporary files that killed saves to path left behind: those
// of processes that no longer exist.
void removeLeftovers(const std::string& path) {
  const std::string dir = dirOf(path), prefix = temporaryPrefix(path);
  DIR* d = opendir(dir.c_str());
  if (d == nullptr) return;
  while (const dirent* e = readdir(d)) {
    const std::string name = e->d_name;
    if (name.compare(0, prefix.size(), prefix) != 0) continue;
    const long pid = std::atol(name.c_str() + prefix.size());
    if (pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
      unlinkat(dirfd(d), name.c_str(), 0);
    }
  }
  closedir(d);
}

// Creates an empty temporary file beside t's path; -1 with a reason if it cannot.
int createTemporary(const Target& t, std::string& temp, std::string& error) {
  static std::atomic<unsigned int> serial{0};
  const std::string dir = dirOf(t.path);
  temp = dir + "/" + temporaryPrefix(t.path) + std::to_string(getpid()) + "-" +
         std::to_string(serial++);
  const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
  if (fd < 0) error = "cannot create a file in '" + dir + "': " + std::strerror(errno);
  return fd;
}

// The replacement takes the old file's owner and group where the caller may
// set them (root: always; a user: a group of theirs), then its mode; set-id
// bits only when the owner is kept.
void keepOwnerAndMode(int fd, const struct stat& old) {
  const bool sameOwner = fchown(fd, old.st_uid, old.st_gid) == 0;
  if (!sameOwner && fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
    // The saver's own group stays.
  }
  if (fchmod(fd, old.st_mode & (sameOwner ? 07777 : 0777)) != 0) {
    // The new file keeps the mode it was created with.
  }
}

bool replaceFile(const Target& t, const std::string& text, std::string& error) {
  removeLeftovers(t.path);
  std::string temp;
  const int fd = createTemporary(t, temp, error);
  if (fd < 0) return false;
  if (t.exists) keepOwnerAndMode(fd, t.st);
  bool ok = writeAll(fd, text, error);
  if (ok && fsync(fd) != 0) {
    error = std::strerror(errno);
    ok = false;
  }
  if (close(fd) != 0 && ok) {
    error = std::strerror(errno);
    ok = false;
  }
  if (ok && std::rename(temp.c_str(), t.path.c_str()) != 0) {
    error = std::strerror(errno);
    ok = false;
  }
  if (!ok) {
    unlink(temp.c_str());
    return false;
  }
  // The rename reaches the disk with the folder. The new file is in place
  // either way, so a folder that cannot be flushed does not fail the save.
  const int dirFd = open(dirOf(t.path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    if (fsync(dirFd) != 0) {
      // Some file systems do not flush folders.
    }
    close(dirFd);
  }
  return true;
}

// Opens a device or a pipe for writing without blocking: a pipe gets up to
// waitMs for a reader to open it.
int openStream(const Target& t, int waitMs, std::string& error) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  for (;;) {
    const int fd = open(t.path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd >= 0) {
      const int flags = fcntl(fd, F_GETFL);
      if (flags >= 0) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
      return fd;
    }
    if (errno != ENXIO || !S_ISFIFO(t.st.st_mode)) break;
    if (std::chrono::steady_clock::now() >= deadline) {
      error = "no process opened the pipe for reading within " +
              std::to_string((waitMs + 999) / 1000) + " s";
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  error = std::strerror(errno);
  return -1;
}

int connectSocket(const Target& t, std::string& error) {
  sockaddr_un address = {};
  address.sun_family = AF_UNIX;
  if (t.path.size() >= sizeof address.sun_path) {
    error = "the socket's path is too long";
    return -1;
  }
  std::memcpy(address.sun_path, t.path.c_str(), t.path.size() + 1);
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0 || connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    error = "cannot connect to the socket: " + std::string(std::strerror(errno));
    if (fd >= 0) close(fd);
    return -1;
  }
  return fd;
}

bool writableDescriptor(int fd, std::string& error) {
  const int flags = fcntl(fd, F_GETFL);
  if (flags >= 0 && (flags & O_ACCMODE) != O_RDONLY) return true;
  error = "descriptor " + std::to_string(fd) + " is not open for writing";
  return false;
}

}  // namespace

bool skFileSaver::save(const std::string& path, const std::string& text, std::string& error,
                       int pipeWaitMs) {
  const Target t = resolve(path);
  switch (t.kind) {
    case Kind::refused:
      error = t.error;
      return false;
    case Kind::replace:
      return replaceFile(t, text, error);
    case Kind::descriptor:
      return writableDescriptor(t.fd, error) && writeAll(t.fd, text, error);
    case Kind::stream:
    case Kind::socket:
      break;
  }
  const int fd =
      t.kind == Kind::socket ? connectSocket(t, error) : openStream(t, pipeWaitMs, error);
  if (fd < 0) return false;
  bool ok = writeAll(fd, text, error);
  if (close(fd) != 0 && ok) {
    error = std::strerror(errno);
    ok = false;
  }
  return ok;
}

bool skFileSaver::check(const std::string& path, std::string& error) {
  const Target t = resolve(path);
  if (t.kind == Kind::refused) {
    error = t.error;
    return false;
  }
  if (t.kind == Kind::descriptor) return writableDescriptor(t.fd, error);
  if (t.kind != Kind::replace) return true;
  std::string temp;
  const int fd = createTemporary(t, temp, error);
  if (fd < 0) return false;
  close(fd);
  unlink(temp.c_str());
  return true;
}

bool skFileSaver::replaces(const std::string& path) { return resolve(path).kind == Kind::replace; }

}  // namespace skivo
