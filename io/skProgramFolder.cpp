#include "skProgramFolder.h"

#include <unistd.h>

namespace skivo {
namespace skUtil {

std::string programFolder() {
  char path[4096];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return "";
  const std::string exe(path, static_cast<size_t>(n));
  return exe.substr(0, exe.rfind('/'));
}

}  // namespace skUtil
}  // namespace skivo
