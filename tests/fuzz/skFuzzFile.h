// skFuzzFile: hands a fuzzer's input to code that wants a file name, without
// touching the disk: an anonymous in-memory file reached by /proc/self/fd/N.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

class skFuzzFile {
 public:
  skFuzzFile() : fd(memfd_create("skivo-fuzz", MFD_CLOEXEC)) {
    if (fd < 0) {
      std::perror("memfd_create");
      std::abort();
    }
    path = "/proc/self/fd/" + std::to_string(fd);
  }
  ~skFuzzFile() { close(fd); }

  // Replaces the file's whole content with size bytes at data.
  const std::string& write(const uint8_t* data, size_t size) {
    if (ftruncate(fd, 0) != 0) std::abort();
    size_t done = 0;
    while (done < size) {
      const ssize_t n = pwrite(fd, data + done, size - done, static_cast<off_t>(done));
      if (n <= 0) std::abort();
      done += static_cast<size_t>(n);
    }
    return path;
  }

 private:
  int fd;
  std::string path;
};
