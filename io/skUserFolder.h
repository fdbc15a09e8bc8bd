// skUserFolder: where skivo keeps what it remembers for the person playing
// (the start screen's choices, the record of their games).
#pragma once

#include <string>

namespace skivo {
namespace skUtil {

// $XDG_DATA_HOME/skivo when XDG_DATA_HOME is set to an absolute path, else
// $HOME/.local/share/skivo; "" when neither can be told. Nothing is created.
std::string userDataFolder();

// Makes folder and its missing parents (mode 0755, less the umask). False
// with the reason when it cannot be made or is not a folder.
bool makeFolder(const std::string& folder, std::string& error);

}  // namespace skUtil
}  // namespace skivo
