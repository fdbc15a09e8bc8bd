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
#include <filesystem>
#include <thread>

namespace skivo {

namespace {

// How a save goes to what stands at a path.
enum class Kind {
  refused,
  replace,     // nothing, or a regular file: a temporary file renamed over it
  stream,      // a device or a pipe: opened and written in place
  socket,      // connected to and written
  descriptor,  // "-" or a name of this process's descriptor: written through it
};

struct Target {
  Kind kind = Kind::refused;
  std::string path;     // the path, its links followed
  int fd = -1;          // Kind::descriptor
  struct stat st = {};  // what stands at path; st_mode 0 when nothing does
};

std::string dirOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

bool failed(std::string& error) {
  error = std::strerror(errno);
  return false;
}

// The descriptor of this process that path names, or -1: /proc/PID/fd/N,
// /proc/PID/task/TID/fd/N or a name that leads there (/dev/fd/N,
// /proc/self/fd/N). Opening it would reach the file behind the descriptor,
// not the descriptor at its offset.
int ownDescriptor(const std::string& path) {
  const std::string name = baseOf(path);
  if (name.empty() || name.size() > 9 ||
      name.find_first_not_of("0123456789") != std::string::npos) {
    return -1;
  }
  char* real = realpath(dirOf(path).c_str(), nullptr);
  if (real == nullptr) return -1;
  const std::string dir = real, self = "/proc/" + std::to_string(getpid()) + "/";
  std::free(real);
  std::string rest = dir.compare(0, self.size(), self) == 0 ? dir.substr(self.size()) : "";
  // task/TID/: only this process's threads are listed there.
  const std::size_t slash = rest.find('/', 5);
  if (rest.compare(0, 5, "task/") == 0 && slash != std::string::npos) rest.erase(0, slash + 1);
  return rest == "fd" ? std::atoi(name.c_str()) : -1;
}

std::string readOnly(const char* what, mode_t mode) {
  char why[64];
  std::snprintf(why, sizeof why, "%s is read-only (mode %04o)", what,
                static_cast<unsigned int>(mode & 07777));
  return why;
}

// What stands at path, its links followed, and how a save goes there; a
// refusal sets error to the reason. check() and save() both start here.
Target resolve(const std::string& path, std::string& error) {
  const auto refuse = [&error](const std::string& why) {
    error = why;
    return Target();
  };
  const auto descriptor = [&refuse](int fd) {
    const int flags = fcntl(fd, F_GETFL);
    if (flags >= 0 && (flags & O_ACCMODE) != O_RDONLY) return Target{Kind::descriptor, "", fd};
    return refuse("descriptor " + std::to_string(fd) + " is not open for writing");
  };
  if (path.empty()) return refuse("no file name");
  if (path == "-") return descriptor(STDOUT_FILENO);
  Target t;
  t.path = path;
  for (int links = 0;; ++links) {
    if (const int fd = ownDescriptor(t.path); fd >= 0) return descriptor(fd);
    if (lstat(t.path.c_str(), &t.st) != 0) {
      // A missing file is created; a missing folder shows when the temporary
      // file cannot be made in it.
      if (errno != ENOENT) return refuse(std::strerror(errno));
      t.st = {};
      break;
    }
    if (!S_ISLNK(t.st.st_mode)) break;
    if (links == 40) return refuse(std::strerror(ELOOP));
    std::error_code failure;
    const std::string to = std::filesystem::read_symlink(t.path, failure);
    if (failure) return refuse("cannot read the link '" + t.path + "'");
    t.path = to[0] == '/' ? to : dirOf(t.path) + "/" + to;
  }
  const mode_t mode = t.st.st_mode;
  if (S_ISDIR(mode)) return refuse("it is a directory");
  t.kind = (mode == 0 || S_ISREG(mode)) ? Kind::replace
           : S_ISSOCK(mode)             ? Kind::socket
                                        : Kind::stream;
  // The kernel lets root write anything; a file with no write permission bit
  // at all was made read-only on purpose and is refused to root as well.
  if (mode != 0 && (mode & 0222) == 0) return refuse(readOnly("it", mode));
  if (mode != 0 && faccessat(AT_FDCWD, t.path.c_str(), W_OK, AT_EACCESS) != 0) {
    return refuse(std::strerror(errno));
  }
  // A replacement is made in the folder, which may be read-only too.
  struct stat folder;
  if (t.kind == Kind::replace && stat(dirOf(t.path).c_str(), &folder) == 0 &&
      S_ISDIR(folder.st_mode) && (folder.st_mode & 0222) == 0) {
    return refuse(readOnly("its folder", folder.st_mode));
  }
  return t;
}

// Writes all of text to fd. SIGPIPE and SIGXFSZ of this thread are held back
// meanwhile, so that a write to a closed pipe or past the file-size limit
// fails with EPIPE or EFBIG instead of ending the process; the signals the
// write raised are then dropped.
bool writeAll(int fd, const std::string& text, std::string& error) {
  sigset_t held, previous, before, after;
  sigemptyset(&held);
  sigaddset(&held, SIGPIPE);
  sigaddset(&held, SIGXFSZ);
  pthread_sigmask(SIG_BLOCK, &held, &previous);
  sigpending(&before);
  int failure = 0;
  for (std::size_t done = 0; done < text.size() && failure == 0;) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n > 0) done += static_cast<std::size_t>(n);
    if (n == 0 || (n < 0 && errno != EINTR)) failure = n < 0 ? errno : EIO;
  }
  sigpending(&after);
  for (int sig : {SIGPIPE, SIGXFSZ}) {
    // Kept: one pending before the write, or one the caller holds back itself.
    if (!sigismember(&after, sig) || sigismember(&before, sig) || sigismember(&previous, sig)) {
      sigdelset(&held, sig);
    }
  }
  const timespec now = {0, 0};
  while (sigtimedwait(&held, nullptr, &now) > 0) continue;  // one of each at most
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  if (failure != 0) error = std::strerror(failure);
  return failure == 0;
}

// Writes text to fd, flushes it to the disk when sync, and closes fd; false
// with the first failure's reason.
bool writeAndClose(int fd, const std::string& text, bool sync, std::string& error) {
  bool ok = writeAll(fd, text, error);
  if (ok && sync && fsync(fd) != 0) ok = failed(error);
  if (close(fd) != 0 && ok) ok = failed(error);
  return ok;
}

// The temporary files of saves to NAME start with this; a long NAME is cut
// so that the temporary name stays a legal file name.
std::string temporaryPrefix(const std::string& path) {
  return "." + baseOf(path).substr(0, 200) + ".skivo-save-";
}

// Creates an empty temporary file beside path; -1 with the reason if the
// folder cannot take one.
int createTemporary(const std::string& path, std::string& temp, std::string& error) {
  static std::atomic<unsigned int> serial{0};
  const std::string dir = dirOf(path);
  temp =
      dir + "/" + temporaryPrefix(path) + std::to_string(getpid()) + "-" + std::to_string(serial++);
  const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
  if (fd < 0) error = "cannot create a file in '" + dir + "': " + std::strerror(errno);
  return fd;
}

// A reader sees the old file or the new one, whole, even if the process is
// killed: the text goes to a temporary file, flushed, renamed over the path.
bool replaceFile(const Target& t, const std::string& text, std::string& error) {
  // Killed saves to this path left temporary files: those of processes that
  // no longer exist go.
  const std::string prefix = temporaryPrefix(t.path);
  if (DIR* d = opendir(dirOf(t.path).c_str())) {
    while (const dirent* e = readdir(d)) {
      if (std::strncmp(e->d_name, prefix.c_str(), prefix.size()) != 0) continue;
      const long pid = std::atol(e->d_name + prefix.size());
      if (pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
        unlinkat(dirfd(d), e->d_name, 0);
      }
    }
    closedir(d);
  }
  std::string temp;
  const int fd = createTemporary(t.path, temp, error);
  if (fd < 0) return false;
  if (S_ISREG(t.st.st_mode)) {
    // The old file's owner and group where the caller may set them (root:
    // always; a user: a group of theirs), then its mode; set-id bits only
    // with the owner.
    const bool sameOwner = fchown(fd, t.st.st_uid, t.st.st_gid) == 0;
    if (!sameOwner && fchown(fd, static_cast<uid_t>(-1), t.st.st_gid) != 0) {
      // The group stays the saver's.
    }
    fchmod(fd, t.st.st_mode & (sameOwner ? 07777 : 0777));
  }
  bool ok = writeAndClose(fd, text, true, error);
  if (ok && std::rename(temp.c_str(), t.path.c_str()) != 0) ok = failed(error);
  if (!ok) {
    unlink(temp.c_str());
    return false;
  }
  // The rename reaches the disk with the folder. The new file is in place
  // either way, and some file systems do not flush folders: not a failure.
  const int folder = open(dirOf(t.path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    fsync(folder);
    close(folder);
  }
  return true;
}

// Opens a device or a pipe without waiting on it: a pipe gets up to waitMs
// for a reader to open it. Writes then wait as usual.
int openStream(const Target& t, int waitMs, std::string& error) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  for (;;) {
    const int fd = open(t.path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd >= 0) {
      fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
      return fd;
    }
    if (errno != ENXIO || !S_ISFIFO(t.st.st_mode)) {
      error = std::strerror(errno);
      return -1;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      error = "no process opened the pipe for reading within " +
              std::to_string((waitMs + 999) / 1000) + " s";
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

int connectSocket(const std::string& path, std::string& error) {
  sockaddr_un address = {};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) {
    error = "the socket's path is too long";
    return -1;
  }
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd >= 0 && connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
    return fd;
  }
  error = "cannot connect to the socket: " + std::string(std::strerror(errno));
  if (fd >= 0) close(fd);
  return -1;
}

}  // namespace

bool skFileSaver::save(const std::string& path, const std::string& text, std::string& error,
                       int pipeWaitMs) {
  const Target t = resolve(path, error);
  if (t.kind == Kind::refused) return false;
  if (t.kind == Kind::replace) return replaceFile(t, text, error);
  if (t.kind == Kind::descriptor) return writeAll(t.fd, text, error);
  const int fd =
      t.kind == Kind::socket ? connectSocket(t.path, error) : openStream(t, pipeWaitMs, error);
  return fd >= 0 && writeAndClose(fd, text, false, error);
}

bool skFileSaver::check(const std::string& path, std::string& error) {
  const Target t = resolve(path, error);
  if (t.kind != Kind::replace) return t.kind != Kind::refused;
  // The folder must take the temporary file.
  std::string temp;
  const int fd = createTemporary(t.path, temp, error);
  if (fd < 0) return false;
  close(fd);
  unlink(temp.c_str());
  return true;
}

bool skFileSaver::replaces(const std::string& path) {
  std::string unused;
  return resolve(path, unused).kind == Kind::replace;
}

}  // namespace skivo
