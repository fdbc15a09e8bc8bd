// Where the running program lives, for finding the files installed beside it
// (the trained tables, the arena's window).
#pragma once

#include <string>

namespace skivo {
namespace skUtil {

// The folder of the running program (no trailing '/'), or "" when it cannot
// be told (no /proc, as in the browser).
std::string programFolder();

}  // namespace skUtil
}  // namespace skivo
