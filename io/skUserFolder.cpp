#include "skUserFolder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace skivo {
namespace skUtil {

std::string userDataFolder() {
  // A relative XDG_DATA_HOME is invalid by the standard and ignored.
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg && xdg[0] == '/') return std::string(xdg) + "/skivo";
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return std::string(home) + "/.local/share/skivo";
  return "";
}

bool makeFolder(const std::string& folder, std::string& error) {
  std::error_code failed;
  std::filesystem::create_directories(folder, failed);
  if (!failed && std::filesystem::is_directory(folder, failed)) return true;
  error = failed ? failed.message() : "it is not a folder";
  return false;
}

}  // namespace skUtil
}  // namespace skivo
